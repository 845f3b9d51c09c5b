#include <algorithm>

#include "download_fixture.h"

namespace kv::test {
namespace {

using DownloadPeak = DownloadTest;
using Progress = RecordingHost::ProgressEvent;

// Range 50 G at 10 mV/G: one code is 50 x 2 / 31 / 10 = 0.3226 G; 110 % is 55 G.
const char* const kSingleAxis = R"(
model 5100
mode peak
device 7
serial 1234
range 50
place A
sensor Z 5678 10
battery 3.6
firmware 1.2
period 0
measurement
  start 2014/03/15 09:00:00
  end 2014/03/15 10:00:00
  peak 0 100 -100 12 3
  peak 3600 170 -171 65535 1000
  peak 7199 2 -1 0 0
  peak 7200 31 -31 1 2
)";

TEST_F(DownloadPeak, FileFromTheRecorderComesOutByteForByte) {
    use(kSingleAxis);
    ASSERT_TRUE(download({1}));
    ASSERT_EQ(savedNames(), std::vector<std::string>{"KV51P07-2025040101-01.CSV"});
    EXPECT_EQ(readFile(saved[0]), cp932Lines({
                                      "ＫＶ種別,KV-5100,50Ｇ,内蔵",
                                      "データ親番号,7,製造番号,1234",
                                      "ﾊﾞｯﾃﾘ電圧,3.6,バージョン,1.2",
                                      "動作モード,ピークモード,１軸,上書き無し",
                                      "開始時刻,2014/03/15,09:00:00",
                                      "終了時刻,2014/03/15,10:00:00",
                                      "記録周期,1秒",
                                      "センサ番号,5678",
                                      "センサ感度,10.0",
                                      "計測回数,4",
                                      "",
                                      "",
                                      "",
                                      "年月日,時分秒,G(+),(ms),G(-),(ms)",
                                      "2014/03/15,09:00:00,+32.3,0012,-32.3,0003,",
                                      "2014/03/15,10:00:00,+54.8,1000,-60.0,1000,",
                                      "2014/03/15,10:59:59,+0.65,0000,-0.00,0000,",
                                      "2014/03/15,11:00:00,+10.0,0001,-10.0,0002,",
                                  }));
    EXPECT_EQ(host.titles(), (std::vector<std::string>{"測定データ読み込み", "データ通信"}));
    EXPECT_EQ(data.lastIndex, -1);
}

TEST_F(DownloadPeak, UnselectedMeasurementsStillCountTheirRecords) {
    use(R"(
model 5300
measurement
  start 2014/03/15 09:00:00
  records 12
measurement
  start 2014/03/16 09:00:00
  records 7
measurement
  start 2014/03/17 09:00:00
  records 4
)");
    ASSERT_TRUE(download({1, 3}));
    // Measurement 1 in blocks of 5, 5 and 2; measurement 3 from record 12 + 7.
    EXPECT_EQ(peakOffsets(), (std::vector<int>{0, 5, 10, 19}));
    for (const auto& f : device->frames()) {
        if (f[2] != 0x21) continue;
        EXPECT_EQ(f[6], f[5] == 10 ? 2 : f[5] == 19 ? 4 : 5);
    }

    std::vector<int> readProgress;
    for (const Progress& p : host.progress) {
        if (p.kind == Progress::Number && p.number == 1) readProgress.push_back(p.percent);
        if (readProgress.size() == 4) break;
    }
    EXPECT_EQ(readProgress, (std::vector<int>{1, 0, 41, 100}));
    ASSERT_FALSE(host.progress.empty());
    EXPECT_EQ(host.progress.front().kind, Progress::Begin);
    EXPECT_FALSE(host.progress.front().cancellable);
    EXPECT_EQ(host.progress.back().kind, Progress::End);

    ASSERT_EQ(savedNames(),
              (std::vector<std::string>{"KV53P01-2025040101-01.CSV", "KV53P01-2025040103-01.CSV"}));
    // The third file holds records 19 to 22 of the recorder, at their times.
    auto lines = linesOf(saved[1]);
    ASSERT_EQ(lines.size(), 14u + 4u);
    const auto& sim = model->data();
    for (int k = 0; k < 4; ++k) {
        DateTime t = *encodeDateTime(sim.measurements[2].start) +
                     sim::peakRecordAt(sim, 19 + k)[0].elapsed / 86400.0;
        EXPECT_EQ(lines[14 + k].substr(0, 19), formatDate(t) + "," + formatTime(t)) << k;
    }
    EXPECT_EQ(lines[9], "計測回数,4");
}

TEST_F(DownloadPeak, MeasurementAfterAnEmptyEntryIsReadAndSaved) {
    use(R"(
model 6100
measurement
  start 2014/03/15 09:00:00
  records 5
measurement
  start 2014/03/16 09:00:00
  records 0
measurement
  start 2014/03/17 09:00:00
  records 4
)");
    ASSERT_TRUE(download({1, 3}));
    EXPECT_EQ(state.measurementCounts[1], -1);
    EXPECT_EQ(peakOffsets(), (std::vector<int>{0, 5}));
    ASSERT_EQ(savedNames(),
              (std::vector<std::string>{"KV61P01-2025040101-01.CSV", "KV61P01-2025040103-01.CSV"}));
    EXPECT_EQ(linesOf(saved[1]).size(), 14u + 4u);
}

TEST_F(DownloadPeak, FirstGenerationAfterTheIdentityGoesUnanswered) {
    use(R"(
model 4300
device 3
measurement
  start 2014/03/15 09:00:00
  end 2014/03/15 09:30:00
  peak 10 1 -1 5 5 20 2 -2 6 6 30 3 -3 7 7
)");
    ASSERT_TRUE(download({1}));
    EXPECT_EQ(framesOf(0xF0), 3);  // three attempts, then the first generation
    EXPECT_EQ(framesOf(0x00), 1);
    ASSERT_EQ(savedNames(), std::vector<std::string>{"KV43P03-2025040101-01.CSV"});
    auto lines = linesOf(saved[0]);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[2], "ﾊﾞｯﾃﾘ電圧,3.6,バージョン,--");
    EXPECT_EQ(lines[14].substr(0, 20), "2014/03/15,09:00:10,");
    EXPECT_NE(lines[14].find(",,2014/03/15,09:00:20,"), std::string::npos);
    EXPECT_NE(lines[14].find(",,2014/03/15,09:00:30,"), std::string::npos);
}

