// kvtool download as a program, over a real pseudo-terminal against kvsim, in
// real time: a few runs that cover the termios line, the options and the exit
// statuses. The download logic itself is tested on the virtual clock.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "datafile/data_file_loader.h"
#include "download/download_test_support.h"
#include "support/kvsim_process.h"
#include "support/recording_host.h"
#include "tools/kvtool_program.h"

namespace kv {
namespace {

struct ToolRun {
    int status = -1;
    std::string out, err;
    std::vector<std::string> outLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        return lines;
    }
};

// Runs kvtool with the words, its output into files of the scratch folder (or
// standard output into outTarget).
ToolRun runKvtool(const test::ScratchFolder& folder, std::vector<std::string> words,
                  const std::string& outTarget = "") {
    const std::string outPath = outTarget.empty() ? folder.file("stdout") : outTarget;
    const std::string errPath = folder.file("stderr");
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t pid = test::startKvtool(std::move(words), out, err);
    ::close(out);
    ::close(err);
    ToolRun run;
    if (pid < 0) {
        run.err = "cannot start kvtool";
        return run;
    }
    run.status = test::waitForExit(pid, 120'000);
    if (outTarget.empty()) run.out = test::readFile(outPath);
    run.err = test::readFile(errPath);
    return run;
}

class KvtoolDownloadPty : public ::testing::Test {
  protected:
    // kvtool download against kvsim started with the options; the data go to
    // a folder of their own, the settings to an INI file that does not exist.
    ToolRun download(const std::vector<std::string>& simOptions,
                     const std::vector<std::string>& words, const std::string& outTarget = "") {
        test::KvsimProcess sim(simOptions);
        EXPECT_TRUE(sim.started()) << sim.error();
        std::vector<std::string> all = {"--port", sim.devicePath(), "--ini", folder.file("kv.ini"),
                                        "download"};
        all.insert(all.end(), words.begin(), words.end());
        all.insert(all.end(), {"--dir", folder.file("data")});
        return runKvtool(folder, all, outTarget);
    }
    // Loads a file the way the graph window does; returns its record count.
    int recordsIn(const std::string& path, ModelCode model) {
        RecorderIdentity identity;
        test::RecordingHost host;
        if (!loadDataFile(path, data, identity, host)) return -1;
        EXPECT_EQ(identity.modelCode, model);
        return data.lastIndex + 1;
    }

    test::ScratchFolder folder;
    DataSet data;
};

TEST_F(KvtoolDownloadPty, PeakMeasurementsOfALaterGeneration) {
    ToolRun run = download({"--model", "5300", "--measurements", "3", "--records", "23"},
                           {"--select", "1,3"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto files = run.outLines();
    ASSERT_EQ(files.size(), 2u) << run.out;
    EXPECT_NE(files[0].find("/data/KV53P01-"), std::string::npos);
    EXPECT_NE(files[1].find("03-01.CSV"), std::string::npos);
    for (const auto& f : files) EXPECT_EQ(recordsIn(f, 5300), 23) << f;
}

TEST_F(KvtoolDownloadPty, WaveMeasurementAndFirstGeneration) {
    ToolRun wave = download(
        {"--model", "6100", "--mode", "wave", "--measurements", "1", "--records", "12"}, {"--all"});
    ASSERT_EQ(wave.status, 0) << wave.err;
    ASSERT_EQ(wave.outLines().size(), 1u);
    EXPECT_EQ(recordsIn(wave.outLines()[0], 6100), 12);

    ToolRun first =
        download({"--model", "4300", "--measurements", "2", "--records", "9"}, {"--select", "2"});
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(first.outLines().size(), 1u);
    EXPECT_NE(first.outLines()[0].find("/data/KV43P01-"), std::string::npos);
    EXPECT_EQ(recordsIn(first.outLines()[0], 4300), 9);
}

TEST_F(KvtoolDownloadPty, NamesThatCannotBePrintedFailTheRunButTheFileStays) {
    ToolRun run = download({"--model", "5100", "--measurements", "1", "--records", "3"}, {"--all"},
                           "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("kvtool: the output could not be written: "), std::string::npos)
        << run.err;
    EXPECT_TRUE(std::filesystem::exists(folder.file("data"))) << "the data file was saved";
    EXPECT_FALSE(std::filesystem::is_empty(folder.file("data")));
}

TEST_F(KvtoolDownloadPty, RefusalExitsWithOneAndUsageWithTwo) {
    std::string description = folder.file("huge.txt");
    std::ofstream(description) << "model 6300\nmeasurement\n  records 70000\n";
    ToolRun refused = download({"--description", description}, {"--all"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("データ読み込みエラー"), std::string::npos) << refused.err;

    ToolRun usage = runKvtool(folder, {"--port", "/dev/null", "download", "--select", "11"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("--select"), std::string::npos);
}

// A download traced by kvtool against a recorder with a fault, played again
// by kvsim from the trace (delays halved): the same files, byte for byte.
TEST_F(KvtoolDownloadPty, TraceOfADownloadReplaysToTheSameFiles) {
    const std::string trace = folder.file("line.jsonl");
    auto downloadInto = [&](const std::vector<std::string>& simOptions, const std::string& dir,
                            bool traced) {
        test::KvsimProcess sim(simOptions);
        EXPECT_TRUE(sim.started()) << sim.error();
        std::vector<std::string> words = {"--port", sim.devicePath(), "--ini",
                                          folder.file("kv.ini")};
        if (traced) words.insert(words.end(), {"--trace", trace});
        words.insert(words.end(), {"download", "--all", "--dir", folder.file(dir)});
        return runKvtool(folder, words);
    };
    ToolRun recorded = downloadInto(
        {"--model", "5300", "--measurements", "2", "--records", "11", "--bad-crc", "1"}, "a", true);
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    const std::string text = test::readFile(trace);
    EXPECT_EQ(text.rfind("{\"t\":", 0), 0u);
    EXPECT_NE(text.find("\"event\":\"start\",\"program\":\"kvtool\",\"version\":\""),
              std::string::npos);
    EXPECT_NE(text.find("\"event\":\"invalid\",\"command\":240,\"attempt\":1"), std::string::npos);

    ToolRun replayed = downloadInto({"--replay", trace, "--delay-scale", "0.5"}, "b", false);
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    ASSERT_EQ(recorded.outLines().size(), 2u);
    ASSERT_EQ(replayed.outLines().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const std::string a = recorded.outLines()[i], b = replayed.outLines()[i];
        EXPECT_EQ(a.substr(a.rfind('/')), b.substr(b.rfind('/')));
        EXPECT_EQ(test::readFile(a), test::readFile(b)) << a;
    }
}

}  // namespace
}  // namespace kv
