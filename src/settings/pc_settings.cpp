#include "settings/pc_settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <type_traits>

#include "base/kv_assert.h"
#include "base/message_text.h"
#include "link/serial_device.h"
#include "settings/ini_file.h"
#include "settings/limits_ini.h"
#include "settings/pc_settings_entry.h"

namespace kv {
namespace {

constexpr int kComPortCount = 8;

const char* const kDefaultFileNames[DATA_MAX] = {
    "データ１", "データ２", "データ３", "データ４", "データ５",
    "データ６", "データ７", "データ８", "データ９", "データ１０",
};

// Only the curve colour differs between the three panes: red, blue, green.
const uint32_t kDefaultLineColors[3] = {0x0000FF, 0xFF0000, 0x008000};

std::string dataSection(int no) {
    return "Data" + std::to_string(no + 1);
}
std::string graphSection(int pane) {
    return "Graph" + std::to_string(pane + 1);
}
std::string deviceKey(int port) {
    return "Device" + std::to_string(port);
}

// Whole-text decimal, as the settings store writes them; anything else is
// "does not parse" and gives the caller's default.
template <typename T>
T readNumber(const IniFile& ini, const char* section, const char* key, T fallback) {
    auto text = ini.value(section, key);
    if (!text || text->empty()) return fallback;
    std::string_view s = *text;
    if (s.front() == '+') s.remove_prefix(1);
    int64_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return fallback;
    if constexpr (std::is_same_v<T, uint32_t>) {
        // Colours: 0x00BBGGRR written as unsigned, but accept a signed 32-bit form.
        if (v < INT32_MIN || v > int64_t{UINT32_MAX}) return fallback;
        return static_cast<uint32_t>(v);
    } else {
        if (v < INT32_MIN || v > INT32_MAX) return fallback;
        return static_cast<T>(v);
    }
}

// A decimal number with "." as the point; the fallback when the text is not
// one or the value fails the check.
double readReal(const IniFile& ini, const char* section, const char* key, double fallback,
                bool (*valid)(double)) {
    auto text = ini.value(section, key);
    if (!text || text->empty()) return fallback;
    std::string_view s = *text;
    if (s.front() == '+') s.remove_prefix(1);
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !valid(v)) return fallback;
    return v;
}

// The shortest text that reads back as the same value (0.5, not 0.500000).
std::string realText(double v) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string withTrailingSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// Creates every missing folder above `path` (the per-user INI lives two levels
// below the home folder, which may not have them yet).
void makeParentFolders(const std::string& path) {
    for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
        ::mkdir(path.substr(0, at).c_str(), 0777);
}

}  // namespace

PcSettings::PcSettings() {
    for (int n = 0; n < DATA_MAX; ++n) fileName_[n] = std::to_string(n);
    for (int pane = 0; pane < 3; ++pane) graphColors[pane].line = kDefaultLineColors[pane];
}

void PcSettings::locateForExecutable(const std::string& exePath, const std::string& homeDir) {
    std::string folder = folderOf(exePath);
    std::string name = exePath.substr(folder.size());
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);

    // A system-wide installation (/usr/bin) keeps per-user files under the
    // home folder even for root, who may write there but must not.
    const bool systemFolder = folder.rfind("/usr/", 0) == 0 || folder.rfind("/bin/", 0) == 0 ||
                              folder.rfind("/sbin/", 0) == 0;
    if (!systemFolder && ::access(folder.c_str(), W_OK) == 0) {
        iniFilePath_ = folder + name + ".ini";
        defaultDataFolder_ = folder + "KV-DATAS/";
    } else {
        std::string home = withTrailingSlash(homeDir.empty() ? std::string("/") : homeDir);
        iniFilePath_ = home + ".config/kvmanager/kvmanager.ini";
        defaultDataFolder_ = home + "KV-DATAS/";
    }
}