TEST_F(DownloadPeak, NoAtTheQuestionReadsNothing) {
    use(kSingleAxis);
    host.answers.push_back(Host::No);
    EXPECT_FALSE(download({1}));
    EXPECT_EQ(device->frames().size(), 1u);  // the identity only
    EXPECT_TRUE(saved.empty());
    EXPECT_TRUE(fileNames(folder.path()).empty());
    EXPECT_EQ(host.titles(), std::vector<std::string>{"測定データ読み込み"});
}

TEST_F(DownloadPeak, LostLineEndsWithTheNoticeAndNoFiles) {
    use(kSingleAxis);
    device->faults().hangUpAfter = 1 + 3 + 0;  // identity, status, index, clock; then records
    EXPECT_FALSE(download({1}));
    EXPECT_EQ(host.titles(), (std::vector<std::string>{"測定データ読み込み", "通信エラー"}));
    EXPECT_TRUE(fileNames(folder.path()).empty());
    EXPECT_EQ(host.progress.back().kind, Progress::End);
}

TEST_F(DownloadPeak, IndexClaimingMoreThanTheStoresIsRefusedBeforeAnyRecord) {
    struct Case {
        int model;
        int records;
    };
    for (Case c : {Case{5300, 120001}, Case{6100, 120001}, Case{5100, 65537}, Case{4300, 20001}}) {
        SCOPED_TRACE(c.model);
        host.messages.clear();
        use("model " + std::to_string(c.model) +
            "\nmeasurement\n  records 10\nmeasurement\n  records " +
            std::to_string(c.records - 10));
        EXPECT_FALSE(download({1}));
        EXPECT_EQ(framesOf(0x21), 0);
        ASSERT_EQ(host.messages.size(), 2u);
        EXPECT_EQ(host.messages[1].title, "データ読み込みエラー");
        EXPECT_NE(host.messages[1].text.find(std::to_string(c.records)), std::string::npos);
        EXPECT_TRUE(fileNames(folder.path()).empty());
    }
}

}  // namespace
}  // namespace kv::test
