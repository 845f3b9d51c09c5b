// The simulator's frame assembler and fault plan, which kvsim and the
// in-memory test device both rely on.
#include <gtest/gtest.h>

#include "model/faults.h"
#include "model/scripted_responder.h"
#include "model/wire.h"

namespace kv::sim {
namespace {

using Frames = std::vector<std::vector<uint8_t>>;

TEST(FrameAssembler, CutsFramesFromNoiseSplitsAndFalseHeaders) {
    auto a = makeCommand(0x50, {1, 2, 3});
    auto b = makeCommand(0xF0);
    std::vector<uint8_t> stream = {0x00, 0xAA, 0x55, 0x55};  // noise, ends in a header's first byte
    stream.insert(stream.end(),
                  {0x55, 0xAA, 0x13, 0x14, 0x15});  // a false header: no trailer 30 bytes on
    stream.insert(stream.end(), a.begin(), a.end());
    stream.insert(stream.end(), b.begin(), b.end());
    // Any cut of the stream gives the same two frames.
    for (size_t cut = 0; cut <= stream.size(); cut += 7) {
        SCOPED_TRACE(cut);
        FrameAssembler asm1;
        Frames out;
        asm1.feed(stream.data(), cut, out);
        asm1.feed(stream.data() + cut, stream.size() - cut, out);
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[0], a);
        EXPECT_EQ(out[1], b);
        EXPECT_EQ(asm1.buffered(), 0u);
    }
}

TEST(FrameAssembler, KeepsAnIncompleteFrameForLater) {
    auto a = makeCommand(0x21);
    FrameAssembler fa;
    Frames out;
    fa.feed(a.data(), 31, out);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(fa.buffered(), 31u);
    fa.feed(a.data() + 31, 1, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], a);
}

TEST(Wire, RepliesHaveTheEnvelopeAndItsChecksCatchEachField) {
    auto r = makeReply(0x70, 40, 0x33);
    ASSERT_EQ(r.size(), 40u);
    EXPECT_TRUE(isValidFrame(r.data(), r.size(), 0x70));
    EXPECT_FALSE(isValidFrame(r.data(), r.size(), 0x71));
    for (size_t i = 0; i < r.size(); ++i) {
        auto bad = r;
        bad[i] ^= 0x04;
        EXPECT_FALSE(isValidFrame(bad.data(), bad.size(), 0x70)) << i;
    }
    EXPECT_TRUE(isValidFrame(makeCommand(0).data(), 32, 0));
}

TEST(FaultyResponder, CountsFaultsInFramesFromNow) {
    ScriptedResponder inner;
    auto good = makeReply(0x50, 32, 0x01);
    inner.on(0x50, good);
    FaultyResponder f(inner);
    f.plan().silent = 1;
    f.plan().corrupt = 2;
    f.plan().extraByte = 3;
    f.plan().hangUpAfter = 3;
    auto frame = makeCommand(0x50);

    Delivery d1 = f.deliver(frame.data(), 32);  // silent (its corruption and extra byte used up)
    EXPECT_TRUE(d1.bytes.empty());
    Delivery d2 = f.deliver(frame.data(), 32);  // corrupted and lengthened
    ASSERT_EQ(d2.bytes.size(), 33u);
    EXPECT_EQ(d2.bytes[29], good[29] ^ 0xFF);  // the CRC's low byte
    EXPECT_EQ(d2.burstTail, 1u);
    EXPECT_FALSE(isValidFrame(d2.bytes.data(), 32, 0x50));
    Delivery d3 = f.deliver(frame.data(), 32);  // only lengthened
    EXPECT_EQ(d3.bytes.size(), 33u);
    EXPECT_TRUE(isValidFrame(d3.bytes.data(), 32, 0x50));
    EXPECT_FALSE(d3.hangUp);
    Delivery d4 = f.deliver(frame.data(), 32);  // hang-up halfway
    EXPECT_TRUE(d4.hangUp);
    EXPECT_EQ(d4.hangUpAfterBytes, 16u);
    EXPECT_EQ(f.respond(frame.data(), 32), good);  // and after that, all is well
    EXPECT_EQ(inner.received().size(), 5u);        // the model saw every frame, silent ones too
}

TEST(ScriptedResponder, AnswersFromItsTableInTurn) {
    ScriptedResponder r;
    r.onSequence(1, {{}, {7}, {8}});
    r.on(2, std::vector<uint8_t>{9});
    auto f1 = makeCommand(1), f2 = makeCommand(2), f3 = makeCommand(3);
    EXPECT_TRUE(r.respond(f1.data(), 32).empty());
    EXPECT_EQ(r.respond(f1.data(), 32), std::vector<uint8_t>{7});
    EXPECT_EQ(r.respond(f1.data(), 32), std::vector<uint8_t>{8});
    EXPECT_EQ(r.respond(f1.data(), 32), std::vector<uint8_t>{8});  // the last repeats
    EXPECT_EQ(r.respond(f2.data(), 32), std::vector<uint8_t>{9});
    EXPECT_TRUE(r.respond(f3.data(), 32).empty());
    r.echoEverything();
    EXPECT_EQ(r.respond(f3.data(), 32), f3);
    EXPECT_EQ(r.countOf(1), 4);
    r.queueTelegram({1, 2});
    EXPECT_EQ(r.nextTelegram(), (std::vector<uint8_t>{1, 2}));
    EXPECT_TRUE(r.nextTelegram().empty());
}

}  // namespace
}  // namespace kv::sim
