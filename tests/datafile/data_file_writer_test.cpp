#include <fcntl.h>
#include <gtest/gtest.h>

#include "datafile/data_file_header.h"
#include "datafile/data_file_lines.h"
#include "datafile/data_file_naming.h"
#include "datafile/data_file_numbers.h"
#include "datafile/data_set.h"
#include "download/download_test_support.h"
#include "settings/pc_settings.h"

namespace kv {
namespace {

using test::at;
using test::cp932Lines;
using test::indexTime;
using test::readFile;

class DataFileWriter : public ::testing::Test {
  protected:
    // A data file of the scratch folder, opened the way openDataFile does.
    DataFile create(const std::string& name) {
        std::string path = folder.file(name);
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        EXPECT_GE(fd, 0);
        return DataFile(fd, path, true);
    }
    // What the writer calls leave in a file.
    template <typename Write>
    std::string written(Write write) {
        DataFile f = create("out" + std::to_string(++files) + ".CSV");
        write(f);
        std::string path = f.path();
        EXPECT_TRUE(f.finish());
        return readFile(path);
    }
    void setPeak(int index, int axis, DateTime t, float plus, int plusWidth, float minus,
                 int minusWidth) {
        PeakRow& row = data.peakRows[index];
        row.time[axis] = t;
        row.peak[2 * axis] = plus;
        row.peak[2 * axis + 1] = minus;
        row.width[2 * axis] = plusWidth;
        row.width[2 * axis + 1] = minusWidth;
    }

