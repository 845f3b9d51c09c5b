#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_options.h"
#include "analysis/limits.h"
#include "analysis/verdict.h"
#include "base/datetime.h"
#include "base/silent_host.h"
#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// What a summary of many files says of one: who recorded it, when, how hard
// the hardest events were, and the verdict against the limits.
struct FileSummary {
    enum class Outcome {
        Judged,        // loaded and judged
        NotADataFile,  // skipped: no data file of any model
        Failed,        // a data file that did not load: error says why
    };
    Outcome outcome = Outcome::Failed;
    std::string error;
    ModelCode model = 0;
    bool wave = false;
    std::string serialNumber;  // as the file writes them
    std::string deviceNumber;
    DateTime start = 0;
    DateTime end = 0;
    FileJudgement judgement;
    std::string sha256;  // of the file's bytes, lower-case hexadecimal
};

// Summarises files one after the other with stores of its own, allocated once
// (two data sets of 12 MB each): each thread that summarises needs its own
// worker.
class SummaryWorker {
  public:
    SummaryWorker(const Limits& limits, const AnalysisOptions& options);
    SummaryWorker(const SummaryWorker&) = delete;
    SummaryWorker& operator=(const SummaryWorker&) = delete;
    ~SummaryWorker();

    // Loads, analyses (without the spectrum) and judges one file. The data set
    // of the last file loaded stays in data() until the next.
    FileSummary summarise(const std::string& path);
    DataSet& data() { return data_; }
    const RecorderIdentity& identity() const { return identity_; }

  private:
    Limits limits_;
    AnalysisOptions options_;
    DataSet data_;
    DataSet spare_;  // the loader's
    RecorderIdentity identity_;
    SilentHost host_;  // the loader tells nobody
};

// Summarises the files with `jobs` workers of their own (at least one, at most
// one per file) and hands each result to `emit`, on the calling thread, in the
// order of `files` as soon as it and every one before it are done: the order
// never depends on the timing. False, with nothing summarised, when the memory
// does not hold the stores of a single worker.
bool summariseFiles(const std::vector<std::string>& files, int jobs, const Limits& limits,
                    const AnalysisOptions& options,
                    const std::function<void(size_t index, const FileSummary& summary)>& emit);

}  // namespace kv
