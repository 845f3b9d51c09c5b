// kvtool report, run as the program: the PDF read back page by page as text
// (verdict, table values, event rows), the exit statuses, and no PDF when a
// file or the output fails.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "kvtool_process.h"
#include "kvtool_program.h"

namespace kv {
namespace {

class KvtoolReport : public test::KvtoolProcess {
  protected:
    void SetUp() override {
        KvtoolProcess::SetUp();
        if (IsSkipped()) return;
        if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
            GTEST_FAIL() << "pdftotext is missing: scripts/deps.sh installs poppler-utils";
        std::ofstream(folder + "/limits.ini")
            << "[Limits]\nWarningX=10\nAlarmX=20\nWarningY=10\nAlarmY=20\nWarningZ=10\n"
               "AlarmZ=20\nDeltaV=5\n";
    }
    // The text of pages first … last of the PDF.
    std::string pages(const std::string& pdf, int first, int last) {
        std::string text;
        test::runCapturing("pdftotext -f " + std::to_string(first) + " -l " + std::to_string(last) +
                               " '" + pdf + "' -",
                           text);
        return text;
    }
    int pageCount(const std::string& pdf) {
        std::string info;
        test::runCapturing("pdfinfo '" + pdf + "' | sed -n 's/^Pages: *//p'", info);
        return std::atoi(info.c_str());
    }
    std::string limits() const { return "--limits '" + folder + "/limits.ini' "; }

