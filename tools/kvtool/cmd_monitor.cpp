// kvtool monitor --mode 1-4 [...]: listens to the live telegrams of the
// connected recorder as the real-time monitor does, one line per telegram.
#include "cmd_monitor.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "base/forwarding_host.h"
#include "json_writer.h"
#include "list/over_range.h"
#include "monitor/live_monitor.h"
#include "recorder/session.h"
#include "recorder/value_texts.h"
#include "screens/condition_rules.h"
#include "screens/monitor_settings.h"
#include "tool_link.h"
#include "tool_options.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

constexpr const char* kAxisNames[] = {"X", "Y", "Z"};
constexpr const char* kTelegramErrorText = "電文エラー";

volatile std::sig_atomic_t gInterrupted = 0;
void onInterrupt(int) {
    gInterrupted = 1;
}

bool parseCount(const std::string& text, long& out) {
    auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && out > 0;
}

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(',', start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

// The model index of the dialog's list that fits a mode: the saved one when it
// can send such telegrams, else the third generation's.
int modelFor(int mode, int saved) {
    const bool triaxial = monitorAxes(mode) == 3;
    const bool wave = isWaveMonitor(mode);
    const ModelCode code = monitorModelCode(saved);
    const bool fits = code != 0 && isTriaxial(code) == triaxial && (!wave || recordsWaves(code));
    if (fits) return saved;
    return triaxial ? 5 : 4;
}

// A value kept in single precision, printed as the shortest text that reads
// back as it (1.25, not 1.25000000000000000).
double shortest(float value) {
    char text[32];
    auto r = std::to_chars(text, text + sizeof text, value);
    *r.ptr = '\0';
    return std::strtod(text, nullptr);
}

std::string timeText(DateTime t) {
    const CalendarTime c = decodeDateTime(t);
    char ms[8];
    std::snprintf(ms, sizeof ms, ".%03d", c.millisecond);
    return formatDateTimeText(t) + ms;
}

// Prints what the monitor received, one line per telegram.
class TelegramPrinter {
  public:
    TelegramPrinter(const RecorderState& recorder, bool json, std::FILE* out)
        : range_(recorder.identity.sensorRange), json_(json), out_(out) {}

    // False when the line could not be written (the reason is on stderr).
    bool print(const LiveTelegram& telegram) {
        std::string line;
        switch (telegram.kind) {
            case LiveOutcome::Peak:
                line = peakLine(telegram);
                break;
            case LiveOutcome::Wave:
                line = waveLine(telegram);
                break;
            case LiveOutcome::Error:
                line = json_ ? errorJson(telegram.time)
                             : timeText(telegram.time) + " " + kTelegramErrorText;
                break;
        }
        return writeOutput(line + "\n", out_);
    }

  private:
    // Over-range values read "+OVER" or "-OVER", as in the monitor's list.
    std::string gText(float value) const {
        std::string text = gOverText(value, range_);
        return text.find("OVER") == std::string::npos ? text + "G" : text;
    }

    std::string plusSign(float value) const {
        std::string text = gText(value);
        return text[0] == '+' ? text : "+" + text;
    }

    std::string peakLine(const LiveTelegram& telegram) const {
        const PeakRow& row = *telegram.row;
        if (json_) {
            JsonWriter j(0);
            j.beginObject();
            j.key("time");
            j.string(timeText(telegram.time));
            j.key("kind");
            j.string("peak");
            j.key("axes");
            j.beginArray();
            for (int a = 0; a < telegram.axes; ++a) {
                j.beginObject();
                j.key("axis");
                j.string(kAxisNames[a]);
                j.key("positive");
                j.number(shortest(row.peak[2 * a]));
                j.key("positiveWidth");
                j.integer(row.width[2 * a]);
                j.key("negative");
                j.number(shortest(row.peak[2 * a + 1]));
                j.key("negativeWidth");
                j.integer(row.width[2 * a + 1]);
                j.endObject();
            }
            j.endArray();
            j.endObject();
            return j.text();
        }
        std::string line = timeText(telegram.time);
        for (int a = 0; a < telegram.axes; ++a) {
            line += std::string(" ") + kAxisNames[a] + " " + plusSign(row.peak[2 * a]) + " " +
                    std::to_string(row.width[2 * a]) + "ms " + gText(row.peak[2 * a + 1]) + " " +
                    std::to_string(row.width[2 * a + 1]) + "ms";
        }
        return line;
    }

    std::string waveLine(const LiveTelegram& telegram) const {
        const int axes = telegram.axes;
        if (json_) {
            JsonWriter j(0);
            j.beginObject();
            j.key("time");
            j.string(timeText(telegram.time));
            j.key("kind");
            j.string("wave");
            j.key("planes");
            j.beginArray();
            for (int a = 0; a < axes; ++a) {
                const WaveBlock& b = *telegram.planes[static_cast<size_t>(a)];
                j.beginObject();
                j.key("axis");
                j.string(kAxisNames[a]);
                j.key("peak");
                j.number(shortest(b.peak));
                j.key("width");
                j.integer(b.width);
                if (axes == 3) {
                    j.key("resultantG");
                    j.number(shortest(b.resultantG));
                }
                j.endObject();
            }
            j.endArray();
            j.endObject();
            return j.text();
        }
        std::string line = timeText(telegram.time);
        for (int a = 0; a < axes; ++a) {
            const WaveBlock& b = *telegram.planes[static_cast<size_t>(a)];
            line += std::string(" ") + kAxisNames[a] + " " + gText(b.peak) + " " +
                    std::to_string(b.width) + "ms";
        }
        if (axes == 3) line += " 合成G " + valueText(telegram.planes[0]->resultantG);
        return line;
    }

    static std::string errorJson(DateTime time) {
        JsonWriter j(0);
        j.beginObject();
        j.key("time");
        j.string(timeText(time));
        j.key("kind");
        j.string("error");
        j.key("message");
        j.string(kTelegramErrorText);
        j.endObject();
        return j.text();
    }

    int range_;
    bool json_;
    std::FILE* out_;
};

// The link's host, with the stop conditions looked at whenever the monitor
// lets events through.
class StoppingHost : public ForwardingHost {
  public:
    StoppingHost(Host& inner, std::function<void()> check)
        : ForwardingHost(inner), check_(std::move(check)) {}
    void processEvents() override {
        ForwardingHost::processEvents();
        check_();
    }

  private:
    std::function<void()> check_;
};

}  // namespace

