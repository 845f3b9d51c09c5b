// kvtool's outputs as a script meets them: refused targets, a full disk, a
// full or closed standard output, inputs that are no data file, a cut file.
#include <sys/mount.h>
#include <sys/stat.h>

#include "kvtool_process.h"

namespace kv {
namespace {

class KvtoolOutputs : public test::KvtoolProcess {
  protected:
    void SetUp() override {
        KvtoolProcess::SetUp();
        if (folder.empty()) return;
        test::SampleDataFile peak;
        peak.model = 5300;
        peak.records = 3000;
        input = file(peak, "in.CSV");
    }
    // A bash command line in the folder with kvtool as $K; stderr is kept in err.
    int shell(const std::string& line) {
        const std::string script = std::filesystem::path(folder).parent_path() /
                                   (std::filesystem::path(folder).filename().string() + ".sh");
        std::ofstream(script) << "K='" << tool << "'\ncd '" << folder << "' || exit 99\n{ " << line
                              << " ; } 2>'" << script << ".err'\n";
        const int status = std::system(("bash '" + script + "'").c_str());
        err = slurp(script + ".err");
        std::filesystem::remove(script);
        std::filesystem::remove(script + ".err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            found.push_back(e.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    std::string input;
};

TEST_F(KvtoolOutputs, NoOutputReplacesItsInputOrADataFileAndPrintWritesOnlyPdf) {
    const std::string bytes = slurp(input);
    std::filesystem::create_symlink("in.CSV", folder + "/link.pdf");
    std::filesystem::create_hard_link(input, folder + "/same.png");
    std::filesystem::copy_file(input, folder + "/other.pdf");
    const char* const refused[] = {
        "$K print in.CSV --out in.CSV",    "$K print in.CSV --out list.png",
        "$K print in.CSV --out notes.txt", "$K print in.CSV --out link.pdf",
        "$K print in.CSV --out other.pdf", "$K plot in.CSV --out same.png",
        "$K plot same.png --out same.png", "$K plot in.CSV --out other.pdf",
    };
    for (const char* line : refused) {
        EXPECT_EQ(shell(line), 2) << line;
        EXPECT_FALSE(err.empty()) << line;
    }
    EXPECT_EQ(slurp(input), bytes);
    EXPECT_EQ(slurp(folder + "/other.pdf"), bytes);
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/link.pdf"));
    EXPECT_EQ(names(), (std::vector<std::string>{"in.CSV", "link.pdf", "other.pdf", "same.png"}));
}

TEST_F(KvtoolOutputs, OutputThatCannotBeWrittenFailsEveryCommand) {
    ASSERT_EQ(shell("$K plot in.CSV --out old.png"), 0) << err;
    const std::string old = slurp(folder + "/old.png");
    std::filesystem::create_symlink("/dev/full", folder + "/full.pdf");
    struct Case {
        const char* line;
        const char* reason;
    };
    const Case cases[] = {
        {"$K show in.CSV >/dev/full", "No space left on device"},
        {"$K list in.CSV --json >/dev/full", "No space left on device"},
        {"$K --help >/dev/full", "No space left on device"},
        {"$K show in.CSV | true; exit ${PIPESTATUS[0]}", "Broken pipe"},
        {"$K print in.CSV --out full.pdf", "full.pdf: not a regular file"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shell(c.line), 1) << c.line;
        EXPECT_NE(err.find(c.reason), std::string::npos) << c.line << ": " << err;
    }

    // A disk that fills up while the picture is written.
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    test::SampleDataFile small;
    file(small, "in.CSV");
    std::ofstream(folder + "/old.png", std::ios::binary) << old;
    {
        std::ofstream fill(folder + "/fill", std::ios::binary);
        for (int i = 0; i < 64 && fill; ++i) fill << std::string(1024, 'x') << std::flush;
    }
    EXPECT_EQ(shell("$K plot in.CSV --out old.png"), 1);
    EXPECT_NE(err.find("old.png: No space left on device"), std::string::npos) << err;
    EXPECT_EQ(slurp(folder + "/old.png"), old);
    EXPECT_EQ(names(), (std::vector<std::string>{"fill", "in.CSV", "old.png"}));
    ::umount2(folder.c_str(), MNT_DETACH);
}

TEST_F(KvtoolOutputs, InputsThatAreNoFilesAreRefusedAtOnceAndACutFileWarns) {
    ASSERT_EQ(::mkfifo((folder + "/pipe.CSV").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((folder + "/pipe.ini").c_str(), 0644), 0);
    // timeout: a command that waits for a writer of the pipe fails the case.
    EXPECT_EQ(shell("timeout 20 $K show pipe.CSV"), 1);
    EXPECT_NE(err.find("pipe.CSV could not be loaded as a data file: not a regular file"),
              std::string::npos)
        << err;
    EXPECT_EQ(shell("timeout 20 $K --ini pipe.ini plot in.CSV --out a.png"), 0) << err;
    EXPECT_NE(err.find("pipe.ini: not a regular file; the default settings are used"),
              std::string::npos)
        << err;

    const std::string bytes = slurp(input);
    std::ofstream(folder + "/cut.CSV", std::ios::binary) << bytes.substr(0, bytes.size() - 5);
    EXPECT_EQ(shell("$K show cut.CSV >/dev/null"), 0) << err;
    EXPECT_NE(err.find("line 3014 has no line end; the file may be cut off"), std::string::npos)
        << err;
    EXPECT_NE(err.find("1 record(s) cut short on that line are left out"), std::string::npos)
        << err;
}

}  // namespace
}  // namespace kv
