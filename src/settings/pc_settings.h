#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "analysis/analysis_options.h"
#include "analysis/limits.h"
#include "download/download_settings.h"

namespace kv {

constexpr int DATA_MAX = kMeasurementSlots;

// Colours as 0x00BBGGRR (red in the low byte).
struct GraphColors {
    uint32_t back = 0xFFFFFF;
    uint32_t line = 0;
    uint32_t grid = 0;
    uint32_t font = 0;
};

// What the PC side remembers between runs, kept in one CP932 INI file. Loaded
// once at start-up, saved at the end and when the settings screen applies.
class PcSettings {
  public:
    PcSettings();

    // Reads every key with its default; a missing or broken file gives defaults.
    // A file that is there but is not read (a folder, a pipe, a device, one
    // larger than an INI file gets, one the user may not read) gives defaults
    // too, and iniProblem() says why.
    void load();
    // Writes every key in the fixed order, keeping sections and keys the program
    // does not know. Atomic: the old file stays intact when the save fails.
    // Writes nothing while iniProblem() is set: the settings that file holds
    // were never seen, and a save would lose them or replace what is no file.
    bool save();

    // Why the INI file was not read at the last load(); empty when it was read
    // or did not exist yet.
    const std::string& iniProblem() const { return iniProblem_; }
    // Why the last save() wrote nothing ("PATH: reason"); empty after a good one.
    const std::string& saveError() const { return saveError_; }

    const std::string& iniFilePath() const { return iniFilePath_; }
    void setIniFilePath(const std::string& path) {
        iniFilePath_ = path;
        iniProblem_.clear();
    }
    // Where the program keeps its INI file and its default data folder: beside
    // the executable, or under the home folder (~/.config/kvmanager/,
    // ~/KV-DATAS/) when that folder is read-only or a system folder (/usr/…).
    void locateForExecutable(const std::string& exePath, const std::string& homeDir);

    const std::string& dataFolder() const { return dataFolder_; }
    void setDataFolder(const std::string& folder);  // a trailing "/" is added when missing
    int comPort() const { return comPort_; }
    void setComPort(int port);  // 1 to 8
    int baudRate() const { return baudRate_; }
    void setBaudRate(int baud);  // > 0

    bool isAutoName(int no) const;
    void setAutoName(int no, bool flag);
    const std::string& fileName(int no) const;
    void setFileName(int no, const std::string& name);

    // The line and the file names a download works with.
    DataFileNames dataFileNames() const;
    DownloadSettings downloadSettings() const { return {comPort_, baudRate_, dataFileNames()}; }

    // The protocol trace of every conversation with a recorder, kept in the
    // data folder (INI "etc"/"TraceLog"; off unless the user turns it on).
    bool saveTrace() const { return saveTrace_; }
    void setSaveTrace(bool on) { saveTrace_ = on; }

    // Serial device of COM n (1 to 8): INI "com"/"Device"n, else /dev/ttyS(n-1).
    std::string devicePath(int port) const;
    // Sets (non-empty) or removes (empty) the device of COM n.
    void setDevicePath(int port, const std::string& path);
    bool hasDevicePath(int port) const;

    std::array<GraphColors, 3> graphColors;
    int defType = -1;
    int defRange = 3;
    int defPeakWave = 0;
    int defInterval = 0;
    int defNewOldType = 0;

    // Shock analysis (section "Analysis"): the coefficient of restitution that
    // drop heights assume and the quality factor of the shock response
    // spectrum. A value outside its range (isValidRestitution, isValidQ) or
    // that does not parse reads as the default.
    double restitution = AnalysisOptions{}.restitution;
    double srsQ = AnalysisOptions{}.q;
    // The analysis options of these settings (without the spectrum).
    AnalysisOptions analysisOptions() const { return {restitution, srsQ, false}; }

    // The limits of a trip (section "Limits"), as the INI holds them: a value
    // the program cannot use stays as it was written, for the limits dialog to
    // show and the person to correct, and is never lost by a save.
    LimitTexts limitTexts;
    // The limits of those texts, or the problem that stops their use.
    std::optional<LimitsProblem> limits(Limits& out) const { return parseLimits(limitTexts, out); }
    void setLimits(const Limits& limits) { limitTexts = kv::limitTexts(limits); }

  private:
    std::string iniFilePath_;
    std::string iniProblem_;
    std::string saveError_;
    std::string defaultDataFolder_;
    std::string dataFolder_;
    int comPort_ = 0;
    int baudRate_ = 0;
    bool saveTrace_ = false;
    std::array<bool, DATA_MAX> autoName_{};
    std::array<std::string, DATA_MAX> fileName_;
    std::array<std::string, 8> devicePath_;  // empty = not configured
    std::array<bool, 8> deviceCleared_{};    // removed by the user: drop the key on save
};

}  // namespace kv
