// The drawing commands as a script or cron job runs them: without a desktop
// session, stderr holds nothing but kvtool's own messages and no folder is
// left behind.
#include <filesystem>

#include "kvtool_process.h"

namespace kv {
namespace {

using KvtoolOffscreen = test::KvtoolProcess;

TEST_F(KvtoolOffscreen, WithoutARuntimeFolderStderrStaysQuiet) {
    test::SampleDataFile peak;
    peak.model = 5300;
    peak.records = 10;
    const std::string csv = file(peak, "KV53P.csv");
    const std::string tmp = folder + "/tmp";
    std::filesystem::create_directory(tmp);
    for (const char* command : {"plot", "print"}) {
        SCOPED_TRACE(command);
        const std::string out = folder + "/" + command + ".pdf";
        ASSERT_EQ(run(std::string(command) + " '" + csv + "' --out '" + out + "'",
                      "env -u XDG_RUNTIME_DIR TMPDIR='" + tmp + "'"),
                  0)
            << err;
        EXPECT_EQ(err, "");
        EXPECT_TRUE(std::filesystem::is_empty(tmp));
        EXPECT_GT(std::filesystem::file_size(out), 0u);
    }
}

}  // namespace
}  // namespace kv
