#include "screens/condition_messages.h"

namespace kv {

std::string confirmText(const std::string& what) {
    return conditionText::kConfirmPrefix + what;
}

std::string confirmDeviceNumberText(int number) {
    return confirmText("データ親番号 - " + std::to_string(number));
}

std::string confirmRecordPeriodText(const std::string& periodText) {
    return confirmText("記録周期 - " + periodText);
}

}  // namespace kv