void PcSettings::load() {
    IniFile ini;
    std::string reason;
    const InputRefusal refusal = ini.load(iniFilePath_, &reason);
    iniProblem_.clear();
    if (refusal != InputRefusal::None && refusal != InputRefusal::Missing)
        iniProblem_ = shortenedForMessage(iniFilePath_) + ": " + reason;

    // An empty "Path" would put the data files into whatever folder the program
    // was started from; the default is the sound reading of it.
    std::string path = ini.value("etc", "Path").value_or("");
    dataFolder_ = path.empty() ? defaultDataFolder_ : withTrailingSlash(path);
    saveTrace_ = readNumber<int>(ini, "etc", "TraceLog", 0) != 0;
    // A port or baud rate that no line can use is read as its default, as a
    // value that does not parse is: a hand-edited file is input, never a
    // reason to stop. A baud rate merely unknown to this line's driver stays,
    // and the session says so when it configures the port.
    comPort_ = readNumber<int>(ini, "com", "Port", 1);
    if (comPort_ < 1 || comPort_ > kComPortCount) comPort_ = 1;
    baudRate_ = readNumber<int>(ini, "com", "Baud", 38400);
    if (!isUsableBaudRate(baudRate_)) baudRate_ = 38400;
    for (int port = 1; port <= kComPortCount; ++port)
        devicePath_[port - 1] = ini.value("com", deviceKey(port)).value_or("");
    deviceCleared_.fill(false);

    for (int n = 0; n < DATA_MAX; ++n)
        autoName_[n] = readNumber<int>(ini, dataSection(n).c_str(), "Auto", 1) != 0;
    for (int n = 0; n < DATA_MAX; ++n)
        fileName_[n] = ini.value(dataSection(n), "Name").value_or(kDefaultFileNames[n]);

    for (int pane = 0; pane < 3; ++pane) {
        std::string section = graphSection(pane);
        GraphColors& c = graphColors[pane];
        c.back = readNumber<uint32_t>(ini, section.c_str(), "Back", 0xFFFFFF);
        c.line = readNumber<uint32_t>(ini, section.c_str(), "Line", kDefaultLineColors[pane]);
        c.grid = readNumber<uint32_t>(ini, section.c_str(), "Grid", 0);
        c.font = readNumber<uint32_t>(ini, section.c_str(), "Font", 0);
    }

    defType = readNumber<int>(ini, "KV_DEF", "TYPE", -1);
    defRange = readNumber<int>(ini, "KV_DEF", "G", 3);
    defPeakWave = readNumber<int>(ini, "KV_DEF", "PEAKWAVE", 0);
    defInterval = readNumber<int>(ini, "KV_DEF", "INTERVAL", 0);
    defNewOldType = readNumber<int>(ini, "KV_DEF", "NEWOLD_TYPE", 0);

    const AnalysisOptions defaults;
    restitution =
        readReal(ini, "Analysis", "Restitution", defaults.restitution, isValidRestitution);
    srsQ = readReal(ini, "Analysis", "Q", defaults.q, isValidQ);
    limitTexts = readLimitTexts(ini);
}

