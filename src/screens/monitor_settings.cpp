#include "screens/monitor_settings.h"

#include <cstdio>

#include "link/messages.h"
#include "recorder/identity_commands.h"
#include "recorder/information_command.h"
#include "recorder/session.h"
#include "screens/condition_rules.h"
#include "settings/pc_settings.h"

namespace kv {
namespace {

// The dialog's model list is the model table, in its order.
constexpr int kRanges[] = {1, 5, 10, 20, 50, 100};
constexpr int kModelCount = static_cast<int>(kRecorderModels.size());

bool inList(int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) < size;
}
bool isFirstGenerationChoice(int model) {
    return inList(model, kModelCount) &&
           kRecorderModels[static_cast<size_t>(model)].generation == 1;
}
bool isSingleAxisChoice(int model) {
    return inList(model, kModelCount) && kRecorderModels[static_cast<size_t>(model)].axes == 1;
}

// "%.15g": up to 15 significant digits, as the recorder's values are shown.
std::string generalText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

const std::array<const char*, 3> kAxisMessages = {
    "Ｘ軸の感度入力にエラーがあります。",
    "Ｙ軸の感度入力にエラーがあります。",
    "Ｚ軸の感度入力にエラーがあります。",
};

}  // namespace

const std::vector<std::string>& monitorModelItems() {
    static const std::vector<std::string> items{"ＫＶ４１００", "ＫＶ４３００", "ＫＶ５１００",
                                                "ＫＶ５３００", "ＫＶ６１００", "ＫＶ６３００"};
    return items;
}

const std::vector<std::string>& monitorRangeItems() {
    static const std::vector<std::string> items{"1", "5", "10", "20", "50", "100"};
    return items;
}

ModelCode monitorModelCode(int model) {
    return inList(model, kModelCount) ? kRecorderModels[static_cast<size_t>(model)].code : 0;
}

MonitorControlStates monitorControlStates(int model, bool wave) {
    MonitorControlStates s;
    s.modeButtons = !isFirstGenerationChoice(model);
    s.wave = s.modeButtons && wave;
    s.recordPeriod = !s.wave;
    s.samplePeriod = s.wave;
    s.xyEdits = !isSingleAxisChoice(model);
    return s;
}

MonitorCheck checkMonitorChoices(const MonitorChoices& choices) {
    MonitorCheck check;
    const int first = isSingleAxisChoice(choices.model) ? 2 : 0;
    for (int axis = first; axis < 3; ++axis) {
        // Not a number is as wrong as a number out of the limits.
        std::optional<double> s = parseRealNumber(choices.sensitivity[axis]);
        if (!s || *s < kMonitorSensitivityMin || *s > kMonitorSensitivityMax) {
            check.message = kAxisMessages[axis];
            return check;
        }
    }
    check.ok = inList(choices.model, kModelCount) &&
               inList(choices.range, monitorRangeItems().size()) &&
               inList(choices.samplePeriod, samplePeriodItems().size());
    return check;
}

int applyMonitorChoices(const MonitorChoices& choices, RecorderState& recorder, DataSet& view) {
    if (!inList(choices.model, kModelCount) || !inList(choices.range, monitorRangeItems().size()))
        return 0;
    const ModelCode code = monitorModelCode(choices.model);
    const MonitorControlStates states = monitorControlStates(choices.model, choices.wave);
    const bool triaxial = isTriaxial(code);
    RecorderIdentity& identity = recorder.identity;
    view.filePath = kLiveFilePath;
    identity.modelCode = code;
    identity.waveData = states.wave ? 1 : 0;
    if (isFirstGenerationChoice(choices.model)) {
        recorder.legacyInfo.modelCode = code;
        recorder.legacyInfo.recordPeriod = choices.recordPeriod;
    } else {
        recorder.info.modelCode = code;
        if (!states.wave) {
            recorder.info.recordPeriod = choices.recordPeriod;
        } else if (inList(choices.samplePeriod, samplePeriodItems().size())) {
            const std::string& text = samplePeriodItems()[choices.samplePeriod];
            recorder.info.samplePeriodMs = std::stoi(text);
            view.samplePeriodText = text;
        }
    }
    identity.sensorRange = static_cast<uint8_t>(kRanges[choices.range]);
    for (int axis = 0; axis < 3; ++axis) {
        if (std::optional<double> s = parseRealNumber(choices.sensitivity[axis])) {
            recorder.info.sensitivity[axis] = *s;
            recorder.legacyInfo.sensitivity[axis] = *s;
        }
    }
    if (states.wave) return triaxial ? 4 : 3;
    return triaxial ? 2 : 1;
}

