#include "viewer/graph_window_controls.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "graph/zoom_scale.h"
#include "viewer/graph_glyphs.h"
#include "viewer/up_down_arrows.h"

namespace kv {
namespace {

QStringList itemTexts(const char* const* items, int count) {
    QStringList texts;
    for (int i = 0; i < count; ++i) texts << QString::fromUtf8(items[i]);
    return texts;
}

QWidget* panel(QWidget* parent, const char* name) {
    auto* p = new QWidget(parent);
    p->setObjectName(name);
    auto* row = new QHBoxLayout(p);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    return p;
}

QToolButton* glyphButton(QWidget* panel, const char* name, GraphGlyph glyph, const QString& hint) {
    auto* button = new QToolButton(panel);
    button->setObjectName(name);
    button->setIcon(graphGlyph(glyph));
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(30, 30);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setAutoRaise(false);
    panel->layout()->addWidget(button);
    return button;
}

QPushButton* textButton(QWidget* panel, const char* name, const QString& caption,
                        const QString& hint = {}) {
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolTip(hint);
    if (!hint.isEmpty()) button->setAccessibleDescription(hint);
    const int textWidth = button->fontMetrics().horizontalAdvance(QString(caption).remove('&'));
    button->setFixedSize(std::max(30, textWidth + 16), 30);
    panel->layout()->addWidget(button);
    return button;
}

// A caption over a sunken text and its arrows; the list itself stays out of
// sight: the text beside the arrows shows its selection.
void axisSelector(QWidget* panel, const char* labelName, const QString& caption,
                  const char* textName, const char* arrowsName, const char* comboName,
                  const QString& hint, const QStringList& items, QLabel*& label, QLabel*& text,
                  UpDownArrows*& arrows, QComboBox*& combo) {
    label = new QLabel(caption, panel);
    label->setObjectName(labelName);
    text = new QLabel(panel);
    text->setObjectName(textName);
    text->setFrameShape(QFrame::Panel);
    text->setFrameShadow(QFrame::Sunken);
    text->setAlignment(Qt::AlignCenter);
    // Every item whole; the time selector shows the typed window's
    // "ユーザー指定" too.
    QStringList shown = items;
    if (items.size() > kGScaleItems) shown << QString::fromUtf8(kTimeWindowItems[kUserTimeWindow]);
    int widest = 0;
    for (const QString& item : shown)
        widest = std::max(widest, text->fontMetrics().horizontalAdvance(item));
    text->setFixedWidth(widest + 2 * text->frameWidth() + 6);
    text->setAccessibleDescription(caption);
    arrows = new UpDownArrows(panel);
    // The text is the arrows' field, as high as a spin box's.
    text->setFixedHeight(arrows->height());
    arrows->setObjectName(arrowsName);
    arrows->setAccessibleName(caption);
    label->setBuddy(arrows);
    combo = new QComboBox(panel);
    combo->setObjectName(comboName);
    combo->setToolTip(hint);
    combo->setAccessibleName(hint);
    combo->addItems(items);
    combo->setVisible(false);
    auto* box = new QVBoxLayout;
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    label->setAlignment(Qt::AlignCenter);
    QFont small = label->font();
    small.setPixelSize(10);
    label->setFont(small);
    box->addWidget(label);
    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    row->addWidget(text);
    row->addWidget(arrows);
    box->addLayout(row);
    static_cast<QHBoxLayout*>(panel->layout())->addLayout(box);
}

void buildToolPanels(QWidget* client, GraphWindowControls& c) {
    c.Panel6 = panel(client, "Panel6");
    // The monitor's own commands: its set-up confirms the recorder settings.
    c.btnDataSet =
        glyphButton(c.Panel6, "btnDataSet", GraphGlyph::DataSet, QStringLiteral("KV設定の確認"));
    c.btnStart = textButton(c.Panel6, "btnStart", QStringLiteral("開始"));
    c.btnEnd = textButton(c.Panel6, "btnEnd", QStringLiteral("停止"));

    c.Panel2 = panel(client, "Panel2");
    c.btnOpen =
        glyphButton(c.Panel2, "btnOpen", GraphGlyph::Open, QStringLiteral("データファイルを開く"));
    c.btnList =
        glyphButton(c.Panel2, "btnList", GraphGlyph::List, QStringLiteral("リスト表示画面を開く"));
    c.btnPrint = glyphButton(c.Panel2, "btnPrint", GraphGlyph::Print, QStringLiteral("印刷します"));
    c.btnInfo =
        glyphButton(c.Panel2, "btnInfo", GraphGlyph::Info, QStringLiteral("表示データの情報"));

    c.Panel3 = panel(client, "Panel3");
    // Buttons without a hint of their own are named after their menu items.
    c.btnXYZ =
        glyphButton(c.Panel3, "btnXYZ", GraphGlyph::AllAxes, QStringLiteral("３軸[同軸表示]"));
    c.btnX = textButton(c.Panel3, "btnX", QStringLiteral("X"));
    c.btnY = textButton(c.Panel3, "btnY", QStringLiteral("Y"));
    c.btnZ = textButton(c.Panel3, "btnZ", QStringLiteral("Z"));
    c.btnSeparate =
        glyphButton(c.Panel3, "btnSeparate", GraphGlyph::Separate, QStringLiteral("３軸独立"));
    c.btnScale =
        glyphButton(c.Panel3, "btnScale", GraphGlyph::Scale, QStringLiteral("スケール変更"));
    for (QToolButton* b : {c.btnXYZ, c.btnSeparate, c.btnScale, c.btnDataSet})
        b->setToolTip(QString());
    // The analysis windows beside the views; named, and hinted, by their menu
    // items' words.
    c.btnAnalysis =
        glyphButton(c.Panel3, "btnAnalysis", GraphGlyph::Spectrum, QStringLiteral("衝撃解析"));
    c.btnTrip =
        glyphButton(c.Panel3, "btnTrip", GraphGlyph::Histogram, QStringLiteral("トリップ統計"));
    for (QPushButton* b : {c.btnX, c.btnY, c.btnZ}) {
        b->setFixedWidth(30);
        QFont bold = b->font();
        bold.setBold(true);
        b->setFont(bold);
    }

    c.Panel5 = panel(client, "Panel5");
    axisSelector(c.Panel5, "StaticText1", QStringLiteral("時間軸"), "TextX", "UpDownX", "ComboX",
                 QStringLiteral("X軸のスケールを変更します"),
                 itemTexts(kTimeWindowItems, kTimeSelectorItems), c.StaticText1, c.TextX, c.UpDownX,
                 c.ComboX);
    axisSelector(c.Panel5, "StaticText2", QStringLiteral("Ｇ 軸"), "TextY", "UpDownY", "ComboY",
                 QStringLiteral("Y軸のスケールを変更します"),
                 itemTexts(kGScaleItemTexts, kGScaleItems), c.StaticText2, c.TextY, c.UpDownY,
                 c.ComboY);

    c.Panel1 = panel(client, "Panel1");
    c.Button1 =
        textButton(c.Panel1, "Button1", QStringLiteral("<<"), QStringLiteral("１０データ戻ります"));
    c.Button2 = textButton(c.Panel1, "Button2", QStringLiteral("<"),
                           QStringLiteral("前データを表示します"));
    c.Button3 = textButton(c.Panel1, "Button3", QStringLiteral(">"),
                           QStringLiteral("次データを表示します"));
    c.Button4 =
        textButton(c.Panel1, "Button4", QStringLiteral(">>"), QStringLiteral("１０データ進みます"));
    // "<" and ">" say nothing to a screen reader: the hints name the buttons.
    for (QPushButton* b : {c.Button1, c.Button2, c.Button3, c.Button4})
        b->setAccessibleName(b->toolTip());

    c.Panel4 = panel(client, "Panel4");
    c.btnClose = textButton(c.Panel4, "btnClose", QStringLiteral("閉じる(&X)"));
    c.Button6 = textButton(c.Panel4, "Button6", QStringLiteral("リアルタイム"));
    c.Button6->setVisible(false);

    // One height for all, so that they line up in rows.
    const auto panels = {c.Panel1, c.Panel2, c.Panel3, c.Panel4, c.Panel5, c.Panel6};
    int height = 40;
    for (QWidget* p : panels) height = std::max(height, p->sizeHint().height());
    for (QWidget* p : panels) p->setFixedHeight(height);
}

void buildGraphArea(QWidget* client, GraphWindowControls& c) {
    for (int i = 0; i < 3; ++i) {
        QWidget* box = new QWidget(client);
        box->setObjectName(QStringLiteral("Pic%1").arg(i + 1));
        box->setAccessibleName(QStringLiteral("グラフ %1").arg(QChar(u"XYZ"[i])));
        c.Pic[i] = box;
    }
    c.realList = new QTreeWidget(client);
    c.realList->setObjectName("realList");
    c.realList->setRootIsDecorated(false);
    c.realList->setAccessibleName(QStringLiteral("リアルタイム"));
    c.realList->setVisible(false);

    c.YokoBar = new QScrollBar(Qt::Horizontal, client);
    c.YokoBar->setObjectName("YokoBar");
    c.YokoBar->setAccessibleName(QStringLiteral("時間軸"));
    c.YokoBar->setPageStep(4);
    c.TateBar = new QScrollBar(Qt::Vertical, client);
    c.TateBar->setObjectName("TateBar");
    c.TateBar->setAccessibleName(QStringLiteral("Ｇ 軸"));
}

}  // namespace

GraphWindowControls buildGraphWindowControls(QWidget* client) {
    GraphWindowControls c;
    buildToolPanels(client, c);
    buildGraphArea(client, c);
    return c;
}

}  // namespace kv
