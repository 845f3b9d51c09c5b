#include "list/list_printing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "base/clock.h"
#include "base/kv_assert.h"
#include "base/message_text.h"
#include "datafile/data_set.h"
#include "list/list_print_rows.h"
#include "list/qt_output_file.h"
#include "list/surface_pens.h"

namespace kv {

namespace {

constexpr int kHeaderFontHeight = 50;
// Device units are 1/600 inch on every printer and in the PDF, so the
// printout has the same size and the same rows per page everywhere.
constexpr int kPrintResolution = 600;

// A font whose line (ascent + descent) is `height` device units: a font
// height here means the whole text cell, as the printer fonts of the tool's
// origin had it, not the glyphs' em.
QFont cellFont(QPaintDevice& device, int height) {
    QFont font;
    font.setFamilies(printFontFamilies());
    // Unshaped glyphs are the ones the font's character map names, so every
    // digit of a Latin run reads back from the PDF; shaping adds nothing to
    // these texts.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPixelSize(height);
    const int line = QFontMetrics(font, &device).height();
    if (line > 0 && line != height) font.setPixelSize(std::max(1, height * height / line));
    return font;
}

QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The drawing state of one printout: the page, the current font and its
// unit and row height, and the table's edges in device units.
class ListPainter {
  public:
    ListPainter(QPainter& painter, QPagedPaintDevice& device, const ListPrintJob& job)
        : p_(painter), device_(device), job_(job), layout_(*job.layout) {
        width_ = device.width();
        height_ = device.height();
    }

    // Header font, then the table font shrunk until the table fits the width.
    void chooseFonts() {
        useFont(kHeaderFontHeight);
        headerUnit_ = listHeaderUnit(fm_.horizontalAdvance(QLatin1Char('8')));
        headerRowHeight_ = listRowHeight(fm_.height());

        const int lastEdge = layout_.edges.back();
        const int tableHeight =
            fitListTableFont(layout_.tableFontHeight, lastEdge, width_, [&](int h) {
                return listTableUnit(
                    QFontMetrics(cellFont(device_, h), &device_).horizontalAdvance('8'));
            });
        useFont(tableHeight);
        unit_ = listTableUnit(fm_.horizontalAdvance(QLatin1Char('8')));
        rowHeight_ = listRowHeight(fm_.height());
        textOffset_ = listTextOffset(rowHeight_);
        halfSpace_ = fm_.horizontalAdvance(QLatin1Char(' ')) / 2;
        xs_.clear();
        for (int e : layout_.edges) xs_.push_back(e * unit_);
    }

    int rowHeight() const { return rowHeight_; }
    int pageHeight() const { return height_; }

    void headerBlock() {
        QFont tableFont = p_.font();
        useFont(kHeaderFontHeight);
        const int rightX = width_ - fm_.horizontalAdvance(qs(job_.today)) - 5 * headerUnit_;
        for (int k = 0; k < static_cast<int>(job_.header.size()); ++k) {
            const int y = listRowTop(k + layout_.headerOffset, headerRowHeight_);
            const ListPrintHeaderLine& line = job_.header[k];
            textAt(10 * headerUnit_, y, line.left);
            textAt(40 * headerUnit_, y, line.middle);
            textAt(rightX, y, line.right);
        }
        setFont(tableFont);
    }

    void runningHead() {
        textAt(10 * unit_, listRowTop(0, 0), job_.filePath);
        textAt(width_ - fm_.horizontalAdvance(qs(job_.today)) - 5 * unit_, listRowTop(0, 0),
               job_.today);
    }

    void captionRow(int row) {
        hRule(row);
        vRules(row, LineRole::TableRule);
        const int y = textTop(row);
        for (size_t c = 0; c < layout_.captions.size(); ++c) {
            const QString text = qs(layout_.captions[c]);
            const int free = xs_[c + 1] - xs_[c] - fm_.horizontalAdvance(text);
            textAt(xs_[c] + std::max(0, free / 2), y, text);
        }
    }

    void dataRow(int row, const std::vector<std::string>& cells, LineRole verticalPen) {
        hRule(row);
        vRules(row, verticalPen);
        const int y = textTop(row);
        const size_t n = std::min(cells.size(), layout_.captions.size());
        for (size_t c = 0; c < n; ++c) {
            const QString text = qs(cells[c]);
            textAt(std::max(xs_[c], xs_[c + 1] - fm_.horizontalAdvance(text) - halfSpace_), y,
                   text);
        }
    }

    void hRule(int row) {
        setPen(LineRole::TableRule);
        const int y = listRowTop(row, rowHeight_);
        p_.drawLine(xs_.front(), y, xs_.back(), y);
    }

    void footer(int page, int pages) {
        const QString text = qs(listFooterText(layout_, page, pages));
        textAt(width_ - fm_.horizontalAdvance(text), height_ - rowHeight_, text);
    }

  private:
    int textTop(int row) const { return row * rowHeight_ + textOffset_; }

    void vRules(int row, LineRole pen) {
        setPen(pen);
        const int top = listRowTop(row, rowHeight_);
        const int bottom = listRowTop(row + 1, rowHeight_);
        for (int x : xs_) p_.drawLine(x, top, x, bottom);
    }

