#include <QColorDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <map>

#include "base/datetime.h"
#include "recorder/recorder_state.h"
#include "viewer/TGraphColor.h"
#include "viewer/TInputScale.h"
#include "viewer/graph_surface.h"
#include "viewer/ui/graph_fixture.h"

namespace kv {

bool operator==(const GraphColors& a, const GraphColors& b) {
    return a.back == b.back && a.line == b.line && a.grid == b.grid && a.font == b.font;
}

namespace test {
namespace {

const std::array<GraphColors, 3> kOdd = {GraphColors{0x111111, 0x222222, 0x333333, 0x444444},
                                         GraphColors{0x555555, 0x666666, 0x777777, 0x888888},
                                         GraphColors{0x999999, 0xAAAAAA, 0xBBBBBB, 0xCCCCCC}};

class GraphColorTest : public GraphWindowTest {
  protected:
    // Picks `colour` with the colour button `button` of the open colour dialog.
    void pick(QWidget* dialog, const char* button, QColor colour, bool confirm) {
        onNextModal([colour, confirm](QWidget* window) {
            auto* picker = qobject_cast<QColorDialog*>(window);
            ASSERT_NE(picker, nullptr);
            picker->setCurrentColor(colour);
            confirm ? picker->accept() : picker->reject();
        });
        dialog->findChild<QPushButton*>(button)->click();
    }
};

TEST_F(GraphColorTest, CancelChangesNothingAndOkStoresThePickedColours) {
    settings.graphColors = kOdd;
    for (bool confirm : {false, true}) {
        onNextModal([&](QWidget* dialog) {
            EXPECT_EQ(dialog->objectName().toStdString(), "TGraphColor");
            pick(dialog, "btn2_Graph", QColor(0x12, 0x34, 0x56), true);
            pick(dialog, "btn3_Text", QColor(0x65, 0x43, 0x21), false);
            auto* working = static_cast<TGraphColor*>(dialog);
            EXPECT_EQ(working->workingColours()[1].line, 0x563412u);
            EXPECT_EQ(working->workingColours()[2].font, 0xCCCCCCu);
            dialog->findChild<QPushButton*>(confirm ? "btnOK" : "btnCANCEL")->click();
        });
        action("Color4")->trigger();
        std::array<GraphColors, 3> expected = kOdd;
        if (confirm) expected[1].line = 0x563412;
        EXPECT_EQ(settings.graphColors, expected) << confirm;
    }
    // The Y button's caption takes the new curve colour.
    EXPECT_EQ(
        find<QPushButton>(graph, "btnY")->palette().color(QPalette::Active, QPalette::ButtonText),
        QColor(0x12, 0x34, 0x56));
}

TEST_F(GraphColorTest, ResetThenCancelKeepsTheColoursAndResetThenOkStoresTheDefaults) {
    for (bool confirm : {false, true}) {
        settings.graphColors = kOdd;
        onNextModal([&](QWidget* dialog) {
            dialog->findChild<QPushButton*>("Button1")->click();
            dialog->findChild<QPushButton*>(confirm ? "btnOK" : "btnCANCEL")->click();
        });
        action("Color4")->trigger();
        EXPECT_EQ(settings.graphColors, confirm ? PcSettings().graphColors : kOdd) << confirm;
    }
    const std::array<uint32_t, 3> curves = {0x0000FF, 0xFF0000, 0x008000};
    for (int pane = 0; pane < 3; ++pane) {
        EXPECT_EQ(settings.graphColors[pane].line, curves[pane]);
        EXPECT_EQ(settings.graphColors[pane].back, 0xFFFFFFu);
    }
    // The settings file gets them at its next save.
    ASSERT_TRUE(settings.save());
    PcSettings reread;
    reread.setIniFilePath(settings.iniFilePath());
    reread.load();
    EXPECT_EQ(reread.graphColors, settings.graphColors);
}

TEST_F(GraphColorTest, ThePreviewShowsEachWorkingColour) {
    settings.graphColors = kOdd;
    onNextModal([&](QWidget* dialog) {
        pick(dialog, "btn1_Grid", QColor(0, 0xFF, 0), true);
        const QImage preview = dialog->findChild<QWidget*>("XPaint")->grab().toImage();
        std::map<QRgb, int> pixels;
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x) ++pixels[preview.pixel(x, y)];
        EXPECT_GT(pixels[graphColor(0x111111).rgb()], 5000);  // background
        EXPECT_GT(pixels[graphColor(0x222222).rgb()], 90);    // the diagonal curve
        EXPECT_GT(pixels[qRgb(0, 0xFF, 0)], 300);             // frame and centre lines
        EXPECT_GT(pixels[graphColor(0x444444).rgb()], 5);     // the digits
    });
    action("Color4")->trigger();
}

class InputScaleTest : public GraphWindowTest {
  protected:
    TInputScale* dialog() { return windows.inputScale; }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(dialog(), name); }
    std::string text(const char* name) { return edit(name)->text().toStdString(); }
    QComboBox* windowList() { return find<QComboBox>(dialog(), "ComboBox1"); }
    void choose(int item) {
        find<QRadioButton>(dialog(), "RadioButton2")->setChecked(true);
        windowList()->setCurrentIndex(item);
        emit windowList()->activated(item);
    }
};

TEST_F(InputScaleTest, TheWindowListCutsTheStartToTheWindowsGrid) {
    SampleDataFile file;
    file.model = 5300;
    file.start = *encodeDateTime({2014, 5, 10, 13, 47, 25});
    ASSERT_TRUE(graph->openDataFile(QString::fromStdString(writeFile(file))));
    const struct {
        int item;
        const char* start;
        const char* end;
    } cases[] = {
        {8, "2014/05/10 12:00:00", "2014/05/10 14:00:00"},
        {5, "2014/05/10 13:40:00", "2014/05/10 14:00:00"},
        {15, "2014/05/10 00:00:00", "2014/06/09 00:00:00"},
    };
    onNextModal([&](QWidget*) {
        EXPECT_EQ(find<QLabel>(dialog(), "StartTime")->text().toStdString(), "2014/05/10 13:47:25");
        for (const auto& c : cases) {
            choose(c.item);
            EXPECT_EQ(text("Edit1"), c.start) << c.item;
            EXPECT_EQ(text("Edit2"), c.end) << c.item;
            EXPECT_FALSE(edit("Edit1")->isEnabled());
        }
        find<QPushButton>(dialog(), "BitBtn1")->click();
    });
    click("btnScale");
    EXPECT_EQ(dialog()->timeScaleChoice(), 15);
    EXPECT_EQ(find<QLabel>(graph, "TextX")->text().toStdString(), "１ヶ月");
    EXPECT_DOUBLE_EQ(graph->viewState().currentScale.xMin, *encodeDateTime({2014, 5, 10}));
    EXPECT_DOUBLE_EQ(graph->viewState().currentScale.xSpan, 30.0);
}

TEST_F(InputScaleTest, OkWaitsForTypedTimesThatReadAndEndAfterTheStart) {
    ASSERT_TRUE(open(6100, false));
    onNextModal([&](QWidget*) {
        auto* ok = find<QPushButton>(dialog(), "BitBtn1");
        EXPECT_TRUE(ok->isEnabled());
        choose(19);
        EXPECT_TRUE(edit("Edit1")->isEnabled());
        const struct {
            const char* start;
            const char* end;
            bool ok;
        } cases[] = {
            {"2014/03/15 09:00:00", "2014/03/15 10:00:00", true},
            {"2014/03/15 09:00:00", "2014/03/15 09:00:00", false},
            {"2014/03/15 10:00:00", "2014/03/15 09:00:00", false},
            {"2014/03/15 9 Uhr", "2014/03/15 10:00:00", false},
            {"2014/03/15 09:00", "2014/03/15 09:30", true},
        };
        auto* reason = find<QLabel>(dialog(), "WindowReason");
        for (const auto& c : cases) {
            edit("Edit1")->setText(QString::fromUtf8(c.start));
            edit("Edit2")->setText(QString::fromUtf8(c.end));
            EXPECT_EQ(ok->isEnabled(), c.ok) << c.start << " - " << c.end;
            // A grey OK says why beside the fields.
            EXPECT_EQ(reason->text().isEmpty(), c.ok) << c.start << " - " << c.end;
        }
        ok->click();
    });
    action("mnuChange11")->trigger();
    EXPECT_EQ(dialog()->timeScaleChoice(), 19);
    EXPECT_NEAR(graph->viewState().currentScale.xSpan, 0.5 / 24, 1e-9);
    // A typed window may be scrolled though it is no quick selector item.
    EXPECT_TRUE(find<QScrollBar>(graph, "YokoBar")->isEnabled());
}

TEST_F(InputScaleTest, MagnificationSetsTheLimitTextsAndWaveDataKeepsItsSampleAxis) {
    SampleDataFile file;
    file.model = 5300;
    file.wave = true;
    file.rangeField = "50Ｇ";
    ASSERT_TRUE(graph->openDataFile(QString::fromStdString(writeFile(file))));
    onNextModal([&](QWidget*) {
        EXPECT_FALSE(find<QWidget>(dialog(), "GroupBox1")->isEnabled());
        EXPECT_TRUE(find<QRadioButton>(dialog(), "YScale1")->isChecked());
        EXPECT_EQ(find<QLabel>(dialog(), "YScaleMax")->text().toStdString(), "60.0");
        find<QRadioButton>(dialog(), "YScale3")->click();
        EXPECT_EQ(find<QLabel>(dialog(), "YScaleMax")->text().toStdString(), "12.0");
        EXPECT_EQ(find<QLabel>(dialog(), "YScaleMin")->text().toStdString(), "-12.0");
        find<QPushButton>(dialog(), "BitBtn1")->click();
    });
    click("btnScale");
    const GraphScale& s = graph->viewState().currentScale;
    EXPECT_DOUBLE_EQ(s.xMin, 0);
    EXPECT_DOUBLE_EQ(s.xMax, 512);
    EXPECT_DOUBLE_EQ(s.xStep, 100);
    EXPECT_DOUBLE_EQ(s.yMax, 12);
    EXPECT_DOUBLE_EQ(s.yStep, 2);
    EXPECT_EQ(find<QComboBox>(graph, "ComboY")->currentIndex(), 2);
    EXPECT_EQ(find<QScrollBar>(graph, "TateBar")->maximum(), 48);
    // A new file starts the dialog again from "全体" and "等倍".
    ASSERT_TRUE(open(5300, false));
    onNextModal([&](QWidget*) {
        EXPECT_TRUE(find<QRadioButton>(dialog(), "RadioButton1")->isChecked());
        EXPECT_TRUE(find<QRadioButton>(dialog(), "YScale1")->isChecked());
    });
    click("btnScale");
}

}  // namespace
}  // namespace test
}  // namespace kv
