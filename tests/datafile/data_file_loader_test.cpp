#include "datafile/data_file_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "sample_data_files.h"
#include "support/recording_host.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

using test::RecordingHost;
using test::SampleDataFile;

class LoaderTest : public ::testing::Test {
  protected:
    std::string write(const std::string& bytes, const std::string& name = "data.CSV") {
        std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }
    LoadResult load(const std::string& bytes) {
        return loadDataFile(write(bytes), data, identity, host);
    }
    LoadResult load(const SampleDataFile& file) { return load(file.bytes()); }

    // A first measurement in view, which a failed load must leave alone.
    void loadPrevious() {
        SampleDataFile previous;
        previous.model = 4300;
        previous.records = 5;
        ASSERT_TRUE(loadDataFile(write(previous.bytes(), "previous.CSV"), data, identity, host));
        identity.family[0] = 'K';
        identity.sensorPlace = 'B';
        snapshot = fingerprint();
    }
    std::string fingerprint() const {
        std::string s =
            data.filePath + "|" + data.modelText + "|" + data.modeText + "|" +
            data.recordCountText + "|" + data.sensorPlaceText + "|" +
            std::to_string(data.startTime) + "|" + std::to_string(data.rangeG) + "|" +
            std::to_string(data.lastIndex) + "|" + std::to_string(data.currentIndex) + "|" +
            std::to_string(identity.modelCode) + "|" + std::to_string(identity.sensorRange) + "|" +
            std::to_string(identity.waveData) + "|" + identity.family[0] + identity.sensorPlace;
        for (int i = 0; i <= data.lastIndex && i < 10; ++i)
            s += "|" + std::to_string(data.peakRows[i].peak[2]) + "," +
                 std::to_string(data.peakRows[i].time[2]);
        return s;
    }
    void expectUnchanged(const std::string& what) { EXPECT_EQ(fingerprint(), snapshot) << what; }

    test::ScratchFolder scratch;
    std::string folder = scratch.path();
    DataSet data;
    RecorderIdentity identity;
    RecordingHost host;
    std::string snapshot;
};

TEST_F(LoaderTest, EveryModelAndModeLoadsTheValuesItWasWrittenWith) {
    struct Case {
        int model;
        bool wave;
        int records;
    };
    const Case cases[] = {{4100, false, 250}, {4300, false, 130}, {5100, false, 7},
                          {5300, false, 101}, {6100, false, 3},   {6300, false, 12},
                          {5100, true, 31},   {5300, true, 12},   {6100, true, 61},
                          {6300, true, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.model) + (c.wave ? " wave" : " peak"));
        SampleDataFile file;
        file.model = c.model;
        file.wave = c.wave;
        file.records = c.records;
        file.rangeField = "50Ｇ";
        LoadResult result = load(file);
        ASSERT_TRUE(result);
        EXPECT_EQ(result.defaultScale, c.wave ? DefaultScale::Wave : DefaultScale::Peak);
        EXPECT_EQ(data.filePath, folder + "/data.CSV");
        EXPECT_EQ(data.modelText, std::to_string(c.model));
        EXPECT_EQ(data.sensorPlaceText, "内蔵");
        EXPECT_EQ(data.deviceNumberText, "7");
        EXPECT_EQ(data.serialNumberText, "1234");
        EXPECT_EQ(data.modeText, c.wave ? "波形モード" : "ピークモード");
        EXPECT_EQ(data.overwriteText, "上書き無し");
        EXPECT_EQ(data.startTime, file.start);
        EXPECT_EQ(data.endTime, file.end());
        EXPECT_EQ(data.rangeG, 50);
        EXPECT_EQ(data.lastIndex, c.records - 1);
        EXPECT_EQ(data.currentIndex, 0);
        EXPECT_EQ(data.recordCountText, std::to_string(c.records));
        EXPECT_EQ(data.sensitivityText,
                  file.triaxial() || c.wave || c.model / 1000 == 4 ? "2.50, 2.50, 2.50" : "2.50");
        EXPECT_EQ(identity.modelCode, c.model);
        EXPECT_EQ(identity.sensorRange, 50);
        EXPECT_EQ(identity.waveData, c.wave ? 1 : 0);
        const int axes = file.axes();
        if (!c.wave) {
            EXPECT_EQ(data.recordPeriodText, "1秒");
            EXPECT_EQ(data.samplePeriodText, "");
            for (int r = 0; r < c.records; ++r) {
                const PeakRow& row = data.peakRows[r];
                for (int a = 0; a < axes; ++a) {
                    ASSERT_NEAR(row.time[a], file.timeOf(r) + a / 86400.0, 1e-9) << r;
                    ASSERT_EQ(row.peak[2 * a], float(file.peakOf(r, a))) << r;
                    ASSERT_EQ(row.peak[2 * a + 1], float(-file.peakOf(r, a) / 2)) << r;
                    ASSERT_EQ(row.width[2 * a], file.widthOf(r, a)) << r;
                    ASSERT_EQ(row.width[2 * a + 1], file.widthOf(r, a) / 2) << r;
                }
            }
            continue;
        }
        EXPECT_EQ(data.samplePeriodText, "2");
        EXPECT_EQ(data.triggerPointText, "100");
        EXPECT_EQ(data.triggerLevelText, "30％");
        EXPECT_EQ(data.recordPeriodText, "");
        for (int r = 0; r < c.records; ++r) {
            for (int a = 0; a < axes; ++a) {
                const WaveBlock& w = data.waveRecords[a][r];
                ASSERT_NEAR(w.time, file.timeOf(r), 1e-9) << r;
                ASSERT_EQ(w.peak, float(file.peakOf(r, a))) << r;
                ASSERT_EQ(w.width, file.widthOf(r, a)) << r;
                for (int s = 0; s < kWaveSamples; ++s)
                    ASSERT_EQ(w.samples[s], float(file.sampleOf(r, a, s))) << r << " " << s;
            }
        }
    }
}

