#include "link/port_messages.h"

#include <grp.h>
#include <locale.h>
#include <string.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

namespace kv {
namespace {

// The words from the user's locale, the bytes in UTF-8: the windows and the
// console both take UTF-8, and kvtool never switches its own locale (its
// numbers must keep their "." whatever the user's country).
locale_t messageLocale() {
    static const locale_t loc = [] {
        locale_t base = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (base == static_cast<locale_t>(nullptr)) return base;
        locale_t user = newlocale(LC_MESSAGES_MASK, "", base);
        return user != static_cast<locale_t>(nullptr) ? user : base;
    }();
    return loc;
}

std::string hintFor(uint32_t error, std::string group) {
    // Joining root is never the cure; serial lines belong to "dialout".
    if (group.empty() || group == "root") group = "dialout";
    switch (error) {
        case EACCES:
        case EPERM:
            return "このポートを使うには、ユーザーをグループ \"" + group +
                   "\" に加えて（sudo usermod -aG " + group +
                   " ユーザー名）、ログインし直してください。";
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "記録計のケーブルがつながっているか、ＰＣ環境設定の通信ポートが正しいかを確かめ"
                   "てください。";
        case EBUSY:
            return "そのプログラムを終了してから、やり直してください。";
        default:
            return "";
    }
}

// The system's words follow the locale, which on many machines is not
// Japanese; the program says the common reasons itself.
const char* reasonWords(int error) {
    switch (error) {
        case ENOENT:
            return "デバイスがありません";
        case ENODEV:
        case ENXIO:
            return "デバイスが取り外されています";
        case EACCES:
        case EPERM:
            return "アクセスが許可されていません";
        case EBUSY:
            return "ほかのプログラムが使用中です";
        case EIO:
            return "入出力エラーが起きました";
        case ENOTTY:
            return "シリアルデバイスではありません";
        default:
            return nullptr;
    }
}

}  // namespace

std::string portErrorReason(int error) {
    const char* words = reasonWords(error);
    const std::string system = systemErrorText(error);
    return words ? std::string(words) + "（" + system + "）" : system;
}

std::string systemErrorText(int error) {
    locale_t loc = messageLocale();
    if (loc != static_cast<locale_t>(nullptr)) return strerror_l(error, loc);
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);  // GNU: returns the text
}

std::string deviceGroupName(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "";
    std::vector<char> buffer(16384);
    group g{};
    group* found = nullptr;
    if (getgrgid_r(st.st_gid, &g, buffer.data(), buffer.size(), &found) != 0 || !found) return "";
    return found->gr_name;
}

std::string portOpenErrorText(uint32_t error, const std::string& devicePath,
                              const std::string& group) {
    std::string text = "ポートが開けません。\n" + std::to_string(error) + "\n" + devicePath + ": " +
                       portErrorReason(static_cast<int>(error));
    const std::string hint = hintFor(error, group);
    if (!hint.empty()) text += "。" + hint;
    return text;
}

std::string portOpenErrorText(uint32_t error, const std::string& devicePath) {
    const bool permission = error == EACCES || error == EPERM;
    return portOpenErrorText(error, devicePath, permission ? deviceGroupName(devicePath) : "");
}

std::string lineLostText(uint32_t error, const std::string& devicePath) {
    return "ポートとの接続が切れました。\n" + std::to_string(error) + "\n" + devicePath + ": " +
           systemErrorText(static_cast<int>(error)) + "。" + hintFor(ENODEV, "");
}

std::string baudRateRefusedText(int baudRate, const std::string& devicePath) {
    return "ボーレート " + std::to_string(baudRate) + " bps は、このポートでは使えません。\n" +
           devicePath + "\nＰＣ環境設定でボーレートを選び直してください。";
}

}  // namespace kv
