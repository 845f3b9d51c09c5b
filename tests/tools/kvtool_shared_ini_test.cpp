// The programs of a build sit in one folder, and kvtool reads the INI file of
// the ＫＶマネージャー beside it: what one stores, the other uses.
#include <filesystem>

#include "kvtool_process.h"

namespace kv {
namespace {
namespace fs = std::filesystem;

using KvtoolSharedIni = test::KvtoolProcess;

TEST_F(KvtoolSharedIni, KvtoolUsesTheSettingsOfTheProgramBesideIt) {
    const fs::path bin = fs::path(tool).parent_path();
    EXPECT_TRUE(fs::exists(bin / "kvsim"));
    if (!fs::exists(bin / "kvmanager")) GTEST_SKIP() << "the windows are not built";

    // A copy of kvtool with an INI of its own beside it, as in the build folder.
    const fs::path own = fs::path(folder) / "bin";
    fs::create_directory(own);
    fs::copy_file(tool, own / "kvtool");
    std::ofstream(own / "kvmanager.ini", std::ios::binary)
        << "[com]\r\nPort=2\r\nDevice2=/dev/kv-shared-ini-port\r\n";
    tool = (own / "kvtool").string();
    EXPECT_EQ(run("info"), 1);
    EXPECT_NE(err.find("/dev/kv-shared-ini-port"), std::string::npos) << err;
}

}  // namespace
}  // namespace kv
