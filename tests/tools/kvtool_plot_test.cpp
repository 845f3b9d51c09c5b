// kvtool plot, run as the program it is: the files it writes, what they hold,
// and its refusals.
#include "kvtool_process.h"

namespace kv {
namespace {

class KvtoolPlot : public test::KvtoolProcess {
  protected:
    // The PNG's width and height from its header.
    static std::pair<int, int> pngSize(const std::string& bytes) {
        auto be32 = [&](size_t at) {
            return (static_cast<unsigned char>(bytes[at]) << 24) |
                   (static_cast<unsigned char>(bytes[at + 1]) << 16) |
                   (static_cast<unsigned char>(bytes[at + 2]) << 8) |
                   static_cast<unsigned char>(bytes[at + 3]);
        };
        if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
        return {be32(16), be32(20)};
    }
};

TEST_F(KvtoolPlot, PngOfTheWindowsBoxesAtTheDefaultOrGivenSize) {
    test::SampleDataFile peak;
    peak.model = 5300;
    peak.records = 40;
    const std::string csv = file(peak, "KV53P.csv");
    ASSERT_EQ(run("plot '" + csv + "' --out '" + folder + "/a.png'"), 0) << err;
    EXPECT_EQ(pngSize(slurp(folder + "/a.png")), std::make_pair(675, 365));
    ASSERT_EQ(run("plot '" + csv + "' --out '" + folder +
                  "/b.png' --view 4 --size 800x600"
                  " --time-zoom 7 --g-zoom 2 --scroll 1,30"),
              0)
        << err;
    EXPECT_EQ(pngSize(slurp(folder + "/b.png")), std::make_pair(800, 600));
    // The title adds its lines above the graphs.
    ASSERT_EQ(run("plot '" + csv + "' --out '" + folder + "/c.png' --title"), 0) << err;
    const auto [w, h] = pngSize(slurp(folder + "/c.png"));
    EXPECT_EQ(w, 675);
    EXPECT_GT(h, 365 + 20);
}

TEST_F(KvtoolPlot, SvgAndPdfHoldTheLabelsAsText) {
    test::SampleDataFile wave;
    wave.model = 6300;
    wave.wave = true;
    wave.records = 4;
    const std::string csv = file(wave, "KV63W.csv");
    ASSERT_EQ(run("plot '" + csv + "' --out '" + folder + "/w.svg' --record 3"), 0) << err;
    const std::string svg = slurp(folder + "/w.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("120(G)"), std::string::npos);
    EXPECT_NE(svg.find("1000(ms)"), std::string::npos);
    EXPECT_EQ(svg.find("No.3--"), std::string::npos);  // no title unless asked for
    ASSERT_EQ(run("plot '" + csv + "' --out '" + folder + "/t.svg' --record 3 --title"), 0) << err;
    const std::string titled = slurp(folder + "/t.svg");
    EXPECT_NE(titled.find("No.3--"), std::string::npos);
    EXPECT_NE(titled.find("KV63W.csv"), std::string::npos);

    ASSERT_EQ(run("plot '" + csv + "' --out '" + folder + "/w.pdf' --view 1 --record 3"), 0) << err;
    if (std::system("command -v pdftotext >/dev/null") != 0) GTEST_SKIP() << "no pdftotext";
    ASSERT_EQ(std::system(("pdftotext '" + folder + "/w.pdf' '" + folder + "/w.txt'").c_str()), 0);
    const std::string text = slurp(folder + "/w.txt");
    EXPECT_NE(text.find("No.3--"), std::string::npos) << text;
    EXPECT_NE(text.find("KV63W.csv"), std::string::npos) << text;
    EXPECT_NE(text.find("120(G)"), std::string::npos) << text;
}

TEST_F(KvtoolPlot, RefusalsLeaveNoFileBehind) {
    test::SampleDataFile single;
    single.model = 5100;
    const std::string csv = file(single, "KV51P.csv");
    struct Case {
        std::string args;
        int status;
    };
    const Case cases[] = {
        {"plot '" + csv + "' --out '" + folder + "/x.pdf' --view 4", 2},
        {"plot '" + csv + "' --out '" + folder + "/x.jpg'", 2},
        {"plot '" + csv + "' --out '" + folder + "/x.png' --record 2", 2},
        {"plot '" + csv + "' --out '" + folder + "/x.png' --g-zoom 4", 2},
        {"plot '" + csv + "' --out '" + folder + "/x.png' --scroll 0,5 --time-zoom 1", 2},
        {"plot '" + folder + "/missing.csv' --out '" + folder + "/x.png'", 1},
        {"plot '" + csv + "' --out '" + folder + "/no/such/folder/x.png'", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args;
        EXPECT_FALSE(err.empty()) << c.args;
        EXPECT_FALSE(std::filesystem::exists(folder + "/x.png")) << c.args;
        EXPECT_FALSE(std::filesystem::exists(folder + "/x.pdf")) << c.args;
    }
    // Only the plot starts Qt: the other commands run without any Qt plugin.
    EXPECT_EQ(run("show '" + csv + "'", "QT_PLUGIN_PATH=/nonexistent QT_QPA_PLATFORM=none"), 0)
        << err;
}

TEST_F(KvtoolPlot, ChartsOfTheShockAnalysisAsPicturesAndPages) {
    test::SampleDataFile wave;
    wave.model = 6300;
    wave.wave = true;
    wave.records = 3;
    wave.samplePeriodMs = 1;
    const std::string w = file(wave, "KV63W.csv");
    test::SampleDataFile peak;
    peak.model = 6300;
    peak.records = 50;
    const std::string p = file(peak, "KV63P.csv");

    ASSERT_EQ(run("plot '" + w + "' --srs --record 2 --out '" + folder + "/s.png'"), 0) << err;
    EXPECT_EQ(pngSize(slurp(folder + "/s.png")), std::make_pair(640, 400));
    ASSERT_EQ(run("plot '" + w + "' --srs --pvss --q 20 --out '" + folder + "/v.svg'"), 0) << err;
    const std::string svg = slurp(folder + "/v.svg");
    // Qt writes a text run per script: "周波数 (" and "Hz)" apart.
    for (const char* text : {">擬似速度 (<", ">m/s)<", ">周波数 (<", "Q=20)", "No.1--", ">100<"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    ASSERT_EQ(run("plot '" + p + "' --histogram --log --size 900x500 --out '" + folder + "/h.png'"),
              0)
        << err;
    EXPECT_EQ(pngSize(slurp(folder + "/h.png")), std::make_pair(900, 500));
    ASSERT_EQ(run("plot '" + p + "' --histogram --out '" + folder + "/h.pdf'"), 0) << err;
    if (std::system("command -v pdftotext >/dev/null") == 0) {
        ASSERT_EQ(std::system(("pdftotext '" + folder + "/h.pdf' '" + folder + "/h.txt'").c_str()),
                  0);
        const std::string text = slurp(folder + "/h.txt");
        for (const char* t : {"KV63P.csv", "データ数：50", "ピーク値 (G)", "≥100"})
            EXPECT_NE(text.find(t), std::string::npos) << t << "\n" << text;
    }

    // The chart must suit the file, and the options the chart.
    const std::string out = " --out '" + folder + "/x.png'";
    const std::string refused[] = {
        "plot '" + p + "' --srs" + out,
        "plot '" + w + "' --histogram" + out,
        "plot '" + w + "' --srs --record 4" + out,
        "plot '" + w + "' --srs --q 1" + out,
        "plot '" + w + "' --srs --histogram" + out,
        "plot '" + w + "' --srs --view 1" + out,
        "plot '" + w + "' --pvss" + out,
        "plot '" + p + "' --histogram --record 2" + out,
    };
    for (const std::string& args : refused) {
        EXPECT_EQ(run(args), 2) << args;
        EXPECT_FALSE(err.empty()) << args;
        EXPECT_FALSE(std::filesystem::exists(folder + "/x.png")) << args;
    }
}

}  // namespace
}  // namespace kv
