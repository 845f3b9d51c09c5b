#pragma once

#include <array>
#include <functional>

#include "datafile/data_set.h"
#include "download/download_settings.h"
#include "link/link.h"
#include "recorder/recorder_state.h"

namespace kv {

// The download button of the information screens. Copies the ticks into
// state.downloadSelected; with nothing ticked shows the selection message and
// stops. Otherwise calls busy(true), asks the recorder for its identity in a
// session of its own and runs the download of the generation that implies
// (which reports its own outcome) into data and the data folder of settings,
// then calls busy(false).
void runDownloadCommand(Link& link, const DownloadSettings& settings,
                        const std::array<bool, kMeasurementSlots>& ticked, RecorderState& state,
                        DataSet& data, const std::function<void(bool)>& busy);

}  // namespace kv
