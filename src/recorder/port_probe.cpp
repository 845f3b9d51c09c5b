#include "recorder/port_probe.h"

#include <cerrno>
#include <map>

#include "link/port_messages.h"
#include "recorder/identity_commands.h"
#include "recorder/session.h"

namespace kv {

PortProbe probePort(Link& link, const std::string& path, int baudRate, const DeviceTree& tree) {
    PortProbe probe;
    probe.path = path;
    if (isConsoleDevice(path, tree)) {
        probe.outcome = PortProbe::Outcome::Console;
        return probe;
    }
    if (hasLiveLockFile(path)) {
        probe.outcome = PortProbe::Outcome::Busy;
        return probe;
    }
    Link line{link.device, link.clock, link.host, [&path](int) { return path; }};
    RecorderSession session(line, 1, baudRate);
    if (session.openError != 0) {
        // The exclusive open is refused while another program holds the port.
        const bool busy = !session.baudRefused && session.openError == EBUSY;
        probe.outcome = busy ? PortProbe::Outcome::Busy : PortProbe::Outcome::Unopened;
        probe.error = session.openError;
        return probe;
    }
    RecorderIdentity identity;
    if (readIdentity(session, identity)) {
        probe.outcome = PortProbe::Outcome::Answered;
        probe.model = identity.modelCode;
        probe.firstGeneration = identity.modelCode > 0 && identity.modelCode <= 4300;
        RecorderInfo info;
        LegacyRecorderInfo legacy;
        RecorderIdentity unused;
        if (!probe.firstGeneration && readStatus(session, info)) {
            probe.serialNumber = info.serialNumber;
            if (probe.model <= 0) probe.model = info.modelCode;  // an unreadable identity text
        } else if (probe.firstGeneration && readStatusLegacy(session, legacy, unused)) {
            probe.serialNumber = legacy.serialNumber;
        }
        return probe;
    }
    LegacyRecorderInfo legacy;
    if (readStatusLegacy(session, legacy, identity)) {
        probe.outcome = PortProbe::Outcome::Answered;
        probe.model = legacy.modelCode;
        probe.serialNumber = legacy.serialNumber;
        probe.firstGeneration = true;
    }
    return probe;
}

std::vector<PortProbe> probePorts(Link& link, const std::vector<std::string>& paths, int baudRate,
                                  const DeviceTree& tree) {
    Host& host = link.host;
    std::vector<PortProbe> results;
    std::map<std::string, PortProbe> byDevice;  // one conversation per device
    host.setLoadCancelRequested(false);
    host.beginProgress(true);
    for (size_t i = 0; i < paths.size(); ++i) {
        host.showProgressText(static_cast<int>(i * 100 / paths.size()),
                              paths[i] + " を調べています");
        host.processEvents();
        if (host.loadCancelRequested()) break;
        const std::string device = resolvedDevice(paths[i]);
        auto known = byDevice.find(device);
        if (known == byDevice.end())
            known = byDevice.emplace(device, probePort(link, paths[i], baudRate, tree)).first;
        PortProbe probe = known->second;
        probe.path = paths[i];
        results.push_back(probe);
    }
    host.showProgressText(100, "");
    host.endProgress();
    return results;
}

std::string recorderName(ModelCode model) {
    return "KV-" + std::to_string(model);
}

std::string probeFindingText(const PortProbe& probe) {
    switch (probe.outcome) {
        case PortProbe::Outcome::Answered:
            return recorderName(probe.model) +
                   (probe.serialNumber >= 0
                        ? "（製造番号 " + std::to_string(probe.serialNumber) + "）"
                        : std::string());
        case PortProbe::Outcome::Silent:
            return "応答なし";
        case PortProbe::Outcome::Busy:
            return "ほかのプログラムが使用中（何も送っていません）";
        case PortProbe::Outcome::Console:
            return "システムコンソール（何も送っていません）";
        case PortProbe::Outcome::Unopened:
            break;
    }
    return "開けません: " + portErrorReason(static_cast<int>(probe.error));
}

const PortProbe* firstAnswer(const std::vector<PortProbe>& probes, const std::string& except) {
    for (const PortProbe& p : probes)
        if (p.outcome == PortProbe::Outcome::Answered && p.path != except) return &p;
    return nullptr;
}

}  // namespace kv