TEST_F(LoaderTest, EnglishHeadersLoadLikeTheirJapaneseCounterparts) {
    for (bool wave : {false, true}) {
        SampleDataFile file;
        file.model = 6300;
        file.wave = wave;
        file.records = 4;
        ASSERT_TRUE(load(file));
        std::string japanese = fingerprint();
        auto modeText = data.modeText;
        file.english = true;
        ASSERT_TRUE(load(file));
        EXPECT_EQ(identity.waveData, wave ? 1 : 0);
        EXPECT_EQ(data.modeText, wave ? "Wave Mode" : "ピークモード");
        data.modeText = modeText;
        EXPECT_EQ(fingerprint(), japanese);
    }
}

TEST_F(LoaderTest, ModelIsTheDigitsOfItsField) {
    for (const char* text : {"KV-6300", "6300", "KV6300x", "K6V3-0x0"}) {
        SampleDataFile file;
        file.model = 6300;
        file.modelField = text;
        ASSERT_TRUE(load(file)) << text;
        EXPECT_EQ(data.modelText, "6300");
        EXPECT_EQ(identity.modelCode, 6300);
    }
    for (const char* text : {"KV-63000", "KV-6200", "KV", "ＫＶ－６３００"}) {
        SampleDataFile file;
        file.model = 6300;
        file.modelField = text;
        EXPECT_FALSE(load(file)) << text;
    }
}

TEST_F(LoaderTest, RangeIsTheLeadingDigitsOfItsField) {
    SampleDataFile file;
    for (const char* text : {"5Ｇ", "20", "100G extra"}) {
        file.rangeField = text;
        ASSERT_TRUE(load(file)) << text;
        EXPECT_EQ(data.rangeG, std::atoi(text));
        EXPECT_EQ(identity.sensorRange, std::atoi(text));
    }
    // Without a leading digit, or more than the identity's 8-bit field holds.
    for (const char* text : {"Ｇ100", " 100Ｇ", "", "256Ｇ", "99999999999Ｇ"}) {
        file.rangeField = text;
        EXPECT_FALSE(load(file)) << text;
    }
}

TEST_F(LoaderTest, WaveBlocksOfThirtyAndTheirProgress) {
    SampleDataFile file;
    file.model = 5100;
    file.wave = true;
    file.records = 31;
    ASSERT_TRUE(load(file));
    EXPECT_EQ(data.lastIndex, 30);
    EXPECT_EQ(data.waveRecords[0][30].peak, float(file.peakOf(30, 0)));
    EXPECT_EQ(data.waveRecords[0][30].samples[511], float(file.sampleOf(30, 0, 511)));
    // Before the first block, then the one full block; the last block of one
    // record is read without a look at the user interface.
    ASSERT_EQ(host.progress.size(), 3u);
    EXPECT_EQ(host.progress[0].number, 0);
    EXPECT_EQ(host.progress[0].percent, 0);
    EXPECT_EQ(host.progress[1].number, 0);
    EXPECT_EQ(host.progress[1].percent, 0);
    EXPECT_EQ(host.progress[2].kind, RecordingHost::ProgressEvent::End);
    EXPECT_EQ(host.processEventsCount, 1);

    host.progress.clear();
    file.records = 90;
    ASSERT_TRUE(load(file));
    ASSERT_EQ(host.progress.size(), 5u);
    EXPECT_EQ(host.progress[2].number, 30);
    EXPECT_EQ(host.progress[2].percent, 33);
    EXPECT_EQ(host.progress[3].number, 60);
    EXPECT_EQ(host.progress[3].percent, 66);
}

