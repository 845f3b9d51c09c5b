#include "list/list_print_job.h"

#include "datafile/data_set.h"

namespace kv {

ListPrintHeader listPrintHeader(const DataSet& data, ListPrintKind kind, DateTime printedOn) {
    const bool wave = kind == ListPrintKind::SingleAxisWave || kind == ListPrintKind::TriaxialWave;
    ListPrintHeader header;
    header[0].left = data.filePath;
    header[1] = {"ＫＶ種別: ＫＶ－" + data.modelText,
                 "ｾﾝｻｰﾚﾝｼﾞ: " + std::to_string(data.rangeG) + "Ｇ", "印刷日付"};
    header[2] = {"機器番号: " + data.deviceNumberText, "計測方法: " + data.modeText,
                 formatDate(printedOn)};
    header[3] = {
        wave ? "ｻﾝﾌﾟﾙ周期: " + data.samplePeriodText + "ms" : "記録周期: " + data.recordPeriodText,
        "記録データ数: " + data.recordCountText, ""};
    header[4] = {"開始時刻: " + formatDateTimeText(data.startTime),
                 "終了時刻: " + formatDateTimeText(data.endTime), ""};
    return header;
}

}  // namespace kv
