#include "analysis/file_summary.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "analysis/file_analysis.h"
#include "base/sha256.h"
#include "base/silent_host.h"
#include "datafile/data_file_loader.h"

namespace kv {
namespace {

// Why a file did not load, in one line for a table's cell.
std::string failureText(const LoadResult& result) {
    switch (result.failure) {
        case LoadFailure::Unreadable:
            return "ファイルを開けません";
        case LoadFailure::Malformed:
            return "ヘッダ行または記録が読めません (壊れたデータファイル)";
        case LoadFailure::NoTriggered:
            return "トリガを超えた波形の記録がありません";
        case LoadFailure::TooManyRecords:
            return "記録数が上限を超えています";
        case LoadFailure::NotADataFile:
            return "データファイルではありません";
        case LoadFailure::Cancelled:
            return "読み込みが取り消されました";
        case LoadFailure::Unexpected:
        case LoadFailure::None:
            break;
    }
    return result.message;
}

}  // namespace

SummaryWorker::SummaryWorker(const Limits& limits, const AnalysisOptions& options)
    : limits_(limits), options_(options) {
    options_.withSrs = false;  // no column shows it, and it costs the most
}

SummaryWorker::~SummaryWorker() = default;

FileSummary SummaryWorker::summarise(const std::string& path) {
    FileSummary s;
    const LoadResult loaded = loadDataFile(path, data_, identity_, host_, &spare_);
    if (!loaded) {
        if (loaded.failure == LoadFailure::NotADataFile)
            s.outcome = FileSummary::Outcome::NotADataFile;
        s.error = failureText(loaded);
        return s;
    }
    int error = 0;
    if (!sha256OfFile(path, s.sha256, error)) {
        s.error = "ファイルを読めません: " + std::system_category().message(error);
        return s;
    }
    const DataHeader header = dataHeaderOf(data_, identity_);
    // Peak rows are judged from the data set itself: their trip statistics
    // show in no column.
    FileAnalysis analysis;
    if (header.wave) {
        analysis = analyseDataSet(data_, header, options_);
    } else {
        analysis.header = header;
        analysis.options = options_;
    }
    s.outcome = FileSummary::Outcome::Judged;
    s.model = header.model;
    s.wave = header.wave;
    s.serialNumber = data_.serialNumberText;
    s.deviceNumber = data_.deviceNumberText;
    s.start = data_.startTime;
    s.end = data_.endTime;
    s.judgement = judgeFile(analysis, data_, limits_);
    return s;
}

bool summariseFiles(const std::vector<std::string>& files, int jobs, const Limits& limits,
                    const AnalysisOptions& options,
                    const std::function<void(size_t index, const FileSummary& summary)>& emit) {
    // The workers' stores are made here, before any thread starts: as many as
    // the memory allows, and the run refused only when not even one fits.
    std::vector<std::unique_ptr<SummaryWorker>> workers;
    const int wanted =
        std::clamp<int>(jobs, 1, static_cast<int>(std::max<size_t>(files.size(), 1)));
    try {
        while (static_cast<int>(workers.size()) < wanted)
            workers.push_back(std::make_unique<SummaryWorker>(limits, options));
    } catch (const std::bad_alloc&) {
        if (workers.empty()) return false;
    }

    std::vector<std::optional<FileSummary>> results(files.size());
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable done;
    auto work = [&](SummaryWorker& worker) {
        for (size_t i; (i = next.fetch_add(1)) < files.size();) {
            FileSummary s;
            try {
                s = worker.summarise(files[i]);
            } catch (const std::exception& e) {  // no fault of the file: out of memory
                s = FileSummary{};
                s.error = e.what();
            }
            std::lock_guard lock(mutex);
            results[i] = std::move(s);
            done.notify_one();
        }
    };
    std::vector<std::thread> threads;
    for (auto& worker : workers) threads.emplace_back(work, std::ref(*worker));
    for (size_t i = 0; i < files.size(); ++i) {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return results[i].has_value(); });
        FileSummary s = std::move(*results[i]);
        results[i].reset();
        lock.unlock();
        emit(i, s);
    }
    for (std::thread& t : threads) t.join();
    return true;
}

}  // namespace kv