void rememberMonitorChoices(const MonitorChoices& choices, PcSettings& settings) {
    settings.defType = choices.model;
    settings.defRange = choices.range;
    settings.defInterval = choices.samplePeriod;
    settings.defPeakWave = choices.wave ? 1 : 0;
    settings.defNewOldType = choices.oldSensor ? 1 : 0;
}

MonitorChoices savedMonitorChoices(const PcSettings& settings) {
    MonitorChoices c;
    c.model = settings.defType == -1 ? 0 : settings.defType;
    c.range = settings.defRange;
    c.recordPeriod = 0;
    c.samplePeriod = settings.defInterval;
    c.wave = settings.defPeakWave != 0;
    c.oldSensor = settings.defNewOldType != 0;
    return c;
}

int applySavedMonitorSettings(const PcSettings& settings, RecorderState& recorder, DataSet& view) {
    if (settings.defType == -1) return 0;
    MonitorChoices c = savedMonitorChoices(settings);
    // A hand-edited file may name items the lists do not have: the dialog
    // then has to be used instead of guessing.
    if (!inList(c.model, kModelCount) || !inList(c.range, monitorRangeItems().size()) ||
        !inList(c.samplePeriod, samplePeriodItems().size()))
        return 0;
    c.sensitivity = {"24.0", "24.0", "24.0"};
    return applyMonitorChoices(c, recorder, view);
}

bool readMonitorPreset(Link& link, int portNumber, int baudRate, const PcSettings& settings,
                       RecorderState& recorder, MonitorChoices& choices) {
    choices = savedMonitorChoices(settings);
    link.host.setBusy(true);
    bool read = false;
    {
        RecorderSession session(link, portNumber, baudRate);
        if (session.openError != 0) {
            link.host.setBusy(false);
            sessionReady(session);  // says why, at once
            return false;
        }
        // The dialog's model follows the status; one without a known model is
        // taken for the triaxial model of its command set (4300, or 5300).
        if (isFirstGeneration(session, recorder.legacyInfo, recorder.identity)) {
            const LegacyRecorderInfo& info = recorder.legacyInfo;
            choices.model = info.modelCode == 4100 ? modelIndex(4100) : modelIndex(4300);
            choices.range = itemIndexOfValue(monitorRangeItems(), info.sensorRange);
            for (int a = 0; a < 3; ++a) choices.sensitivity[a] = generalText(info.sensitivity[a]);
            choices.samplePeriod = 1;
            read = true;
        } else if (readStatus(session, recorder.info)) {
            const RecorderInfo& info = recorder.info;
            choices.model =
                isLaterGeneration(info.modelCode) ? modelIndex(info.modelCode) : modelIndex(5300);
            choices.range = itemIndexOfValue(monitorRangeItems(), info.sensorRange);
            for (int a = 0; a < 3; ++a) choices.sensitivity[a] = generalText(info.sensitivity[a]);
            choices.wave = info.waveMode != 0;
            choices.samplePeriod = itemIndexOfValue(samplePeriodItems(), info.samplePeriodMs);
            read = true;
        }
    }
    link.host.setBusy(false);
    if (!read) showCommError(link.host);
    return read;
}

}  // namespace kv
