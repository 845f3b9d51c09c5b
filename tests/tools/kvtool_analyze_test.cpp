// kvtool analyze, run as the program it is: the JSON a script reads and the
// exit statuses.
#include <cmath>
#include <numbers>
#include <regex>

#include "kvtool_process.h"

namespace kv {
namespace {

using KvtoolAnalyze = test::KvtoolProcess;

size_t occurrences(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

// A triaxial wave file at 1 ms: record 1 a 50 G, 11 ms half-sine on X, record
// 2 a clipped square on Z, everything else still.
test::SampleDataFile waveFile() {
    test::SampleDataFile f;
    f.model = 6300;
    f.wave = true;
    f.samplePeriodMs = 1;
    f.records = 2;
    f.sampleOf = [](int r, int a, int s) {
        const double x = (s - 100.5) / 11;
        if (r == 0 && a == 0 && x >= 0 && x <= 1) return 50 * std::sin(std::numbers::pi * x);
        if (r == 1 && a == 2 && s >= 200 && s < 220) return 120.0;
        return 0.0;
    };
    return f;
}

TEST_F(KvtoolAnalyze, WaveFileAsJson) {
    const std::string path = file(waveFile(), "wave.CSV");
    ASSERT_EQ(run("analyze '" + path + "' --json --restitution 0.5"), 0) << err;
    EXPECT_EQ(out.back(), '\n');
    EXPECT_EQ(out.rfind("{\"file\":\"" + path +
                            "\",\"model\":6300,\"kind\":\"wave\",\"samplePeriodMs\":1,"
                            "\"rangeG\":100,\"restitution\":0.5,\"q\":10,\"records\":[",
                        0),
              0u)
        << out.substr(0, 300);
    for (const char* piece : {
             "{\"record\":1,\"time\":\"2014-03-15T09:00:07\",\"axes\":[{\"axis\":\"X\","
             "\"peakG\":50,\"durationMs\":",
             "\"shape\":\"half-sine\",\"clipped\":false},{\"axis\":\"Y\",\"peakG\":0,"
             "\"durationMs\":0,\"deltaV\":0,\"shape\":\"unknown\",\"clipped\":false},",
             "{\"record\":2,\"time\":\"2014-03-15T09:01:08\"",
             "{\"axis\":\"Z\",\"peakG\":120,",
             "\"shape\":\"trapezoid\",\"clipped\":true}],\"deltaV\":",
         })
        EXPECT_NE(out.find(piece), std::string::npos) << piece << "\n" << out;
    EXPECT_EQ(out.find("\"srs\""), std::string::npos);

    // Velocity change and height as numbers in full: the half-sine's ΔV is
    // 3.43 m/s within 2 %, and its height (ΔV / 1.5)² / 2g.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        out, m, std::regex("\"deltaV\":([0-9.e+-]+),\"dropHeight\":([0-9.e+-]+)")));
    const double deltaV = std::stod(m[1]);
    EXPECT_NEAR(deltaV, 3.43, 0.07);
    EXPECT_GT(m[1].length(), 8);  // not rounded for reading
    EXPECT_NEAR(std::stod(m[2]), std::pow(deltaV / 1.5, 2) / (2 * 9.80665), 1e-12);
}

TEST_F(KvtoolAnalyze, OneRecordWithItsSpectrum) {
    const std::string path = file(waveFile(), "wave.CSV");
    ASSERT_EQ(run("analyze --srs --record 2 --q 20 --json '" + path + "'"), 0) << err;
    EXPECT_EQ(occurrences(out, "{\"record\":"), 1u);
    EXPECT_NE(out.find("{\"record\":2,"), std::string::npos);
    EXPECT_NE(out.find("\"q\":20,"), std::string::npos);
    // 1 ms samples: 2 Hz to 2^(79/12) Hz, one spectrum per axis, then the
    // pseudo-velocity of the same form.
    EXPECT_NE(out.find("\"srs\":{\"frequencies\":[2,2.1189"), std::string::npos) << out;
    EXPECT_NE(out.find("\"pvss\":{\"frequencies\":[2,2.1189"), std::string::npos);
    EXPECT_EQ(occurrences(out, "\"X\":["), 2u);
    EXPECT_EQ(occurrences(out, "\"Z\":["), 2u);
    EXPECT_NE(out.find("\"X\":[0,0,0,"), std::string::npos);  // a still axis

    ASSERT_EQ(run("analyze --srs --record 1 '" + path + "'"), 0) << err;
    EXPECT_NE(out.find("half-sine"), std::string::npos);
    EXPECT_NE(out.find("drop height"), std::string::npos);
    EXPECT_NE(out.find("(e = 0.5)"), std::string::npos);
    EXPECT_NE(out.find("shock response spectrum (Q = 10)"), std::string::npos);
}

TEST_F(KvtoolAnalyze, PeakFileStatisticsAndEvents) {
    test::SampleDataFile f;
    f.model = 5100;
    f.records = 3;
    f.rangeField = "10Ｇ";
    f.peakOf = [](int r, int) { return std::array{0.5, 12.0, 0.0}[r]; };
    f.widthOf = [](int r, int) { return std::array{11, 20, 0}[r]; };
    const std::string path = file(f, "peak.CSV");
    ASSERT_EQ(run("analyze --json --srs '" + path + "'"), 0) << err;  // no spectrum for peaks
    for (const char* piece : {
             "\"kind\":\"peak\",\"rangeG\":10,\"restitution\":0.5,\"q\":10,\"axes\":[{",
             "\"axis\":\"X\",\"events\":2,\"maxPositive\":{\"g\":12,\"record\":2,\"time\":"
             "\"2014-03-15T09:01:08\"},\"maxNegative\":{\"g\":-6,\"record\":2,",
             "\"histogram\":{\"edges\":[0,1,2,3,4,5,6,7,8,9,10],"
             "\"counts\":[1,0,0,0,0,0,0,0,0,0,1]}}],\"dropHeightPercentiles\":{\"50\":",
         })
        EXPECT_NE(out.find(piece), std::string::npos) << piece << "\n" << out;
    EXPECT_EQ(out.find("\"records\""), std::string::npos);
    EXPECT_EQ(out.find("samplePeriodMs"), std::string::npos);

    ASSERT_EQ(run("analyze --events --json '" + path + "'"), 0) << err;
    EXPECT_EQ(occurrences(out, "{\"record\":"), 3u);
    EXPECT_NE(out.find("{\"record\":3,\"time\":\"2014-03-15T09:02:09\",\"deltaV\":0,"
                       "\"dropHeight\":0}"),
              std::string::npos)
        << out;
    ASSERT_EQ(run("analyze --record 1 --json '" + path + "'"), 0) << err;
    EXPECT_EQ(occurrences(out, "{\"record\":"), 1u);

    ASSERT_EQ(run("analyze '" + path + "'"), 0) << err;
    EXPECT_NE(out.find("axis X: 2 events"), std::string::npos) << out;
    EXPECT_NE(out.find("estimated drop height"), std::string::npos);
}

TEST_F(KvtoolAnalyze, TheRestitutionComesFromTheSettingsUnlessGiven) {
    const std::string path = file(waveFile(), "wave.CSV");
    std::ofstream(folder + "/kv.ini") << "[Analysis]\r\nRestitution=0.25\r\nQ=12.5\r\n";
    const std::string ini = " --ini '" + folder + "/kv.ini'";
    ASSERT_EQ(run("analyze --json '" + path + "'" + ini), 0) << err;
    EXPECT_NE(out.find("\"restitution\":0.25,\"q\":12.5,"), std::string::npos);
    ASSERT_EQ(run("analyze --json --restitution 0 '" + path + "'" + ini), 0) << err;
    EXPECT_NE(out.find("\"restitution\":0,\"q\":12.5,"), std::string::npos);
}

TEST_F(KvtoolAnalyze, FailuresAndUsageErrors) {
    const std::string path = "'" + file(waveFile(), "wave.CSV") + "'";
    const struct {
        std::string args;
        int status;
    } cases[] = {
        {"analyze '" + folder + "/missing.CSV'", 1},
        {"analyze", 2},
        {"analyze " + path + " --record 3", 2},
        {"analyze " + path + " --record 0", 2},
        {"analyze " + path + " --record", 2},
        {"analyze " + path + " --restitution 0.96", 2},
        {"analyze " + path + " --restitution -0.1", 2},
        {"analyze " + path + " --restitution half", 2},
        {"analyze " + path + " --q 1.9", 2},
        {"analyze " + path + " --q 51", 2},
        {"analyze " + path + " --plot", 2},
        {"analyze " + path + " " + path, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args;
        EXPECT_EQ(out, "") << c.args;
        EXPECT_FALSE(err.empty()) << c.args;
    }
    EXPECT_EQ(run("analyze --help"), 0);
    EXPECT_NE(out.find("dropHeightPercentiles"), std::string::npos);
}

}  // namespace
}  // namespace kv