    void setPen(LineRole role) {
        if (pen_ == role) return;
        pen_ = role;
        p_.setPen(linePen(p_, role, Qt::black));
    }

    void useFont(int height) { setFont(cellFont(device_, height)); }
    void setFont(const QFont& font) {
        p_.setFont(font);
        fm_ = p_.fontMetrics();
    }

    // Texts are placed by their top edge, as the rows are.
    void textAt(int x, int y, const QString& text) {
        if (!text.isEmpty()) p_.drawText(x, y + fm_.ascent(), text);
    }
    void textAt(int x, int y, const std::string& text) {
        if (!text.empty()) textAt(x, y, qs(text));
    }

    QPainter& p_;
    QPagedPaintDevice& device_;
    const ListPrintJob& job_;
    const ListPrintLayout& layout_;
    QFontMetrics fm_{QFont()};
    int width_ = 0, height_ = 0;
    int headerUnit_ = 0, headerRowHeight_ = 0;
    int unit_ = 0, rowHeight_ = 0, textOffset_ = 0, halfSpace_ = 0;
    std::optional<LineRole> pen_;
    std::vector<int> xs_;
};

}  // namespace

QStringList printFontFamilies() {
    return {QStringLiteral("IPAPGothic"), QStringLiteral("ＭＳ Ｐゴシック")};
}

bool paintListPrintout(QPagedPaintDevice& device, const ListPrintJob& job,
                       const ListPrintPageHook& onPage) {
    KV_ASSERT(job.layout && job.rows);
    const ListPrintLayout& layout = *job.layout;
    device.setPageOrientation(layout.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    ListPainter draw(painter, device, job);
    draw.chooseFonts();

    const ListPagePlan plan =
        planListPages(layout, draw.rowHeight(), draw.pageHeight(), job.rows->count());
    std::vector<std::string> cells;
    for (int k = 0; k < plan.pages; ++k) {
        if (onPage && !onPage(k + 1, plan.pages)) {
            painter.end();
            return false;
        }
        if (k > 0) {
            if (!device.newPage()) {
                painter.end();
                return false;
            }
            draw.runningHead();
        } else {
            draw.headerBlock();
        }
        int row = k == 0 ? layout.firstRow : layout.laterFirstRow;
        draw.captionRow(row);
        for (int i = plan.pageBegin(k); i < plan.pageEnd(k); ++i) {
            job.rows->cells(i, cells);
            // The first data row of a later page has thin column rules.
            draw.dataRow(
                ++row, cells,
                k > 0 && i == plan.pageBegin(k) ? LineRole::ThinRule : LineRole::TableRule);
        }
        draw.hRule(++row);
        draw.footer(k + 1, plan.pages);
    }
    return painter.end();
}

namespace {

// The job of a request, or nullptr in `job.layout` when its model prints nothing.
struct RequestJob {
    ListPrintJob job;
    std::unique_ptr<DataSetPrintRows> rows;
};

RequestJob makeJob(const ListPrintRequest& request) {
    KV_ASSERT(request.data && request.identity && request.displayOrder);
    RequestJob made;
    const auto kind = listPrintKind(request.identity->modelCode, request.identity->waveData == 1);
    if (!kind) return made;
    const DateTime today = localDateTimeNow();
    made.rows = std::make_unique<DataSetPrintRows>(
        *request.data, *request.identity, *kind, *request.displayOrder, request.start, request.end);
    made.job.layout = &listPrintLayout(*kind);
    made.job.filePath = request.data->filePath;
    made.job.today = formatDate(today);
    made.job.header = listPrintHeader(*request.data, *kind, today);
    made.job.rows = made.rows.get();
    return made;
}

}  // namespace

bool printList(QWidget* parent, const ListPrintRequest& request, QPrinter* given,
               std::string* error) {
    RequestJob made = makeJob(request);
    if (!made.job.layout) return false;
    QPrinter own(QPrinter::HighResolution);
    QPrinter& printer = given ? *given : own;
    printer.setResolution(kPrintResolution);
    printer.setPageOrientation(made.job.layout->landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName("PrintDialog1");
    // The rows to print were chosen in the range dialog already.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted) return false;

    QProgressDialog progress(QString::fromUtf8("印刷しています..."),
                             QString::fromUtf8("キャンセル"), 0, 1, parent);
    progress.setObjectName("ListPrintProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    std::string failure;
    const bool done = printOrWritePdf(
        printer,
        [&](QPagedPaintDevice& device) {
            return paintListPrintout(device, made.job, [&](int page, int pages) {
                progress.setMaximum(pages);
                progress.setValue(page - 1);
                return !progress.wasCanceled();
            });
        },
        failure);
    progress.reset();
    if (!done) printer.abort();
    if (error) *error = failure;
    return done;
}

bool printListToPdf(const std::string& path, const ListPrintRequest& request, std::string& error) {
    RequestJob made = makeJob(request);
    if (!made.job.layout) {
        error = shortenedForMessage(path) + ": this model has no printed list";
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCreator(QStringLiteral("kvtool"));
    if (writePdfFile(
            path, pdfSetupOf(printer),
            [&](QPagedPaintDevice& device) { return paintListPrintout(device, made.job); }, error))
        return true;
    if (error.empty()) error = shortenedForMessage(path) + ": the printout could not be drawn";
    return false;
}

}  // namespace kv
