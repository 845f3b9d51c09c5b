// kvtool download (--all | --new | --select 1,3) [--dir DIR]: fetches
// measurements from the recorder into data files and prints the path of each
// file created.
#include "cmd_download.h"

#include <cstdio>

#include "datafile/data_set.h"
#include "download/download_driver.h"
#include "download/saved_measurements.h"
#include "recorder/information_command.h"
#include "tool_link.h"
#include "tool_options.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

// "1,3,10": measurement numbers 1 to 10, each once or more.
bool parseSelection(const std::string& text, std::array<bool, kMeasurementSlots>& selected) {
    if (text.empty()) return false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        if (item.empty() || item.size() > 2 ||
            item.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const int n = std::stoi(item);
        if (n < 1 || n > kMeasurementSlots) return false;
        selected[n - 1] = true;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool parseDownloadRequest(const std::vector<std::string>& args, DownloadRequest& request,
                          std::string& error) {
    bool all = false, select = false, dir = false, onlyNew = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--all" && !all) {
            all = request.all = true;
            request.selected.fill(true);
        } else if (a == "--new" && !onlyNew) {
            onlyNew = request.onlyNew = true;
            request.selected.fill(true);  // the driver narrows it down once it has the index
        } else if (a == "--select" && !select) {
            if (!hasValue || !parseSelection(args[++i], request.selected)) {
                error = "--select takes measurement numbers 1 to 10, such as 1,3";
                return false;
            }
            select = true;
        } else if (a == "--dir" && !dir) {
            if (!hasValue || args[i + 1].empty()) {
                error = "--dir needs a folder";
                return false;
            }
            request.folder = args[++i];
            dir = true;
        } else {
            error = "download: unexpected '" + a + "'";
            return false;
        }
    }
    if (int(all) + int(select) + int(onlyNew) != 1) {
        error = "download needs one of --all, --new or --select";
        return false;
    }
    return true;
}

bool downloadCommand(Link& link, PcSettings& settings, const DownloadRequest& request,
                     std::vector<std::string>& files, std::vector<int>& missing) {
    if (!request.folder.empty()) settings.setDataFolder(request.folder);
    RecorderState state;
    state.downloadSelected = request.selected;
    DataSet data;
    DownloadJob job(link, settings.downloadSettings(), state, data);
    const std::string folder = settings.dataFolder();
    bool firstGeneration = false;
    if (request.onlyNew)
        job.chooseMeasurements = [&](RecorderState& s) {
            s.downloadSelected =
                newMeasurements(s, findSavedMeasurements(folder, s, firstGeneration));
        };

    const IdentityAnswer answer =
        identifyRecorder(link, settings.comPort(), settings.baudRate(), state.identity);
    if (answer == IdentityAnswer::NoLine) return false;
    firstGeneration = answer != IdentityAnswer::Answered;
    const bool ok = answer == IdentityAnswer::Answered ? downloadLaterGeneration(job)
                                                       : downloadFirstGeneration(job);
    files = job.savedFiles;
    missing.clear();
    for (int i = 0; i < kMeasurementSlots; ++i)
        if (ok && !request.all && !request.onlyNew && request.selected[i] &&
            state.measurementCounts[i] < 0)
            missing.push_back(i + 1);
    return ok;
}

int runDownload(const ToolOptions& options) {
    DownloadRequest request;
    std::string error;
    if (!parseDownloadRequest(options.args, request, error)) return usageError(error);
    PcSettings settings;
    PortChoice port;
    if (!loadSettingsAndPort(options, settings, port)) return kExitUsage;
    // The driver opens its sessions on the settings' port and baud rate.
    settings.setComPort(port.portNumber);
    settings.setBaudRate(port.baudRate);
    ToolLink line(port);
    if (!line.ready()) return kExitFailed;

    std::vector<std::string> files;
    std::vector<int> missing;
    const bool ok = downloadCommand(line.link(), settings, request, files, missing);
    std::string list;
    for (const std::string& f : files) list += f + "\n";
    // The files are saved either way; a script that cannot learn their names must not see success.
    const bool listed = writeOutput(list);
    for (int n : missing)
        std::fprintf(stderr, "kvtool download: measurement %d holds no data\n", n);
    if (!listed) return kExitFailed;
    return ok ? kExitOk : kExitFailed;
}

const char* const kDownloadHelp =
    "Usage: kvtool [--port DEV|COMn] [--baud N] [--ini FILE] [--trace FILE] download\n"
    "              (--all | --new | --select N[,N...]) [--dir DIR]\n\n"
    "Downloads measurements from the connected recorder, as the information\n"
    "screen's download button does, writes one data file per measurement and\n"
    "prints the path of each file created.\n\n"
    "Options:\n"
    "  --all            every measurement the recorder holds.\n"
    "                   Example: kvtool download --all\n"
    "  --new            only the measurements that are not in the data folder yet:\n"
    "                   none of its data files (found through the download journal\n"
    "                   kvmanager-downloads.csv, else by their first lines) has the\n"
    "                   same serial number, model, kind, start, end and record\n"
    "                   count. With nothing new, nothing is fetched (exit status 0).\n"
    "                   Example: kvtool download --new --dir ~/KV-DATAS\n"
    "  --select N,...   the measurements numbered 1 to 10; one that holds no data\n"
    "                   is reported on stderr.\n"
    "                   Example: kvtool download --select 1,3\n"
    "  --dir DIR        the folder for the data files. Default: the INI's data\n"
    "                   folder (section \"etc\", key Path).\n"
    "                   Example: kvtool download --all --dir /tmp/kv\n\n"
    "Every file saved gets a line in kvmanager-downloads.csv in the data folder:\n"
    "the time of saving, the file name, model, serial and device number, the\n"
    "measurement, kind, start, end, record count, the recorder's clock offset\n"
    "(recorder minus PC, seconds), the program version and the file's SHA-256.\n\n"
    "Example:\n"
    "  kvtool --port /dev/ttyUSB0 download --select 2 --dir ~/KV-DATAS\n";

}  // namespace kv::tool
