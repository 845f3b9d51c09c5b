#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/host.h"
#include "recorder/recorder_state.h"

namespace kv {

// Where each measurement's records lie: records are numbered over all
// measurements in order, so measurement i begins after the records of all
// earlier ones. That number is both the recorder's offset and the store index.
struct PlannedMeasurement {
    bool exists = false;    // count is not -1
    bool selected = false;  // exists and is to be fetched
    int first = 0;
    int count = 0;
};
using DownloadPlan = std::array<PlannedMeasurement, kMeasurementSlots>;

DownloadPlan planDownload(const RecorderState& recorder);

// The progress window's calls, passed on only when they change what it shows:
// the driver reports before every record, and a repaint per record would cost
// more than the record.
class ProgressFeed {
  public:
    explicit ProgressFeed(Host& host) : host_(host) {}
    void number(int measurement, int percent);
    void text(int percent, const std::string& text);

  private:
    Host& host_;
    bool shown_ = false;
    bool isText_ = false;
    int number_ = 0;
    int percent_ = 0;
    std::string text_;
};

// The measurements whose file could not be written, and why; and the saved
// files whose line the download journal could not take.
class SaveFailures {
  public:
    void add(int slot, const std::string& path, int error);
    void addJournal(const std::string& journal, const std::string& savedFile, int error);
    bool empty() const { return failures_.empty() && journalFiles_.empty(); }
    // The message box naming every measurement that was not saved.
    void show(Host& host, bool someSaved) const;
    std::string text(bool someSaved) const;

  private:
    struct Failure {
        int slot;
        std::string path;
        int error;
    };
    std::vector<Failure> failures_;
    std::string journal_;
    int journalError_ = 0;
    std::vector<std::string> journalFiles_;
};

// A reason for a file error, for the user.
std::string saveErrorReason(int error);

}  // namespace kv