TEST_F(LoaderTest, PeakProgressEveryHundredRowsAndEventsPerRowOrPerHundred) {
    SampleDataFile file;
    file.model = 5100;
    file.records = 250;
    ASSERT_TRUE(load(file));
    EXPECT_EQ(host.processEventsCount, 250);
    ASSERT_EQ(host.progress.size(), 5u);
    EXPECT_EQ(host.progress[2].number, 100);
    EXPECT_EQ(host.progress[2].percent, 40);
    EXPECT_EQ(host.progress[3].number, 200);
    EXPECT_EQ(host.progress[3].percent, 80);

    host.processEventsCount = 0;
    file.model = 5300;
    ASSERT_TRUE(load(file));
    EXPECT_EQ(host.processEventsCount, 3);
}

TEST_F(LoaderTest, TriaxialWaveRecordsShareTheResultantAndTheXTime) {
    SampleDataFile file;
    file.model = 6300;
    file.wave = true;
    file.records = 2;
    file.peakOf = [](int r, int a) { return r == 1 ? double(std::array{3, 4, 12}[a]) : 1.0; };
    file.timeOf = [&](int r) { return file.start + r / 24.0; };
    ASSERT_TRUE(load(file));
    for (int a = 0; a < 3; ++a) {
        EXPECT_EQ(data.waveRecords[a][1].resultantG, 13.0f);
        EXPECT_FLOAT_EQ(data.waveRecords[a][0].resultantG, std::sqrt(3.0f));
        EXPECT_EQ(data.waveRecords[a][1].time, data.waveRecords[0][1].time);
    }
    // A single-axis file has no resultant.
    file.model = 6100;
    ASSERT_TRUE(load(file));
    EXPECT_EQ(data.waveRecords[0][1].resultantG, 0.0f);
}

TEST_F(LoaderTest, ZeroRecordsFailAndOnlyAWaveFileSaysWhy) {
    loadPrevious();
    SampleDataFile file;
    file.model = 5300;
    file.records = 0;
    EXPECT_FALSE(load(file));
    EXPECT_TRUE(host.messages.empty());
    file.wave = true;
    EXPECT_FALSE(load(file));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "データファイルの読み込み");
    EXPECT_EQ(host.messages[0].text, "このファイルにはトリガを超えたデータは\n存在しません。");
    EXPECT_EQ(host.messages[0].flags, Host::Information);
    expectUnchanged("zero records");
}

TEST_F(LoaderTest, CancellingHalfWayKeepsThePreviousMeasurement) {
    loadPrevious();
    SampleDataFile file;
    file.model = 4100;
    file.records = 2000;
    host.cancelAfterProcessEvents = host.processEventsCount + 1000;
    EXPECT_FALSE(load(file));
    EXPECT_EQ(host.processEventsCount, host.cancelAfterProcessEvents);
    expectUnchanged("cancelled peak");

    host.cancelRequested = false;
    file.model = 5300;
    file.wave = true;
    file.records = 100;
    host.cancelAfterProcessEvents = host.processEventsCount + 5;
    EXPECT_FALSE(load(file));
    expectUnchanged("cancelled wave");

    // A click taken while the progress window repaints stops a triaxial peak
    // file at the next row, not at the next hundredth.
    struct ClickDuringRepaint : RecordingHost {
        void showProgress(int number, int percent) override {
            RecordingHost::showProgress(number, percent);
            if (number == 100) cancelRequested = true;
        }
    } clicking;
    SampleDataFile triaxial;
    triaxial.model = 5300;
    triaxial.records = 300;
    EXPECT_FALSE(loadDataFile(write(triaxial.bytes()), data, identity, clicking));
    EXPECT_EQ(clicking.processEventsCount, 2);
    expectUnchanged("cancelled triaxial peak");

    // The loader does not clear the flag: that is the open command's job.
    EXPECT_FALSE(load(file));
    host.cancelRequested = false;
    EXPECT_TRUE(load(file));
}

