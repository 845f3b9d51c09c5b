#pragma once

// Runs the built kvtool as a script would, in a temporary folder of its own.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "datafile/sample_data_files.h"
#include "support/scratch_folder.h"

namespace kv::test {

class KvtoolProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* build = std::getenv("KV_BUILD_DIR");
        tool = std::string(build ? build : ".") + "/bin/kvtool";
        if (!std::filesystem::exists(tool)) GTEST_SKIP() << "kvtool is not built";
    }

    // Runs kvtool with `env` assignments before it; returns its exit status
    // and fills out and err.
    int run(const std::string& args, const std::string& env = "") {
        std::string command = env + " '" + tool + "' " + args + " >'" + folder + "/out' 2>'" +
                              folder + "/err' </dev/null";
        int status = std::system(command.c_str());
        out = slurp(folder + "/out");
        err = slurp(folder + "/err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string file(const SampleDataFile& sample, const std::string& name) {
        std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << sample.bytes();
        return path;
    }
    static std::string slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    ScratchFolder scratch;
    std::string tool, folder = scratch.path(), out, err;
};

}  // namespace kv::test
