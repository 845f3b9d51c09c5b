// The trip report on a printer: the same pages and words as the PDF writer
// makes, whatever the printer's resolution.
#include <gtest/gtest.h>
#include <QPrinter>

#include <fstream>

#include "base/silent_host.h"
#include "datafile/data_file_loader.h"
#include "datafile/sample_data_files.h"
#include "support/scratch_folder.h"
#include "tools/kvtool_program.h"
#include "viewer/trip_report.h"

namespace kv::test {
namespace {

TEST(TripReport, APrinterGetsThePagesOfThePdf) {
    ScratchFolder scratch;
    SampleDataFile sample;
    sample.model = 6300;
    sample.wave = true;
    sample.records = 4;
    const std::string path = scratch.file("KV63W07-2014031501-01.CSV");
    std::ofstream(path, std::ios::binary) << sample.bytes();
    DataSet data;
    RecorderIdentity identity;
    SilentHost host;
    ASSERT_TRUE(loadDataFile(path, data, identity, host));
    ReportOptions options;
    options.limits.warningG = {5, 5, 5};
    options.limits.alarmG = {7.5, 7.5, 7.5};
    options.programVersion = "test";
    const ReportFile file{path, &data, &identity, "digest"};

    QByteArray bytes;
    ASSERT_TRUE(tripReportOfFile(file, options, bytes));
    const std::string written = scratch.file("written.pdf");
    std::ofstream(written, std::ios::binary) << bytes.toStdString();

    for (auto resolution : {QPrinter::HighResolution, QPrinter::ScreenResolution}) {
        const std::string printed = scratch.file("printed.pdf");
        QPrinter printer(resolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printed));
        std::string error;
        ASSERT_TRUE(printTripReport(printer, file, options, error)) << error;
        std::string a, b;
        ASSERT_EQ(runCapturing("pdftotext -layout '" + written + "' - | grep -v 作成日時", a), 0);
        ASSERT_EQ(runCapturing("pdftotext -layout '" + printed + "' - | grep -v 作成日時", b), 0);
        // The same words on the same pages: a page break in another place
        // would move a form feed.
        auto words = [](const std::string& text) {
            std::string out;
            bool blank = false;
            for (char c : text) {
                const bool space = c == ' ' || c == '\n';
                if (space && !blank) out += ' ';
                if (!space) out += c;
                blank = space;
            }
            return out;
        };
        EXPECT_EQ(words(a), words(b)) << resolution;
        EXPECT_NE(a.find("判定: 不合格"), std::string::npos) << a;
    }
    EXPECT_EQ(data.currentIndex, 0);  // the waveforms drawn, the record on show put back
}

}  // namespace
}  // namespace kv::test
