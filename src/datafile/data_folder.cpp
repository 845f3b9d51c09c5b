#include "datafile/data_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "base/message_text.h"

namespace kv {
namespace {

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool createDataFolder(const std::string& dataFolder, std::string& error) {
    if (dataFolder.empty()) {
        error = "ディレクトリを作成することができません";
        return false;
    }
    std::string path = dataFolder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    // Each missing folder from the top down; one that appears meanwhile is fine.
    for (size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
        const std::string part = at == std::string::npos ? path : path.substr(0, at);
        if (!part.empty() && part != "/" && !isFolder(part) && ::mkdir(part.c_str(), 0777) != 0 &&
            !(errno == EEXIST && isFolder(part))) {
            error = "ディレクトリを作成することができません\n" + shortenedForMessage(part) + "\n" +
                    std::strerror(errno);
            return false;
        }
        if (at == std::string::npos) break;
    }
    return true;
}

}  // namespace kv
