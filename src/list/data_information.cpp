#include "list/data_information.h"

#include "base/datetime.h"

namespace kv {
std::vector<std::string> dataInformationLines(const DataSet& d, const RecorderIdentity& id) {
    const bool laterWave = isLaterGeneration(id.modelCode) && id.waveData == 1;
    std::string period;
    if (laterWave)
        period = "ｻﾝﾌﾟﾘﾝｸﾞ周期：" + d.samplePeriodText + " ms";
    else if (isFirstGeneration(id.modelCode) || isLaterGeneration(id.modelCode))
        period = "記録周期：" + d.recordPeriodText;

    std::vector<std::string> lines = {
        "ＫＶ種別： KV-" + d.modelText,
        "製造番号：" + d.serialNumberText,
        "センサー位置：" + d.sensorPlaceText,
        "ｾﾝｻｰﾚﾝｼﾞ：" + std::to_string(d.rangeG) + " Ｇ",
        "機器番号：" + d.deviceNumberText,
        "計測方法：" + d.modeText,
        period,
        "上書き：" + d.overwriteText,
        "",
        "開始時刻：" + formatDateTimeText(d.startTime),
        "終了時刻：" + formatDateTimeText(d.endTime),
        "データ数：" + d.recordCountText,
    };
    if (laterWave) {
        lines.push_back("プレトリガ：" + d.triggerPointText + " ﾎﾟｲﾝﾄ");
        lines.push_back("トリガレベル：" + d.triggerLevelText + " ");
    }
    return lines;
}

std::string dataInformationText(const DataSet& data, const RecorderIdentity& identity) {
    std::string text;
    for (const std::string& line : dataInformationLines(data, identity)) text += line + "\n";
    return text;
}

}  // namespace kv
