#include "json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kv::tool {
namespace {

TEST(JsonWriter, NestsWithCommasAndIndentation) {
    JsonWriter j;
    j.beginObject();
    j.key("a");
    j.integer(-1);
    j.key("b");
    j.beginArray();
    j.integer(1);
    j.beginObject();
    j.endObject();
    j.beginArray();
    j.endArray();
    j.endArray();
    j.key("c");
    j.boolean(true);
    j.endObject();
    EXPECT_EQ(j.text(),
              "{\n  \"a\": -1,\n  \"b\": [\n    1,\n    {},\n    []\n  ],\n  \"c\": true\n}");

    JsonWriter flat(0);
    flat.beginArray();
    flat.string("x");
    flat.null();
    flat.endArray();
    EXPECT_EQ(flat.text(), "[\"x\",null]");
}

TEST(JsonWriter, EscapesStringsAndRepairsBrokenUtf8) {
    EXPECT_EQ(jsonQuoted("a\"b\\c\nd\te\x01"), "\"a\\\"b\\\\c\\nd\\te\\u0001\"");
    EXPECT_EQ(jsonQuoted("通信エラー"), "\"通信エラー\"");
    // A CP932 byte pair that slipped through, a lone continuation byte and an
    // overlong slash are no UTF-8.
    EXPECT_EQ(jsonQuoted("\x82\xa0"), "\"\\ufffd\\ufffd\"");
    EXPECT_EQ(jsonQuoted("x\xC0\xAFy"), "\"x\\ufffd\\ufffdy\"");
    EXPECT_EQ(jsonQuoted("\xE3\x81"), "\"\\ufffd\\ufffd\"");  // cut-off sequence
}

TEST(JsonWriter, RealsRoundTripAndNonFiniteBecomesNull) {
    JsonWriter j(0);
    j.beginArray();
    j.number(0.1);
    j.number(12.3);
    j.number(1.0 / 3.0);
    j.number(100.0);
    j.number(std::numeric_limits<double>::quiet_NaN());
    j.number(-INFINITY);
    j.endArray();
    EXPECT_EQ(j.text(), "[0.1,12.3,0.3333333333333333,100,null,null]");
}

}  // namespace
}  // namespace kv::tool