bool PcSettings::save() {
    saveError_.clear();
    if (!iniProblem_.empty()) {
        saveError_ = iniProblem_;
        return false;
    }
    // Start from the file as it is now, so that whatever else it holds survives.
    // A file that cannot be read now (it was replaced since the start) is not
    // written over either.
    IniFile ini;
    std::string reason;
    const InputRefusal refusal = ini.load(iniFilePath_, &reason);
    if (refusal != InputRefusal::None && refusal != InputRefusal::Missing) {
        saveError_ = shortenedForMessage(iniFilePath_) + ": " + reason;
        return false;
    }

    // Every key is attempted; a text without a CP932 form keeps its old value
    // in the file and makes the save report failure.
    bool ok = true;
    auto put = [&](const std::string& section, const std::string& key, const std::string& value) {
        ok = ini.setValue(section, key, value) && ok;
    };
    auto putNumber = [&](const std::string& section, const std::string& key, int64_t value) {
        put(section, key, std::to_string(value));
    };

    put("etc", "Path", dataFolder_);
    putNumber("etc", "TraceLog", saveTrace_ ? 1 : 0);
    putNumber("com", "Port", comPort_);
    putNumber("com", "Baud", baudRate_);
    for (int port = 1; port <= kComPortCount; ++port) {
        if (!devicePath_[port - 1].empty())
            put("com", deviceKey(port), devicePath_[port - 1]);
        else if (deviceCleared_[port - 1])
            ini.removeKey("com", deviceKey(port));
    }
    for (int n = 0; n < DATA_MAX; ++n) putNumber(dataSection(n), "Auto", autoName_[n] ? 1 : 0);
    for (int n = 0; n < DATA_MAX; ++n) put(dataSection(n), "Name", fileName_[n]);
    for (int pane = 0; pane < 3; ++pane) {
        std::string section = graphSection(pane);
        const GraphColors& c = graphColors[pane];
        putNumber(section, "Back", c.back);
        putNumber(section, "Line", c.line);
        putNumber(section, "Grid", c.grid);
        putNumber(section, "Font", c.font);
    }
    putNumber("KV_DEF", "TYPE", defType);
    putNumber("KV_DEF", "G", defRange);
    putNumber("KV_DEF", "PEAKWAVE", defPeakWave);
    putNumber("KV_DEF", "INTERVAL", defInterval);
    putNumber("KV_DEF", "NEWOLD_TYPE", defNewOldType);
    put("Analysis", "Restitution", realText(restitution));
    put("Analysis", "Q", realText(srsQ));
    ok = writeLimitTexts(ini, limitTexts) && ok;

    makeParentFolders(iniFilePath_);
    if (!ini.save(iniFilePath_, saveError_)) return false;
    if (!ok) saveError_ = "a text has no Shift-JIS form and kept its old value";
    return ok;
}

void PcSettings::setDataFolder(const std::string& folder) {
    dataFolder_ = withTrailingSlash(folder);
}

void PcSettings::setComPort(int port) {
    KV_ASSERT(1 <= port);
    KV_ASSERT(port <= 8);
    comPort_ = port;
}

void PcSettings::setBaudRate(int baud) {
    KV_ASSERT(0 < baud);
    baudRate_ = baud;
}

bool PcSettings::isAutoName(int no) const {
    KV_ASSERT(0 <= no);
    KV_ASSERT(no < DATA_MAX);
    return autoName_[no];
}

void PcSettings::setAutoName(int no, bool flag) {
    KV_ASSERT(0 <= no);
    KV_ASSERT(no < DATA_MAX);
    autoName_[no] = flag;
}

const std::string& PcSettings::fileName(int no) const {
    KV_ASSERT(0 <= no);
    KV_ASSERT(no < DATA_MAX);
    return fileName_[no];
}

void PcSettings::setFileName(int no, const std::string& name) {
    KV_ASSERT(0 <= no);
    KV_ASSERT(no < DATA_MAX);
    fileName_[no] = name;
}

std::string PcSettings::devicePath(int port) const {
    KV_ASSERT(1 <= port);
    KV_ASSERT(port <= kComPortCount);
    const std::string& configured = devicePath_[port - 1];
    return configured.empty() ? defaultDevicePath(port) : configured;
}

void PcSettings::setDevicePath(int port, const std::string& path) {
    KV_ASSERT(1 <= port);
    KV_ASSERT(port <= kComPortCount);
    devicePath_[port - 1] = path;
    deviceCleared_[port - 1] = path.empty();
}

bool PcSettings::hasDevicePath(int port) const {
    KV_ASSERT(1 <= port);
    KV_ASSERT(port <= kComPortCount);
    return !devicePath_[port - 1].empty();
}

DataFileNames PcSettings::dataFileNames() const {
    DataFileNames names;
    names.dataFolder = dataFolder_;
    for (int n = 0; n < DATA_MAX; ++n) {
        names.autoName[n] = autoName_[n];
        names.fileName[n] = fileName_[n];
    }
    return names;
}

}  // namespace kv
