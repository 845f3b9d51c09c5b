#pragma once

#include <array>
#include <string>
#include <vector>

#include "link/link.h"
#include "recorder/records.h"
#include "settings/pc_settings.h"

namespace kv::tool {

// What `download` was asked for: measurements 1 to 10 and a data folder.
struct DownloadRequest {
    std::array<bool, kMeasurementSlots> selected{};
    bool all = false;      // --all: measurements that do not exist are no surprise
    bool onlyNew = false;  // --new: the measurements not in the data folder yet
    std::string folder;    // empty: the settings' data folder
};

// Parses the words after "download": (--all | --new | --select 1,3,...) [--dir DIR].
// False with the reason on a usage error.
bool parseDownloadRequest(const std::vector<std::string>& args, DownloadRequest& request,
                          std::string& error);

// What the information screen's download button does, on any link: the
// identity in a session of its own decides the generation, then the download
// driver runs (the confirmation is the host's to answer). The files created go
// to `files`; measurements that were named with --select but hold no data to
// `missing` (numbers from 1). Returns true when the driver reported success.
bool downloadCommand(Link& link, PcSettings& settings, const DownloadRequest& request,
                     std::vector<std::string>& files, std::vector<int>& missing);

}  // namespace kv::tool
