// The graph window's scale commands: the quick selectors with their arrows,
// the scroll bars, the scale and colour dialogs, and the graph layout.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTreeWidget>

#include "base/host.h"
#include "datafile/data_set.h"
#include "link/link.h"
#include "recorder/recorder_state.h"
#include "viewer/TGraph5000.h"
#include "viewer/TGraphColor.h"
#include "viewer/TInputScale.h"
#include "viewer/graph_drawing.h"
#include "viewer/graph_export.h"
#include "graph/graph_labels.h"
#include "viewer/graph_printing.h"
#include "graph/zoom_scale.h"

namespace kv {

// One click on an arrow: the selector's next or previous item, then the zoom.
void TGraph5000::zoomStep(QComboBox* selector, bool up) {
    if (!selector->isEnabled()) return;
    const int index = selectorStep(std::max(0, selector->currentIndex()), selector->count(), up);
    if (index == selector->currentIndex()) return;
    selector->setCurrentIndex(index);
    SetZoom(ComboX->currentIndex(), ComboY->currentIndex());
}

void TGraph5000::SetZoom(int timeIndex, int gIndex) {
    if (!paintEnabled_) return;
    const RecorderIdentity& identity = state_.identity;
    const DataSet& data = data_;
    const std::optional<TimeWindow> window =
        setZoom(view_, timeIndex, gIndex, identity.waveData != 0, data.startTime, data.endTime,
                identity.sensorRange);
    if (window && peers_.inputScale) peers_.inputScale->showWindow(window->start, window->end);
    showSelectorTexts();
    UpdateScrollBars();
    repaintGraphs();
}

void TGraph5000::UpdateScrollBars() {
    updateScrollBars(view_, state_.identity.waveData != 0, data_.endTime);
    showScrollBars();
}

// The bars show the view state's positions without scrolling again.
void TGraph5000::showScrollBars() {
    for (auto [bar, state] :
         {std::pair{YokoBar, view_.yokoBar}, std::pair{TateBar, view_.tateBar}}) {
        const QSignalBlocker quiet(bar);
        bar->setRange(0, state.maximum);
        bar->setValue(state.position);
        bar->setEnabled(state.enabled);
    }
}

void TGraph5000::resetScrollBars() {
    view_.yokoBar = view_.tateBar = ScrollBarState{};
    showScrollBars();
}

void TGraph5000::ScrollTo(int horizontal, int vertical) {
    scrollTo(view_, horizontal, vertical, state_.identity.sensorRange);
    repaintGraphs();
}

void TGraph5000::btnScaleClick() {
    if (!peers_.inputScale) return;
    if (peers_.inputScale->exec() == QDialog::Accepted) {
        paintEnabled_ = false;
        // A typed window is no item of the quick selector: it shows none.
        const int t = view_.timeScaleChoice;
        ComboX->setCurrentIndex(t >= 0 && t < ComboX->count() ? t : -1);
        ComboY->setCurrentIndex(std::max(0, view_.gScaleChoice));
        UpdateScrollBars();
        paintEnabled_ = true;
        showSelectorTexts();
    }
    repaintGraphs();
}

void TGraph5000::changeScale() {
    if (!peers_.inputScale) return;
    if (peers_.inputScale->exec() == QDialog::Accepted) UpdateScrollBars();
    repaintGraphs();
}

void TGraph5000::showColours() {
    if (!peers_.graphColor) return;
    peers_.graphColor->exec();
    view_.colors = settings_.graphColors;
    colourAxisButtons();
    repaintGraphs();
}

void TGraph5000::printGraph() {
    PrintGraph(this, view_, data_, state_.identity, windowTitle());
    LayoutGraphs();
}

// The view as the window shows it, as pixels (PNG), vectors (SVG) or the
// printed page (PDF), with the drawing of the window and of kvtool plot.
void TGraph5000::saveImage() {
    const DataSet& data = data_;
    if (data.filePath.empty()) return;
    static const struct {
        const char* filter;
        const char* extension;
        GraphExportFormat format;
    } kFormats[] = {{"PNG 画像 (*.png)", ".png", GraphExportFormat::Png},
                    {"SVG 画像 (*.svg)", ".svg", GraphExportFormat::Svg},
                    {"PDF (*.pdf)", ".pdf", GraphExportFormat::Pdf}};
    QStringList filters;
    for (const auto& f : kFormats) filters << QString::fromUtf8(f.filter);
    const QFileInfo source(QFile::decodeName(QByteArray::fromStdString(data.filePath)));
    QString chosenFilter = filters.front();
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("画像として保存"),
        source.absolutePath() + "/" + source.completeBaseName() + ".png", filters.join(";;"),
        &chosenFilter, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    // The name's extension decides; a name without one gets the filter's.
    int format = std::max<int>(0, filters.indexOf(chosenFilter));
    bool named = false;
    for (int i = 0; i < 3; ++i)
        if (path.endsWith(QString::fromLatin1(kFormats[i].extension), Qt::CaseInsensitive)) {
            format = i;
            named = true;
        }
    if (!named) path += QString::fromLatin1(kFormats[format].extension);

    // The area the window gives its paint boxes, between the tools and the
    // time scroll bar.
    const BoxRect& first = layout_.box[std::max(0, graphOfView(view_.viewMode))];
    const int width = first.width;
    const int height = YokoBar->y() - first.top;
    QString error;
    if (!exportGraph(path, kFormats[format].format, width, height, view_, data, state_.identity,
                     error))
        link_.host.messageBox("画像として保存",
                              "画像を保存できませんでした。\n" + error.toStdString(), Host::Error);
}

void TGraph5000::showSelectorTexts() {
    TextX->setText(ComboX->currentIndex() < 0 ? QString::fromUtf8(kTimeWindowItems[kUserTimeWindow])
                                              : ComboX->currentText());
    TextY->setText(ComboY->currentText());
}

void TGraph5000::LayoutGraphs() {
    showSelectorTexts();
    placeClosePanel();
    QWidget* client = centralWidget();
    const int barWidth = TateBar->sizeHint().width();
    const int barHeight = YokoBar->sizeHint().height();
    GraphWindowGeometry g;
    g.clientWidth = client->width();
    g.clientHeight = client->height();
    g.panel1Bottom = g.panel2Bottom = Panel4->mapTo(client, QPoint(0, Panel4->height())).y();
    g.yokoBarTop = g.clientHeight - barHeight;
    g.tateBarWidth = barWidth;
    YokoBar->setGeometry(0, g.yokoBarTop, g.clientWidth - barWidth, barHeight);
    TateBar->setGeometry(g.clientWidth - barWidth, g.panel1Bottom + 2, barWidth,
                         g.yokoBarTop - g.panel1Bottom - 2);
    layout_ = layoutGraphs(g, view_.viewMode, graphTextMetrics(graphLabelFont(), Pic[0]));
    for (int i = 0; i < 3; ++i) {
        const BoxRect& b = layout_.box[i];
        if (layout_.visible[i]) Pic[i]->setGeometry(b.left, b.top, b.width, b.height);
        Pic[i]->setVisible(layout_.visible[i] && !realList->isVisible());
    }
    const BoxRect& list = layout_.realList;
    realList->setGeometry(list.left, list.top, list.width, list.height);
    repaintGraphs();
}

}  // namespace kv
