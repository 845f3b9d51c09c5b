// ＫＶマネージャー: start-up.
#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "app/TMainForm.h"
#include "app/app_windows.h"
#include "app/qt_host.h"
#include "base/clock.h"
#include "base/safe_file_writer.h"
#include "datafile/data_folder.h"
#include "datafile/data_set.h"
#include "link/link.h"
#include "link/protocol_trace.h"
#include "link/termios_device.h"
#include "link/tracing_device.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"
#include "settings/port_devices.h"
#include "viewer/TGraph5000.h"

namespace {

const char* const kApplicationTitle = "KVﾏﾈｰｼﾞｬｰ";

std::string executablePath(const char* argv0) {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return argv0;
    return std::string(path, static_cast<size_t>(n));
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void showError(const QString& text) {
    kv::showMessageBox(nullptr, QString::fromUtf8(kApplicationTitle), text, kv::Host::Error);
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed.
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--version") {
            std::printf("kvmanager %s\n", KV_VERSION);
            return 0;
        }
    }
    // Ended by a signal, the program leaves no half-written output behind.
    kv::removePendingFilesOnSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    // The main window's exit question decides when the program ends, also
    // while it is hidden behind the graph window.
    QApplication::setQuitOnLastWindowClosed(false);
    kv::applyApplicationFont(app);
    // The standard dialogs (file, print, colour) speak Japanese like the rest
    // of the program where Qt's own translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    try {
        // The program's one settings store, recorder state and data set: every
        // window gets them from here.
        kv::PcSettings settings;
        kv::RecorderState state;
        kv::DataSet data;
        kv::RealClock clock;
        kv::TermiosDevice device(clock);
        // With the PC settings' check box on, every conversation is traced
        // into the data folder; the setting is looked at as each one begins.
        kv::ProtocolTrace trace(clock, "kvmanager");
        trace.followTarget(
            [&settings] {
                return settings.saveTrace() ? settings.dataFolder() + kv::kTraceFileName
                                            : std::string();
            },
            kv::kTraceFileCap);
        kv::TracingDevice tracedDevice(device, trace);
        kv::QtHost host;
        // The run script hands over its simulator for the port selected at
        // start-up; it only lasts for this run.
        std::string runDevice = environment("KV_DEVICE_OVERRIDE");
        int runPort = 0;
        kv::Link link{tracedDevice, clock, host,
                      [&](int port) { return kv::PortDevices(settings, runDevice, runPort)(port); },
                      &trace};

        kv::AppWindows windows;
        kv::createAppWindows(windows, link, settings, state, data);
        host.setProgressWindow(windows.dataReadForm);
        QObject::connect(windows.mainForm, &kv::TMainForm::closed, &app, &QApplication::quit);

        settings.locateForExecutable(executablePath(argv[0]), environment("HOME"));
        settings.load();
        runPort = settings.comPort();
        if (!settings.iniProblem().empty())
            showError(QString::fromUtf8("設定ファイルを読み込めませんでした。初期設定で起動し、"
                                        "このファイルには書き込みません。\n") +
                      QString::fromStdString(settings.iniProblem()));

        std::string error;
        if (!kv::createDataFolder(settings.dataFolder(), error)) {
            showError(QString::fromStdString(error));
            kv::destroyAppWindows(windows);
            return 1;
        }

        // A data file named on the command line ("open with" of a file
        // manager) opens straight in the graph window.
        // Taken as the bytes given (Qt has removed its own options from argv
        // by now): a name that is no valid text still opens.
        if (argc > 1 && argv[1][0] != '-') {
            const std::string path = argv[1];
            windows.mainForm->showGraphWindow();
            QTimer::singleShot(0, windows.graph5000, [&windows, path] {
                windows.graph5000->openDataFileNamed(path, true);
            });
        } else {
            windows.mainForm->show();
        }
        const int result = app.exec();
        kv::destroyAppWindows(windows);
        return result;
    } catch (const std::exception& e) {
        showError(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