bool parseMonitorRequest(const std::vector<std::string>& args, MonitorRequest& request,
                         std::string& error) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            request.json = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "monitor: " + a + (a.rfind("--", 0) == 0 ? " needs a value" : " unexpected");
            return false;
        }
        const std::string& v = args[++i];
        long n = 0;
        if (a == "--mode" && parseCount(v, n) && n <= 4) {
            request.mode = static_cast<int>(n);
        } else if (a == "--range" && parseCount(v, n) &&
                   itemIndexOfValue(monitorRangeItems(), static_cast<int>(n)) >= 0) {
            request.rangeG = static_cast<int>(n);
        } else if (a == "--sensitivity") {
            request.sensitivity = splitCommas(v);
            if (request.sensitivity.size() != 1 && request.sensitivity.size() != 3) {
                error = "--sensitivity takes one value or three: X,Y,Z";
                return false;
            }
        } else if (a == "--sample-period" && parseCount(v, n) &&
                   itemIndexOfValue(samplePeriodItems(), static_cast<int>(n)) >= 0) {
            request.samplePeriodMs = static_cast<int>(n);
        } else if (a == "--count" && parseCount(v, n)) {
            request.count = n;
        } else if (a == "--seconds" && parseRealNumber(v) && *parseRealNumber(v) > 0) {
            request.seconds = *parseRealNumber(v);
        } else {
            error = "monitor: " + a + " '" + v + "' is not accepted";
            if (a == "--range") error += " (1, 5, 10, 20, 50 or 100)";
            if (a == "--sample-period") error += " (1, 2, 5, 10, 20, 50 or 100)";
            if (a == "--mode") error += " (1 to 4)";
            return false;
        }
    }
    if (request.mode == 0) {
        error = "monitor needs --mode 1 to 4";
        return false;
    }
    return true;
}

bool applyMonitorRequest(const MonitorRequest& request, const PcSettings& settings,
                         RecorderState& recorder, DataSet& view, std::string& error) {
    const bool saved = settings.defType != -1;
    MonitorChoices c = saved ? savedMonitorChoices(settings) : MonitorChoices{};
    c.model = modelFor(request.mode, saved ? settings.defType : -1);
    c.wave = isWaveMonitor(request.mode);
    if (!saved) {
        c.range = itemIndexOfValue(monitorRangeItems(), 100);
        c.samplePeriod = 0;
    }
    if (request.rangeG != 0) c.range = itemIndexOfValue(monitorRangeItems(), request.rangeG);
    if (request.samplePeriodMs != 0)
        c.samplePeriod = itemIndexOfValue(samplePeriodItems(), request.samplePeriodMs);
    c.sensitivity = {"24.0", "24.0", "24.0"};
    for (size_t a = 0; a < 3 && !request.sensitivity.empty(); ++a)
        c.sensitivity[a] = request.sensitivity[request.sensitivity.size() == 3 ? a : 0];
    const MonitorCheck check = checkMonitorChoices(c);
    if (!check.ok) {
        error = !check.message.empty() ? check.message + " (10.0 to 28.0 mV/G)"
                                       : "the saved range or sample period is not one the "
                                         "settings offer: give --range and --sample-period";
        return false;
    }
    return applyMonitorChoices(c, recorder, view) == request.mode;
}