TEST_F(LoaderTest, CountsThatLieOrExceedTheStore) {
    loadPrevious();
    SampleDataFile file;
    file.model = 5100;
    file.records = 10;
    file.written = 9;  // the file ends before the stated count
    EXPECT_FALSE(load(file));
    file.wave = true;
    EXPECT_FALSE(load(file));
    file.wave = false;
    for (const char* count : {"-3", "ten", "", "120001", "2147483648", "0x10"}) {
        file.countText = count;
        EXPECT_FALSE(load(file)) << count;
    }
    file.wave = true;
    for (const char* count : {"-1", "501", "1e3"}) {
        file.countText = count;
        EXPECT_FALSE(load(file)) << count;
    }
    EXPECT_TRUE(host.messages.empty());
    expectUnchanged("lying counts");

    // Fewer stated than written: the rest of the file is not read.
    file.countText = "+5";
    file.written = 7;
    ASSERT_TRUE(load(file));
    EXPECT_EQ(data.lastIndex, 4);
    EXPECT_EQ(data.recordCountText, "+5");
}

TEST_F(LoaderTest, FilesTruncatedAtAnyLineFailUnlessEveryRecordIsThere) {
    loadPrevious();
    for (bool wave : {false, true}) {
        SampleDataFile file;
        file.model = 5300;
        file.wave = wave;
        file.records = 12;
        const std::string bytes = file.bytes();
        int complete = 0;
        for (size_t end = bytes.find('\n'); end != std::string::npos;
             end = bytes.find('\n', end + 1)) {
            for (size_t cut : {end + 1, end - 1}) {  // after a line end, and inside it
                if (load(bytes.substr(0, cut))) {
                    ++complete;
                    loadPrevious();
                } else {
                    expectUnchanged("cut at " + std::to_string(cut));
                }
            }
        }
        // Only the last line end cut both ways gives the whole file.
        EXPECT_EQ(complete, 2) << wave;
    }
}

TEST_F(LoaderTest, BrokenFilesFailAndLeaveTheDataSetAlone) {
    loadPrevious();
    SampleDataFile good;
    good.model = 5300;
    good.records = 3;
    const std::string text = good.text();
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        size_t at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        t.replace(at, from.size(), to);
        return utf8ToCp932(t).value_or("");
    };
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += char(i * 7919 % 256);

    const std::pair<const char*, std::string> broken[] = {
        {"empty", ""},
        {"binary", binary},
        {"binary after a good header line",
         utf8ToCp932("ＫＶ種別,KV-5300,100Ｇ,内蔵\r\n").value() + binary},
        {"UTF-8 instead of CP932", text},
        {"invalid CP932 in a kept text", replaced("内蔵", "\x82")},
        {"over-long line", replaced("1234", std::string(1100, '9'))},
        {"over-long first line", replaced("内蔵", std::string(1100, 'x'))},
        {"malformed date", replaced("2014/03/15,09:00:07", "2014/02/30,09:00:01")},
        {"malformed time", replaced("09:00:07", "9:0O:01")},
        {"malformed start", replaced("開始時刻,2014/03/15", "開始時刻,15.03.2014")},
        {"hour 24", replaced("09:00:07", "24:00:00")},
        {"malformed float", replaced("+0.50", "+0,50")},
        {"float with two signs", replaced("+0.50", "+-0.50")},
        {"infinite float", replaced("+0.50", "inf")},
        {"NaN", replaced("+0.50", "nan")},
        {"malformed width", replaced("0007", "7ms")},
        {"width out of range", replaced("0007", "99999999999")},
        {"empty data line", replaced("2014/03/15,09:00:07", "\r\n")},
        {"no header keyword", replaced("ＫＶ種別", "KV種別")},
        {"unknown model", replaced("KV-5300", "KV-7300")},
    };
    for (const auto& [what, bytes] : broken) {
        EXPECT_FALSE(load(bytes)) << what;
        expectUnchanged(what);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LoaderTest, BytesThatAreNotCp932MatterOnlyInTheTextsKept) {
    SampleDataFile file;
    file.model = 5300;
    file.wave = true;
    file.records = 2;
    auto spoilt = [&](std::initializer_list<const char*> labels) {
        std::string bytes = file.bytes();
        for (const char* label : labels) {
            std::string raw = utf8ToCp932(label).value();
            size_t at = bytes.find(raw);
            EXPECT_NE(at, std::string::npos) << label;
            bytes.insert(at + raw.size(), "\x82\xff");
        }
        return bytes;
    };
    // Lines and labels that are read past: battery, sensors, block title and labels.
    ASSERT_TRUE(load(spoilt(
        {"ﾊﾞｯﾃﾘ電圧", "センサ番号", "センサ感度", "Ｘ軸( 1 )", "日付", "MAX(G値)", "パルス幅"})));
    EXPECT_EQ(data.sensorPlaceText, "内蔵");
    EXPECT_EQ(data.samplePeriodText, "2");
    // What follows the "m" of the sample period is not kept either.
    ASSERT_TRUE(load(spoilt({"2ms"})));
    EXPECT_EQ(data.samplePeriodText, "2");

    // A kept text would have to be mangled to be held.
    for (const char* kept : {"KV-5300,100Ｇ,内蔵", "データ親番号,7", "上書き無し", "30％"}) {
        EXPECT_FALSE(load(spoilt({kept}))) << kept;
    }
}