    test::ScratchFolder folder;
    DataSet data;
    int files = 0;
};

TEST_F(DataFileWriter, WorkedExampleComesOutByteForByte) {
    RecorderState r = test::exampleRecorder5100();
    setPeak(0, 0, at(2014, 3, 15, 9, 12, 34), 1.25f, 12, -0.5f, 3);
    setPeak(1, 0, at(2014, 3, 15, 10, 1, 2), 12.5f, 20, 0.0f, 0);
    PcSettings settings;
    settings.setDataFolder(folder.path());
    settings.setAutoName(0, true);

    DataFile f = openDataFile(0, settings.dataFileNames(), r, at(2014, 3, 15, 18, 0, 0));
    ASSERT_TRUE(f.isOpen());
    const std::string path = f.path();
    writeFileHeader(f, 5100, 0, r);
    EXPECT_TRUE(writePeakLine(f, data, 0, 5100));
    EXPECT_TRUE(writePeakLine(f, data, 1, 5100));
    ASSERT_TRUE(f.finish());

    EXPECT_EQ(path, folder.file("KV51P07-2014031501-01.CSV"));
    EXPECT_EQ(readFile(path), cp932Lines({
                                  "ＫＶ種別,KV-5100,100Ｇ,内蔵",
                                  "データ親番号,7,製造番号,1234",
                                  "ﾊﾞｯﾃﾘ電圧,3.6,バージョン,1.2",
                                  "動作モード,ピークモード,１軸,上書き無し",
                                  "開始時刻,2014/03/15,09:00:00",
                                  "終了時刻,2014/03/16,17:30:00",
                                  "記録周期,1秒",
                                  "センサ番号,5678",
                                  "センサ感度,2.50",
                                  "計測回数,2",
                                  "",
                                  "",
                                  "",
                                  "年月日,時分秒,G(+),(ms),G(-),(ms)",
                                  "2014/03/15,09:12:34,+1.25,0012,-0.50,0003,",
                                  "2014/03/15,10:01:02,+12.5,0020,-0.00,0000,",
                              }));
}

TEST_F(DataFileWriter, PeakNumbersAroundZeroAndTen) {
    const DateTime t = at(2020, 1, 2, 3, 4, 5);
    setPeak(0, 0, t, 0.0f, 0, -0.0f, 1000);
    setPeak(1, 0, t, 9.999f, 5, -9.999f, 12);
    setPeak(2, 0, t, 10.0f, 999, -10.0f, 1);
    setPeak(3, 0, t, 0.125f, 0, -0.125f, 0);  // exact binary ties round away from zero
    setPeak(4, 0, t, 131.9f, 0, -131.9f, 0);
    std::string text = written([&](DataFile& f) {
        for (int i = 0; i < 5; ++i) writePeakLine(f, data, i, 6100);
    });
    EXPECT_EQ(text,
              "2020/01/02,03:04:05,+0.00,0000,-0.00,1000,\r\n"
              "2020/01/02,03:04:05,+10.00,0005,-10.00,0012,\r\n"
              "2020/01/02,03:04:05,+10.0,0999,-10.0,0001,\r\n"
              "2020/01/02,03:04:05,+0.13,0000,-0.13,0000,\r\n"
              "2020/01/02,03:04:05,+131.9,0000,-131.9,0000,\r\n");
}

TEST_F(DataFileWriter, TriaxialLineSeparatesAxisGroupsByAnEmptyField) {
    setPeak(7, 0, at(2014, 3, 15, 9, 0, 1), 1.25f, 12, -0.5f, 3);
    setPeak(7, 1, at(2014, 3, 15, 9, 0, 2), 2.5f, 1, 0.0f, 0);
    setPeak(7, 2, at(2014, 3, 15, 9, 0, 3), 0.0f, 0, -60.0f, 7);
    std::string text = written([&](DataFile& f) { writePeakLine(f, data, 7, 5300); });
    EXPECT_EQ(text,
              "2014/03/15,09:00:01,+1.25,0012,-0.50,0003,,"
              "2014/03/15,09:00:02,+2.50,0001,-0.00,0000,,"
              "2014/03/15,09:00:03,+0.00,0000,-60.0,0007,\r\n");
}

TEST_F(DataFileWriter, PeakIndexOutsideTheStoreWritesNothing) {
    std::string text = written([&](DataFile& f) {
        EXPECT_FALSE(writePeakLine(f, data, kPeakCapacity, 5100));
        EXPECT_FALSE(writePeakLine(f, data, -1, 5100));
        EXPECT_TRUE(writePeakLine(f, data, kPeakCapacity - 1, 5100));
    });
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

TEST_F(DataFileWriter, FirstGenerationHeaderHasNoVersionAndAllSensors) {
    RecorderState r;
    r.identity.modelCode = 4300;
    r.identity.sensorRange = 50;
    r.legacyInfo = {12, 9, 4300, 3, 1, 501, {11, 22, 33}, {1.25, 10.0, 0.333}, 9.96};
    r.index[4].startTime = indexTime(1999, 12, 31, 23, 59, 59);
    r.index[4].endTime = indexTime(2000, 1, 1, 0, 0, 0);
    r.index[4].recordCount = 0;
    std::string text = written([&](DataFile& f) { writeFileHeader(f, 4300, 4, r); });
    EXPECT_EQ(text, cp932Lines({
                        "ＫＶ種別,KV-4300,50Ｇ,外部",
                        "データ親番号,12,製造番号,501",
                        "ﾊﾞｯﾃﾘ電圧,10.0,バージョン,--",
                        "動作モード,ピークモード,----,上書き無し",
                        "開始時刻,1999/12/31,23:59:59",
                        "終了時刻,2000/01/01,00:00:00",
                        "記録周期,2秒",
                        "センサ番号,11,22,33",
                        "センサ感度,1.25,10.0,0.33",
                        "計測回数,0",
                        "",
                        "",
                        "",
                        "年月日,時分秒,XG(+),(ms),XG(-),(ms),,年月日,時分秒,YG(+),(ms),YG(-),(ms),,"
                        "年月日,時分秒,ZG(+),(ms),ZG(-),(ms)",
                    }));
}

TEST_F(DataFileWriter, WaveHeaderListsAllSensorsAndTriggerLevels) {
    RecorderState r = test::exampleRecorder5100();
    r.info.waveMode = 1;
    r.info.samplePeriodMs = 2;
    r.info.preTrigger = 100;
    r.info.triggerLevel = {10, 20, 30};
    r.info.overwriteMode = 3;
    r.info.recordPeriod = 255;
    r.waveIndex[1].startTime = indexTime(2014, 3, 15, 9, 0, 0);
    r.waveIndex[1].endTime = indexTime(2014, 3, 15, 10, 0, 0);
    r.waveIndex[1].recordCount = {65, 64, 63};

    std::string single = written([&](DataFile& f) { writeFileHeader(f, 5100, 1, r); });
    r.identity.modelCode = r.info.modelCode = 6300;
    r.info.axisMode = 1;
    std::string triaxial = written([&](DataFile& f) { writeFileHeader(f, 6300, 1, r); });

    std::vector<std::string> lines = {
        "ＫＶ種別,KV-5100,100Ｇ,内蔵",
        "データ親番号,7,製造番号,1234",
        "ﾊﾞｯﾃﾘ電圧,3.6,バージョン,1.2",
        "動作モード,波形モード,１軸,Ｚ軸比較",
        "開始時刻,2014/03/15,09:00:00",
        "終了時刻,2014/03/15,10:00:00",
        "ｻﾝﾌﾟﾙ周期,2ms,トリガポイント,100pt",
        "センサ番号,1111,2222,5678",
        "センサ感度,1.50,2.00,2.50",
        "トリガレベル,10％,20％,30％,",
        "計測回数,65",
        "",
        "",
        "",
    };
    EXPECT_EQ(single, cp932Lines(lines));
    lines[0] = "ＫＶ種別,KV-6300,100Ｇ,内蔵";
    lines[3] = "動作モード,波形モード,３軸独立,Ｚ軸比較";
    lines[10] = "計測回数,65,64,63";
    EXPECT_EQ(triaxial, cp932Lines(lines));
}

TEST_F(DataFileWriter, HeaderOfAnUnknownModelOrAClosedFileIsNotWritten) {
    RecorderState r = test::exampleRecorder5100();
    EXPECT_EQ(written([&](DataFile& f) { writeFileHeader(f, 5200, 0, r); }), "");
    DataFile none;
    writeFileHeader(none, 5100, 0, r);
    EXPECT_FALSE(none.finish());
}

// The fixed start of a wave block: empty line, titles, dates, times, maxima
// and widths, then the sample lines.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

TEST_F(DataFileWriter, TriaxialWaveBlockGivesEachRecordFourColumns) {
    for (int p = 0; p < 3; ++p) {
        for (int r = 20; r < 22; ++r) {
            WaveBlock& b = data.waveRecords[p][r];
            b.time = at(2014, 3, 15, 10, 0, r - 20 + p);
            b.width = static_cast<uint16_t>(10 * p + r);
            b.peak = static_cast<float>(-12.34 * (p + 1));
            for (int k = 0; k < kWaveSamples; ++k) b.samples[k] = 0.0f;
            b.samples[511] = 0.125f * (r - 19);
        }
    }
    std::string text = written([&](DataFile& f) { writeWaveBlock(f, data, 20, 10, 2, 5300); });
    auto lines = splitLines(*cp932ToUtf8(text));
    ASSERT_EQ(lines.size(), 6u + 512u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], ",Ｘ軸( 11 ),Ｙ軸( 11 ),Ｚ軸( 11 ),,Ｘ軸( 12 ),Ｙ軸( 12 ),Ｚ軸( 12 ),");
    EXPECT_EQ(lines[2], "日付,2014/03/15,2014/03/15,2014/03/15,,2014/03/15,2014/03/15,2014/03/15,");
    EXPECT_EQ(lines[3], "時刻,10:00:00,10:00:01,10:00:02,,10:00:01,10:00:02,10:00:03,");
    EXPECT_EQ(lines[4], "MAX(G値),-12.3,-24.7,-37.0,,-12.3,-24.7,-37.0,");
    EXPECT_EQ(lines[5], "パルス幅,20,30,40,,21,31,41,");
    EXPECT_EQ(lines[6], "1,0.00,0.00,0.00,,0.00,0.00,0.00,");
    EXPECT_EQ(lines[517], "512,0.13,0.13,0.13,,0.25,0.25,0.25,");
}

TEST_F(DataFileWriter, SingleAxisWaveFileInBlocksOfThirty) {
    for (int r = 0; r < 65; ++r) data.waveRecords[0][r].time = at(2014, 3, 15, 9, 0, 0);
    std::string text = written([&](DataFile& f) {
        EXPECT_TRUE(writeWaveBlock(f, data, 0, 0, 30, 5100));
        EXPECT_TRUE(writeWaveBlock(f, data, 30, 30, 30, 5100));
        EXPECT_TRUE(writeWaveBlock(f, data, 60, 60, 5, 5100));
    });
    auto lines = splitLines(*cp932ToUtf8(text));
    ASSERT_EQ(lines.size(), 3u * 518u);
    std::string third = ",Ｘ軸( 61 ),Ｘ軸( 62 ),Ｘ軸( 63 ),Ｘ軸( 64 ),Ｘ軸( 65 )";
    EXPECT_EQ(lines[2 * 518 + 1], third);
    EXPECT_EQ(lines[518 + 1].substr(0, 14), ",Ｘ軸( 31 ),");
    EXPECT_EQ(lines[2 * 518 + 4], "MAX(G値),0.00,0.00,0.00,0.00,0.00");
}

TEST_F(DataFileWriter, WaveBlockBeyondTheStoreIsRefused) {
    std::string text = written([&](DataFile& f) {
        EXPECT_FALSE(writeWaveBlock(f, data, kWaveCapacity - 2, 0, 3, 5300));
        EXPECT_FALSE(writeWaveBlock(f, data, -1, 0, 1, 5300));
    });
    EXPECT_EQ(text, "");
}

TEST(DataFileNumbers, OneDecimalAfterThreeSignificantDigits) {
    EXPECT_EQ(oneDecimalText(36 * 0.1), "3.6");
    EXPECT_EQ(oneDecimalText(12 / 10.0), "1.2");
    EXPECT_EQ(oneDecimalText(9.96), "10.0");
    EXPECT_EQ(oneDecimalText(12.34), "12.3");
    EXPECT_EQ(oneDecimalText(0), "0.0");
    EXPECT_EQ(oneDecimalText(25.5), "25.5");
}

}  // namespace
}  // namespace kv