int monitorCommand(Link& link, int portNumber, int baudRate, const MonitorRequest& request,
                   const RecorderState& recorder, DataSet& view, std::FILE* out,
                   const volatile std::sig_atomic_t* interrupted) {
    auto monitor = std::make_unique<LiveMonitor>(view, recorder);
    monitor->monitorMode = request.mode;
    monitor->clearView();
    long good = 0;
    const int64_t end =
        request.seconds > 0
            ? link.clock.nowMs() + static_cast<int64_t>(std::llround(request.seconds * 1000))
            : INT64_MAX;
    StoppingHost host(link.host, [&] {
        if ((interrupted && *interrupted) || link.clock.nowMs() >= end) monitor->stop();
    });
    Link stoppable{link.device, link.clock, host, link.devicePath};
    TelegramPrinter printer(recorder, request.json, out);
    bool outputLost = false;
    monitor->onTelegram = [&](const LiveTelegram& telegram) {
        // Nobody reads what arrives any more: listening on would be for nothing.
        if (!printer.print(telegram)) {
            outputLost = true;
            monitor->stop();
        }
        if (telegram.kind != LiveOutcome::Error && request.count > 0 && ++good >= request.count)
            monitor->stop();
    };
    // A port that does not open, or a line that goes away, is told on stderr.
    const LiveEnd ending = runLiveSession(stoppable, portNumber, baudRate, *monitor);
    if (outputLost) return kExitFailed;
    return ending.reason == LiveEnd::Reason::Stopped ? kExitOk : kExitFailed;
}

int runMonitor(const ToolOptions& options) {
    MonitorRequest request;
    std::string error;
    if (!parseMonitorRequest(options.args, request, error)) {
        std::fprintf(stderr, "kvtool: %s\n", error.c_str());
        return kExitUsage;
    }
    PcSettings settings;
    PortChoice port;
    if (!loadSettingsAndPort(options, settings, port)) return kExitUsage;
    auto recorder = std::make_unique<RecorderState>();
    auto view = std::make_unique<DataSet>();
    if (!applyMonitorRequest(request, settings, *recorder, *view, error)) {
        std::fprintf(stderr, "kvtool: %s\n", error.c_str());
        return kExitUsage;
    }
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    ToolLink line(port);
    if (!line.ready()) return kExitFailed;
    return monitorCommand(line.link(), port.portNumber, port.baudRate, request, *recorder, *view,
                          stdout, &gInterrupted);
}

const char* const kMonitorHelp =
    "Usage: kvtool [--port DEV|COMn] [--baud N] [--ini FILE] monitor --mode 1-4\n"
    "              [--range G] [--sensitivity X,Y,Z] [--sample-period MS]\n"
    "              [--count N] [--seconds S] [--json]\n\n"
    "Listens to the live telegrams the connected recorder sends by itself, as the\n"
    "real-time monitor does, and prints one line per telegram until stopped\n"
    "(Ctrl+C), --count or --seconds. A line that goes away (a cable pulled, the\n"
    "recorder's end closed) or output that cannot be written ends it with exit\n"
    "status 1 and the reason on stderr.\n\n"
    "Options:\n"
    "  --mode 1-4          the monitor's display mode: 1 peak single-axis, 2 peak\n"
    "                      triaxial, 3 wave single-axis, 4 wave triaxial.\n"
    "                      Example: --mode 2\n"
    "  --range G           the sensor range: 1, 5, 10, 20, 50 or 100 G.\n"
    "                      Example: --range 50\n"
    "  --sensitivity X,Y,Z the sensor sensitivities in mV/G, one value for all\n"
    "                      axes or three. Example: --sensitivity 24.0,23.5,24.1\n"
    "  --sample-period MS  wave modes: 1, 2, 5, 10, 20, 50 or 100 ms.\n"
    "                      Example: --sample-period 5\n"
    "  --count N           stop after N good telegrams. Example: --count 10\n"
    "  --seconds S         stop after S seconds. Example: --seconds 30\n"
    "  --json              one JSON object per telegram.\n"
    "                      Example: kvtool monitor --mode 1 --count 5 --json\n\n"
    "Example:\n"
    "  kvtool --port /dev/ttyUSB0 monitor --mode 2 --range 50 --seconds 60\n";

}  // namespace kv::tool
