#pragma once

#include <string>

namespace kv {

// Texts of the condition screens' message boxes, as the user reads them.
namespace conditionText {

inline constexpr const char* kTitle = "ＫＶ設定";

inline constexpr const char* kConfirmPrefix = "この設定を書込みますか？\n   ";
inline constexpr const char* kPcTime = "ＰＣ時刻";
inline constexpr const char* kSensorData = "センサ情報";

inline constexpr const char* kDeviceNumberUnknown =
    "データ親番号値が認識できません。\n設定値を確認して下さい。";
inline constexpr const char* kDeviceNumberNotNumber =
    "データ親番号が数値ではありません。\n０～９９の数字を入力して下さい。";

inline constexpr const char* kClockNotRecognised =
    "時刻として認識できません。\n (1998/1/1 ～ 2097/12/31)";
inline constexpr const char* kClockOutOfRange =
    "時刻が設定範囲を超えています。\n (1998/1/1 ～ 2097/12/31)";

inline constexpr const char* kSettingInvalid = "設定が正しくありません。";
inline constexpr const char* kSensitivityOutOfRange =
    "感度入力範囲を超えています。\n確認してください。";
inline constexpr const char* kSensorNumberOutOfRange =
    "番号入力範囲を超えています。\n確認してください。( 0-65535 )";

inline constexpr const char* kNoWaveMode = "ピーク／波形の選択がされていません。";
inline constexpr const char* kNoRecordPeriod = "周期設定をしてください。";
inline constexpr const char* kNoSamplePeriod = "サンプリング周期設定をしてください。";
inline constexpr const char* kNoTriggerLevel = "トリガレベルを設定してください。";
inline constexpr const char* kNoPreTrigger = "トリガポイントを設定してください。";
inline constexpr const char* kNoAxisMode = "記録方法を設定してください。";
inline constexpr const char* kNoOverwriteMode = "上書き方法を設定してください。";
inline constexpr const char* kRecordPeriodNotChosen = "記録周期を選択して下さい。";

// A condition write makes the recorder clear every measurement it holds.
inline constexpr const char* kConditionWarning =
    "この設定を変更するとＫＶの内部データが\n"
    "全てクリアされます。\n\n"
    "必ず、ＫＶ本体のデータを確認してから\n"
    "この操作を行ってください。\n\n"
    "続行しますか？";

}  // namespace conditionText

// "この設定を書込みますか？" with the setting on the next line.
std::string confirmText(const std::string& what);
std::string confirmDeviceNumberText(int number);                     // "...データ親番号 - n"
std::string confirmRecordPeriodText(const std::string& periodText);  // "...記録周期 - 1秒"

}  // namespace kv
