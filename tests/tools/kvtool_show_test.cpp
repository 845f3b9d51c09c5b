// kvtool show, run as the program it is: what a script sees on stdout and in
// the exit status.
#include <regex>
#include <sstream>
#include <vector>

#include "kvtool_process.h"

namespace kv {
namespace {

using KvtoolShow = test::KvtoolProcess;

TEST_F(KvtoolShow, PeakFileAsJson) {
    test::SampleDataFile sample;
    sample.model = 4300;
    sample.records = 2;
    sample.peakOf = [](int r, int a) { return r == 1 && a == 2 ? 0.1 : 12.5; };
    std::string path = file(sample, "peak.CSV");
    ASSERT_EQ(run("show '" + path + "' --json"), 0) << err;
    EXPECT_EQ(out.back(), '\n');
    for (const char* piece :
         {"\"modelText\":\"4300\"", "\"sensorPlaceText\":\"内蔵\"", "\"recordPeriodText\":\"1秒\"",
          "\"startTime\":\"2014/03/15 09:00:00\"", "\"rangeG\":100", "\"lastIndex\":1",
          "\"modelCode\":4300", "\"sensorRange\":100", "\"waveData\":0",
          "\"time\":[\"2014/03/15 09:01:08\",\"2014/03/15 09:01:09\",\"2014/03/15 09:01:10\"]",
          // 0.1 as a float reads back from its shortest text, not 0.10000000149011612.
          "\"peak\":[12.5,-6.25,12.5,-6.25,0.1,-0.05]"})
        EXPECT_NE(out.find(piece), std::string::npos) << piece << "\n" << out;
    EXPECT_EQ(out.find("waveRecords"), std::string::npos);
}

// A protocol trace replaces its file, so it is never given a data file.
TEST_F(KvtoolShow, TraceNeverReplacesADataFile) {
    test::SampleDataFile sample;
    sample.model = 4300;
    const std::string path = file(sample, "peak.CSV");
    const std::string before = slurp(path);
    EXPECT_EQ(run("--port /dev/null --trace '" + path + "' info"), 2);
    EXPECT_NE(err.find("data file"), std::string::npos) << err;
    EXPECT_EQ(slurp(path), before);
}

TEST_F(KvtoolShow, WaveFileIsPutInTimeOrder) {
    test::SampleDataFile sample;
    sample.model = 6300;
    sample.wave = true;
    sample.english = true;
    sample.records = 2;
    sample.timeOf = [&](int r) { return sample.start + (2 - r) / 24.0; };
    sample.peakOf = [](int r, int a) { return r == 0 ? std::array{3, 4, 12}[a] : 1; };
    ASSERT_EQ(run("show --json '" + file(sample, "wave.CSV") + "'"), 0) << err;
    size_t first = out.find("\"time\":\"2014/03/15 10:00:00\"");
    size_t second = out.find("\"time\":\"2014/03/15 11:00:00\"");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    // Each member lists its value per plane, X, Y, Z.
    EXPECT_NE(out.find("\"width\":[0,1,2],\"peak\":[3,4,12],\"resultantG\":[13,13,13],"
                       "\"samples\":[[-8,"),
              std::string::npos)
        << out.substr(0, 2000);
    EXPECT_NE(out.find("\"modeText\":\"Wave Mode\""), std::string::npos);
}

TEST_F(KvtoolShow, FailedLoadsPrintNothingAndExitOne) {
    test::SampleDataFile zero;
    zero.model = 5100;
    zero.wave = true;
    zero.records = 0;
    EXPECT_EQ(run("show --json '" + file(zero, "zero.CSV") + "'"), 1);
    EXPECT_EQ(out, "");
    EXPECT_NE(err.find("存在しません"), std::string::npos);

    EXPECT_EQ(run("show '" + folder + "/missing.CSV'"), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run("show"), 2);
    EXPECT_EQ(out, "");
}

// kvtool list: the list window's rows for the whole file, in its order.
TEST_F(KvtoolShow, ListSortsByAColumnAndPrintsTheWindowsTexts) {
    test::SampleDataFile sample;
    sample.model = 4100;
    sample.records = 3;
    sample.peakOf = [](int r, int) { return r == 1 ? 200.0 : 2.0 + r; };  // range 100
    const std::string path = file(sample, "peak.CSV");
    ASSERT_EQ(run("list '" + path + "' --sort 3"), 0) << err;
    EXPECT_EQ(out,
              "No\tDataNo\t年月日\t時分秒\tＧ(+)\tms\tＧ(-)\tms\n"
              "1\t2\t2014/03/15\t09:01:08\t+OVER\t7\t-100.0\t3\n"
              "2\t3\t2014/03/15\t09:02:09\t4.00\t14\t-2.00\t7\n"
              "3\t1\t2014/03/15\t09:00:07\t2.00\t0\t-1.00\t0\n");
    ASSERT_EQ(run("list '" + path + "' --sort 5 --smallest --signed --json"), 0) << err;
    EXPECT_EQ(out.rfind("{\"columns\":[\"No\",\"DataNo\",\"年月日\",", 0), 0u) << out;
    EXPECT_NE(out.find("\"rows\":[[\"1\",\"2\","), std::string::npos) << out;
    // Usage errors: no such column, two directions.
    EXPECT_EQ(run("list '" + path + "' --sort 7"), 2);
    EXPECT_EQ(run("list '" + path + "' --largest --smallest"), 2);
    EXPECT_EQ(run("list '" + folder + "/none.CSV'"), 1);
}

// The (No, DataNo) pairs of a PDF's table rows, as a text extractor reads them.
std::vector<std::pair<int, int>> printedRows(const std::string& pdf) {
    const std::string text = pdf + ".txt";
    if (std::system(("pdftotext -layout '" + pdf + "' '" + text + "'").c_str()) != 0) return {};
    std::ifstream in(text);
    std::vector<std::pair<int, int>> rows;
    static const std::regex row(R"(^\s*(\d+)\s+(\d+)\s+\d{4}/\d\d/\d\d\s)");
    std::smatch m;
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, m, row)) rows.emplace_back(std::stoi(m[1]), std::stoi(m[2]));
    return rows;
}

