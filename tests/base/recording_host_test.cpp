#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/recording_host.h"

namespace kv::test {
namespace {

// The fake host that every operation test relies on must not answer a
// question the test never expected.
void askUnscripted() {
    RecordingHost host;
    host.standingAnswers["ＫＶ設定"] = Host::Yes;
    host.messageBox("測定データ読み込み", "測定データを読み込みますか？", Host::QuestionYesNo);
}

TEST(RecordingHost, AnUnscriptedQuestionFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(askUnscripted(), "unscripted question \"測定データ読み込み\"");
}

TEST(RecordingHost, ScriptedAnswersComeFirstThenStandingOnesAndOkBoxesNeedNone) {
    RecordingHost host;
    host.answers.push_back(Host::No);
    host.standingAnswers["ＫＶ設定"] = Host::Yes;
    EXPECT_EQ(host.messageBox("ＫＶ設定", "?", Host::QuestionYesNo), Host::No);
    EXPECT_EQ(host.messageBox("ＫＶ設定", "?", Host::QuestionYesNo), Host::Yes);
    EXPECT_EQ(host.messageBox("データ通信", "!", Host::Information), Host::Ok);
    EXPECT_EQ(host.titles(), (std::vector<std::string>{"ＫＶ設定", "ＫＶ設定", "データ通信"}));
}

}  // namespace
}  // namespace kv::test
