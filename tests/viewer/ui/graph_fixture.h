#pragma once

// The program's windows on the in-memory recorder with the graph window shown
// from the main window, and data files of every model written on demand.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <fstream>

#include "app/TMainForm.h"
#include "app/ui/shell_fixture.h"
#include "datafile/data_set.h"
#include "datafile/sample_data_files.h"
#include "viewer/TGraph5000.h"

namespace kv::test {

class GraphWindowTest : public ShellTest {
  protected:
    void SetUp() override {
        start(kRecorder5300);
        windows.mainForm->showGraphWindow();
        graph = windows.graph5000;
    }

    // Writes a data file of the model and kind with `records` records.
    std::string writeFile(int model, bool wave, int records = 30) {
        SampleDataFile file;
        file.model = model;
        file.wave = wave;
        file.records = records;
        return writeFile(file);
    }
    std::string writeFile(const SampleDataFile& file) {
        const std::string path = folder.file("KV") + std::to_string(file.model) +
                                 (file.wave ? "W" : "P") + std::to_string(++files_) + ".csv";
        std::ofstream(path, std::ios::binary) << file.bytes();
        return path;
    }
    bool open(int model, bool wave, int records = 30) {
        return graph->openDataFile(QString::fromStdString(writeFile(model, wave, records)));
    }

    QAction* action(const char* name) { return find<QAction>(graph, name); }
    QWidget* widget(const char* name) { return find<QWidget>(graph, name); }
    template <typename T = QAbstractButton>
    void click(const char* name) {
        find<T>(graph, name)->click();
    }
    // The menu bar on show.
    std::string menuBar() {
        for (QMenuBar* bar : graph->findChildren<QMenuBar*>())
            if (bar->isVisible()) return bar->objectName().toStdString();
        return {};
    }

    TGraph5000* graph = nullptr;

  private:
    int files_ = 0;
};

}  // namespace kv::test