// kvtool print: the list's printout in the order kvtool list shows.
TEST_F(KvtoolShow, PrintFollowsTheListsOrderAndRange) {
    test::SampleDataFile sample;
    sample.model = 4300;
    sample.records = 30;
    sample.peakOf = [](int r, int a) { return ((r * 7) % 30) * 0.5 - a; };
    const std::string path = file(sample, "triaxial.CSV");
    ASSERT_EQ(run("list '" + path + "' --sort 3 --smallest"), 0) << err;
    std::vector<std::pair<int, int>> listed;
    std::istringstream lines(out);
    std::string line;
    std::getline(lines, line);  // captions
    while (std::getline(lines, line)) {
        int no = 0, dataNo = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d\t%d", &no, &dataNo), 2) << line;
        listed.emplace_back(no, dataNo);
    }
    ASSERT_EQ(listed.size(), 30u);

    const std::string pdf = folder + "/list.pdf";
    // The offscreen platform whatever the caller's environment names.
    ASSERT_EQ(run("print '" + path + "' --sort 3 --smallest --range 2-25 --out '" + pdf + "'",
                  "QT_QPA_PLATFORM=xcb DISPLAY="),
              0)
        << err;
    const std::vector<std::pair<int, int>> expected(listed.begin() + 1, listed.begin() + 25);
    EXPECT_EQ(printedRows(pdf), expected);
    ASSERT_EQ(run("print '" + path + "' --out '" + pdf + "'"), 0) << err;
    EXPECT_EQ(printedRows(pdf).size(), 30u);

    struct Bad {
        std::string args;
        int status;
        std::string message;
    };
    const Bad bad[] = {
        {"print '" + path + "'", 2, "--out"},
        {"print '" + path + "' --out x.pdf --range 5-3", 2, "開始終了位置が逆です。"},
        {"print '" + path + "' --out x.pdf --range 1-31", 2, "終了位置入力エラー！！"},
        {"print '" + path + "' --out x.pdf --range 7", 2, "FIRST-LAST"},
        {"print '" + path + "' --out x.pdf --json", 2, "--json"},
        {"print '" + path + "' --out x.pdf --sort 19", 2, "1 to 18"},
        {"print '" + folder + "/none.CSV' --out x.pdf", 1, "could not be loaded"},
        {"print '" + path + "' --out '" + folder + "/no/such/dir/x.pdf'", 1, "cannot write"},
    };
    for (const Bad& b : bad) {
        EXPECT_EQ(run(b.args), b.status) << b.args;
        EXPECT_NE(err.find(b.message), std::string::npos) << b.args << ": " << err;
    }
}

}  // namespace
}  // namespace kv
