#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/datetime.h"
#include "recorder/recorder_state.h"

namespace kv {

// The download journal: one line per data file the program saves, appended
// to kvmanager-downloads.csv in the data folder (UTF-8, a header line first).
// It is a help for finding what is on the PC already, never a condition of
// saving: a journal written by hand or damaged is read as far as it parses.
constexpr const char* kJournalFileName = "kvmanager-downloads.csv";
std::string journalPath(const std::string& dataFolder);

struct JournalEntry {
    std::string savedAt;  // ISO 8601 with the UTC offset: 2025-04-01T10:00:00+09:00
    std::string file;     // the file's name in the data folder
    ModelCode model = 0;  // as the file's header names it
    int32_t serialNumber = 0;
    int32_t deviceNumber = 0;
    int measurement = 0;  // 1 to 10; 0 for a saved live run
    bool wave = false;    // kind: "wave" or "peak"
    std::string start;    // the recorder's own time, ISO 8601 without an offset
    std::string end;
    long long recordCount = 0;  // records (wave: per axis) in the file
    std::optional<long long> clockOffsetSeconds;
    std::string programVersion;
    std::string sha256;
};

// The entry of a file with the header of measurement slot (0 to 9) of the
// recorder records, as the writer of data files takes them for `model`;
// measurement is what the journal calls it (slot + 1, or 0 for a live run).
JournalEntry journalEntryOf(const RecorderState& recorder, ModelCode model, int slot,
                            int measurement, long long recordCount);

// "2014-03-15T09:00:00" of a recorder time, or with the PC's UTC offset
// ("…+09:00") for a time of the PC.
std::string isoDateTime(DateTime t);
std::string isoDateTimeWithOffset(DateTime local, int utcOffsetSeconds);
// The seconds since 1899-12-30 of "yyyy-mm-ddThh:mm:ss" (an offset after it is
// ignored); nothing when it is no such text.
std::optional<long long> isoSeconds(std::string_view text);

std::string journalHeaderLine();
std::string journalLine(const JournalEntry& entry);

// Completes the entry of a data file just saved at `path` in the data folder
// (its name, the saving time `savedAt` with the PC's UTC offset, the program
// version, the SHA-256 of the file as it is on disk) and appends it to the
// journal, with the header line when the journal is new. Returns 0, or the
// error number when the journal could not be written (the data file stays).
int journalSavedFile(const std::string& dataFolder, const std::string& path, JournalEntry entry,
                     DateTime savedAt);

// Every line of the folder's journal that parses, in order; a missing journal
// gives none. Columns are found by the header's names, so a journal whose
// columns were moved or dropped by hand still reads; lines that do not parse
// are passed over.
std::vector<JournalEntry> readJournal(const std::string& dataFolder);
std::vector<JournalEntry> parseJournal(std::string_view text);

}  // namespace kv
