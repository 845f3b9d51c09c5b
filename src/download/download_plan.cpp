#include "download/download_plan.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kv {

DownloadPlan planDownload(const RecorderState& recorder) {
    DownloadPlan plan;
    long long next = 0;
    for (int i = 0; i < kMeasurementSlots; ++i) {
        const int32_t count = recorder.measurementCounts[i];
        PlannedMeasurement& m = plan[i];
        if (count < 0) continue;
        m.exists = true;
        m.selected = recorder.downloadSelected[i];
        m.first = static_cast<int>(std::min<long long>(next, INT32_MAX));
        m.count = count;
        next += count;
    }
    return plan;
}

void ProgressFeed::number(int measurement, int percent) {
    if (shown_ && !isText_ && number_ == measurement && percent_ == percent) return;
    shown_ = true;
    isText_ = false;
    number_ = measurement;
    percent_ = percent;
    host_.showProgress(measurement, percent);
}

void ProgressFeed::text(int percent, const std::string& text) {
    if (shown_ && isText_ && percent_ == percent && text_ == text) return;
    shown_ = true;
    isText_ = true;
    percent_ = percent;
    text_ = text;
    host_.showProgressText(percent, text);
}

void SaveFailures::add(int slot, const std::string& path, int error) {
    failures_.push_back({slot, path, error});
}

void SaveFailures::addJournal(const std::string& journal, const std::string& savedFile, int error) {
    if (journalFiles_.empty()) {
        journal_ = journal;
        journalError_ = error;
    }
    journalFiles_.push_back(savedFile);
}

std::string SaveFailures::text(bool someSaved) const {
    std::string text;
    if (!failures_.empty()) {
        text = "次の計測データを保存できませんでした。\n";
        for (const Failure& f : failures_) {
            char number[32];
            std::snprintf(number, sizeof number, "計測番号%02d: ", f.slot + 1);
            text += number + saveErrorReason(f.error) + "\n  " + f.path + "\n";
        }
    }
    if (!journalFiles_.empty()) {
        // The data are safe; only the record of their saving is missing.
        text += "ダウンロード記録に書き込めませんでした。" + saveErrorReason(journalError_) +
                "\n  " + journal_ + "\n次の計測データのファイルは保存されています。\n";
        for (const std::string& f : journalFiles_) text += "  " + f + "\n";
        if (failures_.empty()) return text + "ダウンロード記録の保存先を確認して下さい。";
    }
    if (someSaved && journalFiles_.empty())
        text += "保存できた計測データのファイルはそのまま残っています。\n";
    text += "保存先を確認の上、もう一度読み込んで下さい。";
    return text;
}

void SaveFailures::show(Host& host, bool someSaved) const {
    host.messageBox("データ保存エラー", text(someSaved), Host::Error);
}

std::string saveErrorReason(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return "保存先の空き容量が足りません。";
        case EROFS:
            return "保存先は読み取り専用です。";
        case EACCES:
        case EPERM:
            return "保存先に書き込む権限がありません。";
        case ENOENT:
        case ENOTDIR:
            return "保存先のフォルダがありません。";
        case ENAMETOOLONG:
            return "ファイル名が長すぎます。";
        default:
            return "ファイルを書き込めません (エラー番号 " + std::to_string(error) + ")。";
    }
}

}  // namespace kv
