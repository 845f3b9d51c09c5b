#include "viewer/TGraphColor.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "viewer/graph_surface.h"
#include "graph/graph_view_state.h"

namespace kv {

uint32_t fromQColor(const QColor& colour) {
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

namespace {

struct PaneSpec {
    const char* sheet;
    const char* caption;
    const char* paint;
};
constexpr PaneSpec kPanes[3] = {{"X_Graph", "Ｘ軸（１軸時のグラフ）", "XPaint"},
                                {"Y_Graph", "Ｙ軸", "YPaint"},
                                {"Z_Graph", "Ｚ軸", "ZPaint"}};

struct ColourSpec {
    const char* suffix;
    const char* caption;
    uint32_t GraphColors::*member;
};
constexpr ColourSpec kColourButtons[4] = {{"Back", "背景色", &GraphColors::back},
                                          {"Graph", "グラフ", &GraphColors::line},
                                          {"Grid", "グリッド", &GraphColors::grid},
                                          {"Text", "文字", &GraphColors::font}};

}  // namespace

TGraphColor::TGraphColor(PcSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), colours_(settings.graphColors) {
    setObjectName("TGraphColor");
    setWindowTitle(QStringLiteral("グラフ色の変更"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    for (int pane = 0; pane < 3; ++pane) {
        auto* sheet = new QWidget;
        sheet->setObjectName(kPanes[pane].sheet);
        auto* preview = new QWidget(sheet);
        preview->setObjectName(kPanes[pane].paint);
        preview->setFixedSize(129, 121);
        preview->setAccessibleName(QStringLiteral("見本"));
        preview->installEventFilter(this);
        previews_[pane] = preview;
        auto* buttons = new QVBoxLayout;
        for (const ColourSpec& c : kColourButtons) {
            auto* b = new QPushButton(QString::fromUtf8(c.caption), sheet);
            b->setObjectName(QStringLiteral("btn%1_%2").arg(pane + 1).arg(c.suffix));
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this,
                    [this, pane, m = c.member] { pickColour(pane, m); });
            buttons->addWidget(b);
        }
        auto* row = new QHBoxLayout(sheet);
        row->addWidget(preview);
        row->addLayout(buttons);
        PageControl1->addTab(sheet, QString::fromUtf8(kPanes[pane].caption));
    }

    Button1 = new QPushButton(QStringLiteral("初期値に戻す"), this);
    Button1->setObjectName("Button1");
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    QFont bold = btnOK->font();
    bold.setBold(true);
    btnOK->setFont(bold);
    btnOK->setDefault(true);
    btnCANCEL = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCANCEL->setObjectName("btnCANCEL");
    for (QPushButton* b : {Button1, btnCANCEL}) b->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCANCEL, &QPushButton::clicked, this, &QDialog::reject);

    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName("ColorDialog1");
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button1);
    bottom->addStretch(1);
    bottom->addWidget(btnOK);
    bottom->addWidget(btnCANCEL);
    auto* column = new QVBoxLayout(this);
    column->addWidget(PageControl1);
    column->addLayout(bottom);
    setFixedSize(354, 240);
}

void TGraphColor::showEvent(QShowEvent* event) {
    // FormShow: start from the settings, on the X sheet.
    if (!event->spontaneous()) {
        colours_ = settings_.graphColors;
        PageControl1->setCurrentIndex(0);
        for (QWidget* p : previews_) p->update();
    }
    QDialog::showEvent(event);
}

void TGraphColor::pickColour(int pane, uint32_t GraphColors::*which) {
    ColorDialog1->setCurrentColor(graphColor(colours_[pane].*which));
    if (ColorDialog1->exec() == QDialog::Accepted)
        colours_[pane].*which = fromQColor(ColorDialog1->currentColor());
    previews_[pane]->update();
}

void TGraphColor::Button1Click() {
    colours_ = defaultGraphColors();
    for (QWidget* p : previews_) p->update();
}

void TGraphColor::btnOKClick() {
    settings_.graphColors = colours_;
    accept();
}

bool TGraphColor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint)
        for (int pane = 0; pane < 3; ++pane)
            if (watched == previews_[pane]) {
                paintPreview(pane);
                return true;
            }
    return QDialog::eventFilter(watched, event);
}

// A frame, dotted centre lines, a diagonal curve and a line of digits: each
// colour of the set where the graph uses it.
void TGraphColor::paintPreview(int pane) {
    QWidget* box = previews_[pane];
    const GraphColors& c = colours_[pane];
    const int a = box->height() / 10, b = box->width() / 10;
    const int midY = static_cast<int>(5.5 * a);
    QPainter p(box);
    p.fillRect(box->rect(), graphColor(c.back));
    p.setPen(QPen(graphColor(c.grid), 1, Qt::SolidLine));
    p.drawRect(QRect(QPoint(b, 2 * a), QPoint(9 * b, 9 * a)));
    p.setPen(QPen(graphColor(c.grid), 1, Qt::DotLine));
    p.drawLine(b, midY, 9 * b, midY);
    p.drawLine(5 * b, 2 * a, 5 * b, 9 * a);
    p.setPen(QPen(graphColor(c.line), 1, Qt::SolidLine));
    p.drawLine(b, 2 * a, 9 * b, 9 * a);
    p.setPen(graphColor(c.font));
    p.drawText(QRect(0, 0, box->width(), box->height()), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("0123456789"));
}

}  // namespace kv
