#include "analysis/file_summary.h"

#include <system_error>

#include "analysis/file_analysis.h"
#include "base/sha256.h"
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

// The loader tells a person through its host; a summary has nobody to ask.
class SummaryWorker::QuietHost : public Host {
  public:
    void processEvents() override {}
    int messageBox(const std::string&, const std::string&, int) override { return Ok; }
    void beginProgress(bool) override {}
    void showProgress(int, int) override {}
    void showProgressText(int, const std::string&) override {}
    void endProgress() override {}
    bool loadCancelRequested() const override { return false; }
    void setLoadCancelRequested(bool) override {}
    void setBusy(bool) override {}
};

SummaryWorker::SummaryWorker(const Limits& limits, const AnalysisOptions& options)
    : limits_(limits), options_(options), host_(std::make_unique<QuietHost>()) {
    options_.withSrs = false;  // no column shows it, and it costs the most
}

SummaryWorker::~SummaryWorker() = default;

FileSummary SummaryWorker::summarise(const std::string& path) {
    FileSummary s;
    const LoadResult loaded = loadDataFile(path, data_, identity_, *host_, &spare_);
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
    const FileAnalysis analysis = analyseDataSet(data_, header, options_);
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

}  // namespace kv