    // A triaxial peak file: row 2 reaches the alarm level on Y, rows 1 and 4
    // the warning level on X, row 3 stays below.
    std::string peakFile() {
        test::SampleDataFile f;
        f.model = 5300;
        f.records = 4;
        f.peakOf = [](int r, int a) {
            const double rows[4][3] = {{12.5, 1, 1}, {3, 25.5, 2}, {9.99, 9.99, 9.99}, {10, 0, 0}};
            return rows[r][a];
        };
        f.widthOf = [](int r, int) { return 10 + r; };
        return file(f, "KV53P07-2014031501-01.CSV");
    }
    // A single-axis wave file at 1 ms: record 2 a 15 G, 11 ms half-sine, the
    // others still.
    std::string waveFile() {
        test::SampleDataFile f;
        f.model = 6100;
        f.wave = true;
        f.records = 3;
        f.samplePeriodMs = 1;
        f.sampleOf = [](int r, int, int s) {
            const double x = (s - 100.5) / 11;
            return r == 1 && x >= 0 && x <= 1 ? 15 * std::sin(std::numbers::pi * x) : 0.0;
        };
        return file(f, "KV61W07-2014031502-01.CSV");
    }
};

TEST_F(KvtoolReport, PeakFileVerdictTableAndEvents) {
    const std::string pdf = folder + "/peak.pdf";
    ASSERT_EQ(run(limits() + "report '" + peakFile() + "' --out '" + pdf + "'"), 0) << err;
    ASSERT_EQ(pageCount(pdf), 2);
    const std::string first = pages(pdf, 1, 1);
    for (const char* piece : {
             "判定: 不合格", "Ｙ軸の警報レベル 20 G 以上: 1 回 (最大 25.5 G、記録 2)",
             "KV-5300 ピークモード", "2.50, 2.50, 2.50", "Ｘ軸: 注意レベル 10 G、警報レベル 20 G",
             "速度変化の上限: 5 m/s",
             "ピークモードのため、速度変化と落下高さは各パルスを半正弦波とみなした推定値です。",
             "最大速度変化 m/s (推定)",
             "+12.5",  // X's largest positive peak
             "-12.8",  // Y's largest negative peak: -25.5 / 2
         })
        EXPECT_NE(first.find(piece), std::string::npos) << piece << "\n" << first;
    // The file's digest, as sha256sum gives it.
    std::string sum;
    ASSERT_EQ(test::runCapturing("sha256sum '" + folder + "/KV53P07-2014031501-01.CSV'", sum), 0);
    EXPECT_NE(first.find(sum.substr(0, 64)), std::string::npos);

    // Three events reached a level, largest first; row 3 (9.99 G) did not.
    const std::string events = pages(pdf, 2, 2);
    EXPECT_NE(events.find("全 3 件。"), std::string::npos) << events;
    const size_t second = events.find("2014/03/15 09:01:08");  // row 2: 25.5 G
    const size_t first4 = events.find("2014/03/15 09:00:07");  // row 1: 12.5 G
    const size_t fourth = events.find("2014/03/15 09:03:10");  // row 4: 10 G
    ASSERT_NE(second, std::string::npos) << events;
    EXPECT_LT(second, first4);
    EXPECT_LT(first4, fourth);
    EXPECT_EQ(events.find("2014/03/15 09:02:09"), std::string::npos);
    EXPECT_NE(events.find("不合格 (警報レベル)"), std::string::npos);
    EXPECT_NE(events.find("注意 (注意レベル)"), std::string::npos);
    EXPECT_NE(events.find("反発係数 e = 0.5、衝撃応答スペクトルの Q = 10"), std::string::npos);
}

TEST_F(KvtoolReport, WaveFileWithItsEventPageAndNoLimits) {
    const std::string pdf = folder + "/wave.pdf";
    ASSERT_EQ(run(limits() + "report '" + waveFile() + "' --out '" + pdf + "' --exit-code"), 0)
        << err;
    const std::string text = pages(pdf, 1, pageCount(pdf));
    for (const char* piece : {
             "判定: 注意",
             "Ｘ軸の注意レベル 10 G 以上: 1 回 (最大 15 G、記録 2)",
             "KV-6100 波形モード",
             "1 ms、トリガポイント 100 pt",
             "記録数 (衝撃数)",
             "全 1 件。",
             "1. 記録 2 2014/03/15 09:01:08 注意 (注意レベル)",  // the text keeps one blank
             "半正弦波",
             "衝撃応答スペクトル (G、Q = 10)",
         })
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
    EXPECT_EQ(text.find("推定"), std::string::npos);  // measured, not estimated

    ASSERT_EQ(run("report '" + waveFile() + "' --out '" + pdf + "'"), 0) << err;
    const std::string none = pages(pdf, 1, 1);
    EXPECT_NE(none.find("判定: 判定なし"), std::string::npos) << none;
    EXPECT_NE(none.find("判定基準が設定されていません。判定は行いません。"), std::string::npos);
}

TEST_F(KvtoolReport, SeveralFilesOpenWithTheirTableAndTheExitCodeTellsAFailure) {
    const std::string pdf = folder + "/all.pdf";
    ASSERT_EQ(run(limits() + "report '" + waveFile() + "' '" + peakFile() + "' --top 1 --out '" +
                  pdf + "' --exit-code"),
              3)
        << err;
    const std::string table = pages(pdf, 1, 1);
    for (const char* piece : {"ファイルの一覧", "2 ファイル: 合格 0 件、注意 1 件、不合格 1 件",
                              "KV61W07-2014031502-01.CSV", "KV53P07-2014031501-01.CSV"})
        EXPECT_NE(table.find(piece), std::string::npos) << piece << "\n" << table;
    const std::string rest = pages(pdf, 2, pageCount(pdf));
    EXPECT_LT(rest.find("KV-6100 波形モード"), rest.find("KV-5300 ピークモード"));
    EXPECT_NE(rest.find("全 3 件のうち大きい順に 1 件を示します。"), std::string::npos) << rest;
}

TEST_F(KvtoolReport, NoPdfWhenAFileOrTheOutputFails) {
    std::ofstream(folder + "/broken.CSV") << "ＫＶ種別 and nothing else";
    const std::string pdf = folder + "/out.pdf";
    EXPECT_EQ(run("report '" + peakFile() + "' '" + folder + "/broken.CSV' --out '" + pdf + "'"),
              1);
    EXPECT_NE(err.find("broken.CSV"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(run("report '" + peakFile() + "' --out '" + folder + "/no/such/folder/out.pdf'"), 1);
    EXPECT_FALSE(std::filesystem::exists(folder + "/no"));
    EXPECT_EQ(run("report '" + peakFile() + "'"), 2);  // no --out
    EXPECT_EQ(run("report --out x.pdf --top -1 '" + peakFile() + "'"), 2);
    // No PDF and no temporary file left behind.
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find("pdf"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace kv
