#pragma once

#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "list/list_print_job.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace kv {

struct DataSet;
struct RecorderIdentity;

// Called before each page is drawn with its number (1-based) and the page
// count; returning false stops the printout before that page.
// The families of printed text, in order of preference: IPA P Gothic first,
// since the Noto CJK fonts give the Kangxi radicals the glyphs of the
// ideographs and a PDF's text map then reads "日付" back as "⽇付".
QStringList printFontFamilies();

using ListPrintPageHook = std::function<bool(int page, int pages)>;

// Draws the whole printout on a paged device whose paper is set (a printer or
// a PDF writer): sets the layout's orientation, the header block on the first
// page, the running head on later ones, the ruled table, a footer on every
// page. Returns false when the device refused to be painted on or the hook
// stopped it; the caller then discards the job.
bool paintListPrintout(QPagedPaintDevice& device, const ListPrintJob& job,
                       const ListPrintPageHook& onPage = {});

// What the list window prints: the data set's rows at display positions
// start .. end (1-based, within the record count) in display order.
struct ListPrintRequest {
    const DataSet* data = nullptr;
    const RecorderIdentity* identity = nullptr;
    const std::vector<int32_t>* displayOrder = nullptr;
    int start = 1;
    int end = 1;
};

// The list window's print command: runs the print dialog (cancel prints
// nothing), then prints with a progress dialog that can stop the job, which is
// then aborted. False when cancelled, stopped, the data set's model has no
// printed layout, or the printer failed; nothing is printed then. The dialog
// sets up `printer` when one is given (one with an output file name offers
// that file), else a new printer. A PDF file chosen in the dialog is written
// as a whole or not at all; why it was not goes to `error` (empty otherwise).
bool printList(QWidget* parent, const ListPrintRequest& request, QPrinter* printer = nullptr,
               std::string* error = nullptr);

// The same printout into an A4 PDF file (`path` in the file system's bytes),
// written as a whole or not at all. False with a message in `error` when the
// request prints nothing or the file could not be written.
bool printListToPdf(const std::string& path, const ListPrintRequest& request, std::string& error);

}  // namespace kv