TEST_F(LoaderTest, HeaderOfOneKindWithDataOfAnother) {
    loadPrevious();
    SampleDataFile peak, wave;
    peak.model = wave.model = 5300;
    peak.records = wave.records = 3;
    wave.wave = true;
    auto headerLines = [](const std::string& t, int lines) {
        size_t at = 0;
        while (lines-- > 0) at = t.find('\n', at) + 1;
        return at;
    };
    std::string p = peak.bytes(), w = wave.bytes();
    // Peak header with wave blocks, wave header with peak rows, a single-axis
    // header over triaxial rows that need not fail but must not misread.
    EXPECT_FALSE(load(p.substr(0, headerLines(p, 14)) + w.substr(headerLines(w, 14))));
    EXPECT_FALSE(load(w.substr(0, headerLines(w, 14)) + p.substr(headerLines(p, 14))));
    expectUnchanged("mixed kinds");

    SampleDataFile single = peak;
    single.model = 5100;
    std::string s = single.bytes();
    ASSERT_TRUE(load(s.substr(0, headerLines(s, 14)) + p.substr(headerLines(p, 14))));
    EXPECT_EQ(data.peakRows[2].peak[0], float(peak.peakOf(2, 0)));
    EXPECT_EQ(data.peakRows[2].peak[2], 0.0f);  // Y of a single-axis row stays empty
}

TEST_F(LoaderTest, LineLengthLimitAndLineEnds) {
    SampleDataFile file;
    file.model = 4100;
    file.records = 2;
    std::string text = file.text();
    // The longest line a data file carries is 1022 bytes without its line end.
    std::string longest = text;
    longest.replace(longest.find("1234"), 4, std::string(1022 - 24, '1'));
    ASSERT_EQ(utf8ToCp932("データ親番号,7,製造番号,").value().size(), 24u);
    EXPECT_TRUE(load(utf8ToCp932(longest).value()));
    longest.replace(longest.find("1111"), 1, "11");
    EXPECT_FALSE(load(utf8ToCp932(longest).value()));

    // LF-only line ends and a last line without one read the same.
    std::string lf = file.bytes();
    for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    lf.pop_back();
    ASSERT_TRUE(load(lf));
    EXPECT_EQ(data.peakRows[1].width[0], file.widthOf(1, 0));

    // A NUL ends its line like a C string: the serial number here.
    std::string nul = file.bytes();
    nul.insert(nul.find("1234") + 2, 1, '\0');
    ASSERT_TRUE(load(nul));
    EXPECT_EQ(data.serialNumberText, "12");
}

TEST_F(LoaderTest, AMissingFileFailsAndTheSpareStoreIsReusedAcrossLoads) {
    loadPrevious();
    EXPECT_FALSE(loadDataFile(folder + "/none.CSV", data, identity, host));
    EXPECT_FALSE(loadDataFile(folder, data, identity, host));
    expectUnchanged("missing file");

    // Loading a peak file after a wave file gives no stale wave texts.
    SampleDataFile wave;
    wave.model = 6100;
    wave.wave = true;
    wave.records = 2;
    ASSERT_TRUE(load(wave));
    SampleDataFile peak;
    ASSERT_TRUE(load(peak));
    EXPECT_EQ(data.samplePeriodText, "");
    EXPECT_EQ(data.triggerLevelText, "");
    ASSERT_TRUE(load(wave));
    EXPECT_EQ(data.recordPeriodText, "");
    EXPECT_EQ(data.samplePeriodText, "2");
}

}  // namespace
}  // namespace kv
