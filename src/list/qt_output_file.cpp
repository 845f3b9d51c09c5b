#include "list/qt_output_file.h"

#include <dirent.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QStringList>
#include <string_view>

#include "base/message_text.h"
#include "base/safe_file_writer.h"
#include "datafile/output_target.h"

namespace kv {

bool writeQtOutputFile(const std::string& path, const QByteArray& bytes, std::string& error) {
    // A name picked in a dialog may be that of a measurement, which may exist
    // nowhere else.
    if (outputClash(path, {}) == OutputClash::DataFile) {
        error = shortenedForMessage(path) + ": a recorder data file is never replaced";
        return false;
    }
    return writeFileSafely(path, std::string_view(bytes.constData(), bytes.size()), error);
}

PdfSetup pdfSetupOf(const QPrinter& printer) {
    return PdfSetup{printer.pageLayout(), printer.resolution(), printer.docName(),
                    printer.creator()};
}

bool writePdfFile(const std::string& path, const PdfSetup& setup, const PdfPainting& paint,
                  std::string& error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(setup.resolution);
        pdf.setPageLayout(setup.layout);
        pdf.setTitle(setup.title);
        pdf.setCreator(setup.creator);
        if (!paint(pdf)) {
            error.clear();
            return false;
        }
    }
    buffer.close();
    return writeQtOutputFile(path, buffer.data(), error);
}

bool printOrWritePdf(QPrinter& printer, const PdfPainting& paint, std::string& error) {
    error.clear();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return writePdfFile(fileNameBytes(printer.outputFileName()), pdfSetupOf(printer), paint,
                            error);
    return paint(printer);
}

namespace {

// The entry of `folder` whose name Qt shows as `shown`; empty when none.
std::string entryShownAs(const std::string& folder, const QString& shown) {
    std::string found;
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return found;
    while (const dirent* entry = ::readdir(dir)) {
        if (QFile::decodeName(entry->d_name) == shown) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

std::string fileNameBytes(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter)) return QFile::encodeName(path).toStdString();
    const QStringList parts = path.split(QLatin1Char('/'));
    std::string bytes;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::string folder = i == 0 ? std::string(".") : bytes;
        if (i > 0) bytes += '/';
        std::string part;
        if (parts[i].contains(QChar::ReplacementCharacter)) part = entryShownAs(folder, parts[i]);
        bytes += part.empty() ? QFile::encodeName(parts[i]).toStdString() : part;
    }
    return bytes;
}

}  // namespace kv
