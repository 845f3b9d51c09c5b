// kvtool summary over a folder tree, run as the program: the rows a CSV or
// JSON reader gets, in the same order whatever the number of jobs.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "kvtool_process.h"
#include "kvtool_program.h"

namespace kv {
namespace {

class KvtoolSummary : public test::KvtoolProcess {
  protected:
    // data/          a.CSV (peak, 5300), notes.txt
    // data/b/        c.CSV (wave, 6100), broken.CSV (cut after its header), other.csv
    // data/b/d/      e.csv (peak, 5100, one record)
    void SetUp() override {
        KvtoolProcess::SetUp();
        if (IsSkipped()) return;
        std::filesystem::create_directories(folder + "/data/b/d");
        test::SampleDataFile peak;
        peak.model = 5300;
        peak.records = 4;
        peak.peakOf = [](int r, int a) { return std::array{5.0, 12.5, 30.0, 1.0}[r] + a; };
        file(peak, "data/a.CSV");
        test::SampleDataFile wave;
        wave.model = 6100;
        wave.wave = true;
        wave.records = 2;
        file(wave, "data/b/c.CSV");
        std::string cut = peak.bytes();
        cut.resize(cut.find("2014/03/15,09:00:07") + 12);
        std::ofstream(folder + "/data/b/broken.CSV", std::ios::binary) << cut;
        std::ofstream(folder + "/data/b/other.csv") << "name,value\nx,1\n";
        std::ofstream(folder + "/data/notes.txt") << "not data";
        test::SampleDataFile single;
        single.records = 1;
        file(single, "data/b/d/e.csv");
    }

    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string l; std::getline(in, l);) out.push_back(l);
        return out;
    }
};

TEST_F(KvtoolSummary, CsvRowsInPathOrderWithErrorsAndSkippedFiles) {
    const std::string data = folder + "/data";
    std::ofstream(folder + "/limits.ini") << "[Limits]\nWarningX=10\nAlarmX=30\n";
    ASSERT_EQ(run("--limits '" + folder + "/limits.ini' summary --jobs 1 '" + data + "'"), 1)
        << err;
    const auto rows = lines(out);
    ASSERT_EQ(rows.size(), 5u) << out;
    EXPECT_EQ(rows[0],
              "path,model,kind,serial_number,device_number,start,end,events,"
              "x_max_abs_g,x_events_at_warning,x_events_at_alarm,"
              "y_max_abs_g,y_events_at_warning,y_events_at_alarm,"
              "z_max_abs_g,z_events_at_warning,z_events_at_alarm,"
              "max_delta_v_m_per_s,delta_v_estimated,max_drop_height_m,restitution,verdict,"
              "sha256,error");
    EXPECT_EQ(rows[1].rfind(data + "/a.CSV,5300,peak,1234,7,2014-03-15T09:00:00,"
                                   "2014-03-16T21:00:00,4,30,2,1,31,0,0,32,0,0,",
                            0),
              0u)
        << rows[1];
    EXPECT_NE(rows[1].find(",true,"), std::string::npos);  // peak files estimate
    EXPECT_NE(rows[1].find(",0.5,FAIL,"), std::string::npos);
    EXPECT_EQ(rows[2].rfind(data + "/b/broken.CSV" + std::string(23, ','), 0), 0u) << rows[2];
    EXPECT_GT(rows[2].size(), (data + "/b/broken.CSV").size() + 25);  // the reason
    EXPECT_EQ(rows[3].rfind(data + "/b/c.CSV,6100,wave,", 0), 0u) << rows[3];
    EXPECT_NE(rows[3].find(",,,,,,"), std::string::npos);  // no Y and Z on a single axis
    EXPECT_NE(rows[3].find(",false,"), std::string::npos);
    EXPECT_EQ(rows[4].rfind(data + "/b/d/e.csv,5100,peak,", 0), 0u) << rows[4];
    EXPECT_NE(rows[4].find(",PASS,"), std::string::npos);
    // The file's own digest, as sha256sum gives it.
    std::string sum;
    ASSERT_EQ(test::runCapturing("sha256sum '" + data + "/b/d/e.csv'", sum), 0);
    EXPECT_NE(rows[4].find("," + sum.substr(0, 64) + ","), std::string::npos) << rows[4];
    EXPECT_NE(err.find("4 data files, 1 failed, 2 other files skipped"), std::string::npos) << err;
}

TEST_F(KvtoolSummary, TheSameRowsWithTwoJobsAndAsJsonLines) {
    const std::string data = folder + "/data";
    ASSERT_EQ(run("summary --jobs 1 '" + data + "' '" + data + "/a.CSV'"), 1);
    const std::string one = out;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(run("summary --jobs 2 '" + data + "/b' '" + data + "'"), 1);
        EXPECT_EQ(out, one);  // sorted by path, each file once
    }
    const auto rows = lines(one);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_NE(rows[1].find(",0,0,"), std::string::npos);   // no limits: counts 0
    EXPECT_NE(rows[1].find(",0.5,,"), std::string::npos);  // and no verdict

    ASSERT_EQ(run("summary --jsonl --jobs 2 '" + data + "'"), 1);
    const auto objects = lines(out);
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(objects[0].rfind("{\"path\":\"" + data +
                                   "/a.CSV\",\"model\":5300,\"kind\":\"peak\","
                                   "\"serial_number\":\"1234\"",
                               0),
              0u)
        << objects[0];
    EXPECT_NE(objects[0].find("\"delta_v_estimated\":true"), std::string::npos);
    EXPECT_NE(objects[0].find("\"verdict\":null"), std::string::npos);
    EXPECT_NE(objects[0].find("\"error\":null}"), std::string::npos);
    EXPECT_NE(objects[1].find("\"model\":null"), std::string::npos) << objects[1];
    EXPECT_NE(objects[2].find("\"y_max_abs_g\":null"), std::string::npos) << objects[2];
}

TEST_F(KvtoolSummary, UsageAndUnusableLimits) {
    std::ofstream(folder + "/bad.ini") << "[Limits]\nWarningX=40\nAlarmX=30\n";
    EXPECT_EQ(run("--limits '" + folder + "/bad.ini' summary '" + folder + "/data/a.CSV'"), 1);
    EXPECT_NE(err.find("[Limits] AlarmX:"), std::string::npos) << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(run("summary"), 2);
    EXPECT_EQ(run("summary --jobs 0 x"), 2);
    EXPECT_EQ(run("summary --csv --jsonl x"), 2);
    EXPECT_EQ(run("summary '" + folder + "/missing'"), 1);
    EXPECT_NE(out.find("/missing,"), std::string::npos);
}

}  // namespace
}  // namespace kv
