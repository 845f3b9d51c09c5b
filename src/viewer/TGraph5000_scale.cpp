// The graph window's scale commands: the quick selectors with their arrows,
// the scroll bars, the scale and colour dialogs, printing and saving the view,
// and the graph layout.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QScrollBar>
#include <QTreeWidget>

#include "base/host.h"
#include "graph/graph_labels.h"
#include "link/link.h"
#include "list/file_dialogs.h"
#include "list/qt_output_file.h"
#include "viewer/TGraph5000.h"
#include "viewer/TGraphColor.h"
#include "viewer/TInputScale.h"
#include "viewer/graph_drawing.h"
#include "viewer/graph_export.h"
#include "viewer/graph_printing.h"
#include "viewer/picture_file_dialog.h"

namespace kv {

// One click on an arrow: the selector's next or previous item, then the zoom,
// whose time window the scale dialog shows too.
void TGraph5000::zoomStep(bool gAxis, bool up) {
    const std::optional<TimeWindow> window = session_.zoomStep(gAxis, up);
    if (window && peers_.inputScale) peers_.inputScale->showWindow(window->start, window->end);
}

// The bars show the view state's positions without scrolling again.
void TGraph5000::showScrollBars() {
    const GraphViewState& view = session_.view();
    for (auto [bar, state] :
         {std::pair{c_.YokoBar, view.yokoBar}, std::pair{c_.TateBar, view.tateBar}}) {
        const QSignalBlocker quiet(bar);
        bar->setRange(0, state.maximum);
        bar->setValue(state.position);
        bar->setEnabled(state.enabled);
    }
}

void TGraph5000::btnScaleClick() {
    if (!peers_.inputScale) return;
    if (peers_.inputScale->exec() == QDialog::Accepted)
        session_.scaleChosen(true);
    else
        repaintGraphs();
}

void TGraph5000::changeScale() {
    if (!peers_.inputScale) return;
    if (peers_.inputScale->exec() == QDialog::Accepted)
        session_.scaleChosen(false);
    else
        repaintGraphs();
}

void TGraph5000::showColours() {
    if (!peers_.graphColor) return;
    peers_.graphColor->exec();
    session_.coloursChanged();
}

void TGraph5000::printGraph() {
    std::string error;
    PrintGraph(this, session_.view(), session_.data(), session_.identity(), windowTitle(), error);
    if (!error.empty())
        link_.host.messageBox("印刷", "印刷ファイルを書き込めませんでした。\n" + error,
                              Host::Error);
    LayoutGraphs();
}

// The view as the window shows it, as pixels (PNG), vectors (SVG) or the
// printed page (PDF), with the drawing of the window and of kvtool plot.
void TGraph5000::saveImage() {
    const DataSet& data = session_.data();
    if (data.filePath.empty()) return;
    const auto file = askPictureFile(
        this, QFile::decodeName(QByteArray::fromStdString(data.filePath)), &imageTitled_);
    if (!file) return;

    // The area the window gives its paint boxes, between the tools and the
    // time scroll bar.
    const GraphViewState& view = session_.view();
    const BoxRect& first = layout_.box[std::max(0, graphOfView(view.viewMode))];
    const int width = first.width;
    const int height = c_.YokoBar->y() - first.top;
    std::string error;
    if (!exportGraph(fileNameBytes(file->path), file->format, width, height, view, data,
                     session_.identity(), error, imageTitled_))
        link_.host.messageBox("画像として保存", "画像を保存できませんでした。\n" + error,
                              Host::Error);
}

void TGraph5000::showSelectorTexts() {
    c_.TextX->setText(c_.ComboX->currentIndex() < 0
                          ? QString::fromUtf8(kTimeWindowItems[kUserTimeWindow])
                          : c_.ComboX->currentText());
    c_.TextY->setText(c_.ComboY->currentText());
}

void TGraph5000::LayoutGraphs() {
    showSelectorTexts();
    // The tool rows first: the graphs begin below them. The close button
    // follows the last visible tool panel.
    QWidget* client = centralWidget();
    toolRow_->setGeometry(0, 0, client->width(),
                          toolRow_->layout()->heightForWidth(client->width()));
    const int barWidth = c_.TateBar->sizeHint().width();
    const int barHeight = c_.YokoBar->sizeHint().height();
    GraphWindowGeometry g;
    g.clientWidth = client->width();
    g.clientHeight = client->height();
    g.panel1Bottom = g.panel2Bottom = toolRow_->geometry().bottom() + 1;
    g.yokoBarTop = g.clientHeight - barHeight;
    g.tateBarWidth = barWidth;
    c_.YokoBar->setGeometry(0, g.yokoBarTop, g.clientWidth - barWidth, barHeight);
    c_.TateBar->setGeometry(g.clientWidth - barWidth, g.panel1Bottom + 2, barWidth,
                            g.yokoBarTop - g.panel1Bottom - 2);
    layout_ =
        layoutGraphs(g, session_.view().viewMode, graphTextMetrics(graphLabelFont(), c_.Pic[0]));
    const bool listShown = session_.controls().visible(GraphControl::realList);
    for (int i = 0; i < 3; ++i) {
        const BoxRect& b = layout_.box[i];
        if (layout_.visible[i]) c_.Pic[i]->setGeometry(b.left, b.top, b.width, b.height);
        c_.Pic[i]->setVisible(layout_.visible[i] && !listShown);
    }
    const BoxRect& list = layout_.realList;
    c_.realList->setGeometry(list.left, list.top, list.width, list.height);
    repaintGraphs();
}

}  // namespace kv
