#include "support/scratch_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>  // mkdtemp

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kv::test {
namespace {

// The running test's name, reduced to characters that are safe in a file name.
std::string testTag() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string tag = info ? std::string(info->test_suite_name()) + "." + info->name() : "kvtest";
    for (char& c : tag) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!safe) c = '_';
    }
    if (tag.size() > 80) tag.resize(80);
    return tag;
}

}  // namespace

ScratchFolder::ScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base && *base ? base : "/tmp") + "/kv-" + testTag() + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "cannot make a scratch folder %s: %s\n", pattern.c_str(),
                     std::strerror(errno));
        std::abort();
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    // Files a test made read-only must not keep their folder alive.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace kv::test
