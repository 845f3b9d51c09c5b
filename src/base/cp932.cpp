#include "base/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace kv {
namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t done = 0;
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = out.data() + done;
        size_t dstLeft = out.size() - done;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        done = out.size() - dstLeft;
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            ok = false;  // EILSEQ or EINVAL: invalid or truncated input
            break;
        }
        if (r != 0) {
            // A non-reversible conversion happened: glibc substituted something.
            ok = false;
            break;
        }
    }
    if (ok) {
        // Flush any shift state (none for these encodings, but keep iconv honest).
        char* dst = out.data() + done;
        size_t dstLeft = out.size() - done;
        if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) ok = false;
        done = out.size() - dstLeft;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(done);
    return out;
}

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    return convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    if (isAscii(cp932)) return std::string(cp932);
    return convert("UTF-8", "CP932", cp932);
}

bool fitsCp932(std::string_view utf8) {
    return utf8ToCp932(utf8).has_value();
}

}  // namespace kv
