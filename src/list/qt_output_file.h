#pragma once

#include <QPageLayout>
#include <QString>
#include <functional>
#include <string>

class QByteArray;
class QPagedPaintDevice;
class QPrinter;

namespace kv {

// Files made by Qt (pictures, PDFs) reach the disk the way every output of
// the program does, through SafeFileWriter: Qt renders into memory, where
// nothing can fail half-way unnoticed, and the bytes are then written with
// every write checked and renamed over the target. Paths are the file
// system's bytes (a window turns its QString into them with fileNameBytes()).

// Writes bytes that Qt produced. False with "PATH: reason" in `error`, also
// for a target that is a measurement data file: no output replaces one.
bool writeQtOutputFile(const std::string& path, const QByteArray& bytes, std::string& error);

// The page setup of a PDF: the paper, orientation and margins, the device
// units and the document's names.
struct PdfSetup {
    QPageLayout layout;
    int resolution = 1200;
    QString title;
    QString creator;
};
// The setup a printer would print with.
PdfSetup pdfSetupOf(const QPrinter& printer);

// Draws the pages on a PDF device. False to give up (the device refused the
// painter, or the user stopped the job): nothing is written then.
using PdfPainting = std::function<bool(QPagedPaintDevice& device)>;

// Paints a PDF in memory and writes it to `path`. False with the reason in
// `error`; empty when `paint` gave up.
bool writePdfFile(const std::string& path, const PdfSetup& setup, const PdfPainting& paint,
                  std::string& error);

// The print command's last step: paints on `printer`, or, when its dialog
// chose a PDF file as the output, writes that file as writePdfFile() does, so
// a failed write is reported and leaves any old file as it was. False with the
// reason in `error` (empty when `paint` gave up).
bool printOrWritePdf(QPrinter& printer, const PdfPainting& paint, std::string& error);

// The bytes of a file name the window holds as text, in Qt's file-name
// encoding. A name whose bytes are not valid in it (Qt shows such a byte as
// U+FFFD) is looked up in its folder again by the name shown, so a file that
// the file dialog listed opens and saves under its real name.
std::string fileNameBytes(const QString& path);

}  // namespace kv
