#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>

#include "graph/graph_view_state.h"
#include "list/TListShow.h"
#include "recorder/recorder_state.h"
#include "viewer/graph_drawing.h"
#include "viewer/ui/graph_fixture.h"

namespace kv::test {
namespace {

TEST_F(GraphWindowTest, StartsEmptyWithTheStartMenuAndHidesTheMainWindow) {
    EXPECT_TRUE(graph->isVisible());
    EXPECT_FALSE(windows.mainForm->isVisible());
    EXPECT_EQ(graph->windowTitle().toStdString(), "グラフ表示画面");
    EXPECT_EQ(menuBar(), "mnuStart");
    for (const char* name : {"btnPrint", "btnList", "btnInfo", "btnXYZ", "btnX", "btnScale"})
        EXPECT_FALSE(widget(name)->isEnabled()) << name;
    EXPECT_TRUE(widget("btnOpen")->isEnabled());
    EXPECT_FALSE(widget("Panel1")->isVisible());
    EXPECT_FALSE(widget("Panel6")->isVisible());
    EXPECT_FALSE(widget("Button6")->isVisible());
    // The main window's graph button leaves the quick selectors off.
    EXPECT_FALSE(widget("ComboX")->isEnabled());
    EXPECT_FALSE(widget("ComboY")->isEnabled());
    // Never installed, but there with its items.
    EXPECT_NE(graph->findChild<QMenuBar*>("mnuKV43"), nullptr);
    EXPECT_NE(graph->findChild<QAction*>("Print2"), nullptr);
}

// Menu, view, navigation and selectors for each model and kind of file.
TEST_F(GraphWindowTest, OpeningAFileSetsMenuViewAndControlsForItsModelAndKind) {
    struct Case {
        int model;
        bool wave;
        const char* menu;
        int view;
        bool allViews, navigation, timeSelector;
    };
    const Case cases[] = {
        {5300, true, "mnuKV53", kViewAllAxes, true, true, false},
        {5300, false, "mnuKV53", kViewX, true, false, true},
        {4300, false, "mnuKV53", kViewX, true, false, true},
        {6300, true, "mnuKV53", kViewAllAxes, true, true, false},
        {5100, true, "mnuKV51", kViewX, false, true, false},
        {6100, false, "mnuKV51", kViewX, false, false, true},
        {4100, false, "mnuKV41", kViewX, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.model << (c.wave ? " wave" : " peak"));
        ASSERT_TRUE(open(c.model, c.wave));
        EXPECT_EQ(menuBar(), c.menu);
        EXPECT_EQ(graph->viewMode(), c.view);
        EXPECT_TRUE(widget("btnX")->isEnabled());
        for (const char* name : {"btnXYZ", "btnY", "btnZ", "btnSeparate"})
            EXPECT_EQ(widget(name)->isEnabled(), c.allViews) << name;
        EXPECT_EQ(widget("Panel1")->isVisible(), c.navigation);
        if (c.model % 1000 == 300) {
            for (const char* name : {"N2", "N3", "N6"})
                EXPECT_EQ(action(name)->isEnabled(), c.navigation) << name;
            EXPECT_EQ(action("mnuTY_1")->isEnabled(), c.wave || c.model == 4300);
        } else if (c.model != 4100) {
            for (const char* name : {"mnuNext11", "mnuBefore11", "mnuFind11"})
                EXPECT_EQ(action(name)->isEnabled(), c.navigation) << name;
        }
        EXPECT_EQ(widget("ComboX")->isEnabled(), c.timeSelector);
        EXPECT_EQ(widget("TextX")->isEnabled(), c.timeSelector);
        EXPECT_TRUE(widget("ComboY")->isEnabled());
        for (const char* name : {"btnPrint", "btnList", "btnInfo", "btnScale"})
            EXPECT_TRUE(widget(name)->isEnabled()) << name;
        EXPECT_EQ(graph->windowTitle().toStdString(), data.filePath);
        EXPECT_TRUE(graph->paintEnabled());
    }
}

TEST_F(GraphWindowTest, ViewsShowTheirBoxesAndOnlySingleGraphsPrint) {
    ASSERT_TRUE(open(6300, true));
    struct Case {
        const char* button;
        int view;
        bool pic1, pic2, pic3, printable;
    };
    const Case cases[] = {
        {"btnSeparate", kViewSeparate, true, true, true, false},
        {"btnY", kViewY, false, true, false, true},
        {"btnZ", kViewZ, false, false, true, true},
        {"btnX", kViewX, true, false, false, true},
        {"btnXYZ", kViewAllAxes, true, false, false, true},
    };
    for (const Case& c : cases) {
        click(c.button);
        EXPECT_EQ(graph->viewMode(), c.view) << c.button;
        EXPECT_EQ(widget("Pic1")->isVisible(), c.pic1) << c.button;
        EXPECT_EQ(widget("Pic2")->isVisible(), c.pic2) << c.button;
        EXPECT_EQ(widget("Pic3")->isVisible(), c.pic3) << c.button;
        EXPECT_EQ(widget("btnPrint")->isEnabled(), c.printable) << c.button;
        EXPECT_EQ(action("Print1")->isEnabled(), c.printable) << c.button;
    }
    action("mnuTY_5")->trigger();
    EXPECT_EQ(graph->viewMode(), kViewSeparate);
}

TEST_F(GraphWindowTest, RecordButtonsStepAndJumpWithinTheRecords) {
    ASSERT_TRUE(open(5300, true, 25));
    ASSERT_EQ(data.lastIndex, 24);
    struct Step {
        const char* button;
        int from, to;
    };
    const Step steps[] = {
        {"Button1", 7, 0},  {"Button4", 21, 24}, {"Button4", 24, 24}, {"Button3", 24, 24},
        {"Button3", 3, 4},  {"Button2", 3, 2},   {"Button2", 0, 0},   {"Button1", 0, 0},
        {"Button4", 5, 15}, {"Button1", 15, 5},
    };
    for (const Step& s : steps) {
        data.currentIndex = s.from;
        click(s.button);
        EXPECT_EQ(data.currentIndex, s.to) << s.button << " from " << s.from;
    }
    data.currentIndex = 3;
    action("N2")->trigger();
    EXPECT_EQ(data.currentIndex, 4);
    action("N3")->trigger();
    EXPECT_EQ(data.currentIndex, 3);
    // The header names the record on show.
    QApplication::processEvents();
    graph->repaint();
    EXPECT_EQ(find<QLabel>(graph, "FileHeaderText")->text().left(6).toStdString(), "No.4--");
}

// What the shock-analysis windows follow: the record on show and the data.
TEST_F(GraphWindowTest, TellsOfAnotherRecordAndOfOtherData) {
    std::vector<int> records;
    int loads = 0;
    QObject::connect(graph, &TGraph5000::recordChanged, [&](int r) { records.push_back(r); });
    QObject::connect(graph, &TGraph5000::dataChanged, [&] { ++loads; });
    ASSERT_TRUE(open(5300, true, 12));
    EXPECT_EQ(loads, 1);
    click("Button3");
    click("Button4");
    click("Button4");  // at the last record already: nothing to tell
    emit windows.listShow->recordChosen(2);
    EXPECT_EQ(records, (std::vector<int>{1, 11, 2}));
    EXPECT_FALSE(graph->openDataFile(QString::fromStdString(folder.file("missing.csv"))));
    EXPECT_EQ(loads, 1);
    ASSERT_TRUE(open(5300, false));
    EXPECT_EQ(loads, 2);
}

TEST_F(GraphWindowTest, ListAndInformationOpenForTheLoadedFileAndTheListChoosesTheRecord) {
    ASSERT_TRUE(open(5300, true, 9));
    click("btnList");
    TListShow* list = windows.listShow;
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->windowTitle().toStdString(), data.filePath);
    emit list->recordChosen(6);
    EXPECT_EQ(data.currentIndex, 6);
    onNextModal([](QWidget*) {});
    click("btnInfo");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "TDataDialog");
    // Another file closes the list: its rows belonged to the last one.
    ASSERT_TRUE(open(5100, false));
    EXPECT_FALSE(list->isVisible());
    action("mnuList11")->trigger();
    EXPECT_TRUE(list->isVisible());
    click("btnClose");
    EXPECT_FALSE(list->isVisible());
}

TEST_F(GraphWindowTest, FindGoesToATypedRecordNumberAndIgnoresAnythingElse) {
    ASSERT_TRUE(open(5100, true, 12));
    // Through the data-input dialog, which shows the range.
    onNextModal([this](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName().toStdString(), "THeaderDialog");
        find<QLineEdit>(dialog, "Edit2")->setText("7");
        find<QPushButton>(dialog, "Button1")->click();
    });
    action("mnuFind11")->trigger();
    EXPECT_EQ(data.currentIndex, 6);
    // Whatever a dialog hands back, only a record number that exists counts.
    QString typed;
    TGraph5000::Peers peers;
    peers.askDataNumber = [&typed](QString& text) {
        text = typed;
        return true;
    };
    graph->setPeers(peers);
    for (const char* text : {"0", "13", "abc", "", "-2"}) {
        data.currentIndex = 5;
        typed = QString::fromUtf8(text);
        action("mnuFind11")->trigger();
        EXPECT_EQ(data.currentIndex, 5) << text;
    }
    typed = "12";
    action("mnuFind11")->trigger();
    EXPECT_EQ(data.currentIndex, 11);
}

TEST_F(GraphWindowTest, GSelectorArrowsStepTheZoomAndStopAtTheEnds) {
    ASSERT_TRUE(open(5300, false));
    auto* arrows = find<QAbstractSpinBox>(graph, "UpDownY");
    auto* combo = find<QComboBox>(graph, "ComboY");
    auto* text = find<QLabel>(graph, "TextY");
    auto* tate = find<QScrollBar>(graph, "TateBar");
    arrows->stepDown();
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(text->text().toStdString(), "等倍");
    EXPECT_FALSE(tate->isEnabled());
    const std::pair<int, int> bars[] = {{12, 6}, {48, 24}, {108, 54}};
    for (int g = 1; g <= 3; ++g) {
        arrows->stepUp();
        EXPECT_EQ(combo->currentIndex(), g);
        EXPECT_TRUE(tate->isEnabled());
        EXPECT_EQ(tate->maximum(), bars[g - 1].first);
        EXPECT_EQ(tate->value(), bars[g - 1].second);
    }
    EXPECT_EQ(text->text().toStdString(), "１０倍");
    arrows->stepUp();
    EXPECT_EQ(combo->currentIndex(), 3);
    // Scrolling the G bar moves the window one grid division per step.
    GraphViewState& view = graph->viewState();
    const double range = state.identity.sensorRange;
    tate->setValue(0);
    EXPECT_DOUBLE_EQ(view.currentScale.yMax, 1.2 * range);
    tate->setValue(108);
    EXPECT_NEAR(view.currentScale.yMin, -1.2 * range, 1e-9);
}

TEST_F(GraphWindowTest, TimeSelectorArrowsZoomAndTheTimeBarStepsAQuarterWindow) {
    // 2014/03/15 09:00:00 to 36 hours later.
    ASSERT_TRUE(open(6300, false));
    auto* arrows = find<QAbstractSpinBox>(graph, "UpDownX");
    auto* yoko = find<QScrollBar>(graph, "YokoBar");
    EXPECT_FALSE(yoko->isEnabled());
    for (int i = 0; i < 7; ++i) arrows->stepUp();
    EXPECT_EQ(find<QLabel>(graph, "TextX")->text().toStdString(), "１時間");
    // Quarter-hour steps up to the window that ends at the measurement's end.
    EXPECT_TRUE(yoko->isEnabled());
    EXPECT_EQ(yoko->maximum(), 141);
    EXPECT_EQ(yoko->value(), 0);
    EXPECT_EQ(yoko->pageStep(), 4);
    const DateTime start = data.startTime;
    yoko->setValue(4);
    const GraphScale& s = graph->viewState().currentScale;
    EXPECT_NEAR(s.xMin, start + 1.0 / 24, 1e-9);
    EXPECT_NEAR(s.xSpan, 1.0 / 24, 1e-9);
    // The whole measurement again: nothing to scroll.
    for (int i = 0; i < 7; ++i) arrows->stepDown();
    EXPECT_FALSE(yoko->isEnabled());
    EXPECT_NEAR(s.xMin, start, 1e-9);
}

TEST_F(GraphWindowTest, WheelOverAGraphStepsTheTimeSelectorAndWithCtrlTheGSelector) {
    ASSERT_TRUE(open(6300, false));
    QWidget* pic = widget("Pic1");
    auto wheel = [pic](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(10, 10), pic->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pic, &event);
    };
    wheel(120, Qt::NoModifier);
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(find<QComboBox>(graph, "ComboX")->currentIndex(), 2);
    EXPECT_EQ(find<QLabel>(graph, "TextX")->text().toStdString(), "２分");
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(find<QComboBox>(graph, "ComboX")->currentIndex(), 1);
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(find<QComboBox>(graph, "ComboY")->currentIndex(), 1);
    // Wave data has no time selector: the wheel leaves it alone.
    ASSERT_TRUE(open(6300, true));
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(find<QComboBox>(graph, "ComboX")->currentIndex(), 0);
}

TEST_F(GraphWindowTest, AFailedOpenKeepsThePreviousData) {
    ASSERT_TRUE(open(5300, true, 8));
    const std::string path = data.filePath;
    const std::string broken = folder.file("broken.csv");
    std::ofstream(broken) << "not a data file\r\n";
    EXPECT_FALSE(graph->openDataFile(QString::fromStdString(broken)));
    EXPECT_EQ(data.filePath, path);
    EXPECT_EQ(data.lastIndex, 7);
    EXPECT_EQ(menuBar(), "mnuKV53");
    EXPECT_EQ(graph->windowTitle().toStdString(), path);
    EXPECT_TRUE(graph->paintEnabled());
    for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5"})
        EXPECT_TRUE(widget(name)->isEnabled()) << name;
    // No message from the open command; the load's progress came and went.
    EXPECT_TRUE(host.messages.empty());
    ASSERT_FALSE(host.progress.empty());
    EXPECT_TRUE(host.progress.front().cancellable);
    EXPECT_EQ(host.progress.back().kind, RecordingHost::ProgressEvent::End);
}

TEST_F(GraphWindowTest, CancellingTheLoadKeepsThePreviousData) {
    ASSERT_TRUE(open(4100, false, 5));
    const std::string path = data.filePath;
    host.cancelAfterProcessEvents = host.processEventsCount + 1;
    EXPECT_FALSE(open(6300, false, 5000));
    EXPECT_EQ(data.filePath, path);
    EXPECT_EQ(menuBar(), "mnuKV41");
}

TEST_F(GraphWindowTest, WhileALoadRunsNoSecondLoadStartsAndTheWindowStaysOpen) {
    const std::string second = writeFile(4100, false);
    bool tried = false;
    host.onProcessEvents = [&] {
        if (tried) return;
        tried = true;
        EXPECT_FALSE(graph->openDataFile(QString::fromStdString(second)));
        EXPECT_FALSE(graph->close());
        EXPECT_FALSE(find<QWidget>(graph, "GraphMenus")->isEnabled());
    };
    ASSERT_TRUE(open(6300, false, 500));
    EXPECT_TRUE(tried);
    EXPECT_EQ(menuBar(), "mnuKV53");
    EXPECT_TRUE(find<QWidget>(graph, "GraphMenus")->isEnabled());
    EXPECT_TRUE(graph->isVisible());
}

// A file manager offers the program for every CSV file: one that is no data
// file is named, with what the program opens.
TEST_F(GraphWindowTest, AFileNamedOutsideTheDialogThatCannotBeLoadedIsReported) {
    const std::string other = folder.file("people.csv");
    std::ofstream(other, std::ios::binary) << "name,age\r\nTaro,30\r\n";
    for (const std::string& path : {folder.file("missing.csv"), other}) {
        host.messages.clear();
        EXPECT_FALSE(graph->openDataFile(QString::fromStdString(path), true));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].flags, Host::Error);
        EXPECT_NE(host.messages[0].text.find(path), std::string::npos);
        EXPECT_NE(host.messages[0].text.find("保存した測定データのファイル（CSV）"),
                  std::string::npos);
        EXPECT_EQ(menuBar(), "mnuStart");
    }
}

TEST_F(GraphWindowTest, ADroppedFileOpensLikeTheOpenCommand) {
    const std::string path = writeFile(6100, false);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(graph, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(graph, &drop);
    QApplication::processEvents();
    EXPECT_EQ(data.filePath, path);
    EXPECT_EQ(menuBar(), "mnuKV51");
}

TEST_F(GraphWindowTest, TheOpenDialogStartsInTheDataFolderWithTheDataFileFilter) {
    const std::string path = writeFile(5300, false);
    std::filesystem::create_directories(settings.dataFolder());
    std::vector<std::string> filters;
    std::string directory;
    onNextModal([&](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        for (const QString& f : dialog->nameFilters()) filters.push_back(f.toStdString());
        directory = dialog->directory().absolutePath().toStdString() + "/";
        EXPECT_EQ(dialog->selectedNameFilter(), dialog->nameFilters().front());
        dialog->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();
    });
    click("btnOpen");
    EXPECT_EQ(directory, settings.dataFolder());
    ASSERT_EQ(filters.size(), 10u);
    EXPECT_EQ(filters[0], "データファイル(*.csv) (*.csv *.CSV)");
    EXPECT_EQ(filters[7], "波形ﾌｧｲﾙ(W*.csv) (????W*.csv ????W*.CSV)");
    EXPECT_EQ(filters[9], "全てのファイル(*.*) (*)");
    EXPECT_EQ(data.filePath, path);
    EXPECT_EQ(menuBar(), "mnuKV53");
}

TEST_F(GraphWindowTest, SaveAsImageWritesTheViewInTheChosenFormat) {
    EXPECT_FALSE(action("mnuImageStart")->isEnabled());
    ASSERT_TRUE(open(5300, true));
    auto saveAs = [&](const char* menuItem, const std::string& name) {
        onNextModal([&](QWidget* window) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(folder.file(name)));
            static_cast<QDialog*>(dialog)->accept();
        });
        action(menuItem)->trigger();
        return readFile(folder.file(name));
    };
    const std::string png = saveAs("mnuImage53", "view.png");
    EXPECT_EQ(png.substr(1, 3), "PNG");
    const QImage image = QImage::fromData(QByteArray::fromStdString(png));
    EXPECT_EQ(image.width(), widget("Pic1")->width());
    EXPECT_EQ(saveAs("mnuImage53", "view.svg").substr(0, 5), "<?xml");
    // No extension: the first filter's.
    EXPECT_EQ(saveAs("mnuImage53", "plain").size(), 0u);
    EXPECT_EQ(readFile(folder.file("plain.png")).substr(1, 3), "PNG");
    // A PDF is the printed page, which holds one graph: the separate view is refused.
    click("btnSeparate");
    EXPECT_TRUE(saveAs("mnuImage53", "view.pdf").empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "画像として保存");
    click("btnX");
    EXPECT_EQ(saveAs("mnuImage53", "view.pdf").substr(0, 4), "%PDF");
}

TEST_F(GraphWindowTest, SavedImagesCarryTheFileAndTheHeaderUnlessTheTitleIsUnticked) {
    ASSERT_TRUE(open(5300, true));
    std::vector<bool> offered;
    auto saveAs = [&](const std::string& name, bool titled) {
        onNextModal([&](QWidget* window) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            ASSERT_NE(dialog, nullptr);
            auto* box = find<QCheckBox>(dialog, "ImageTitled");
            EXPECT_EQ(box->text().toStdString(), "見出しを付ける");
            offered.push_back(box->isChecked());
            box->setChecked(titled);
            dialog->selectFile(QString::fromStdString(folder.path() + name));
            static_cast<QDialog*>(dialog)->accept();
        });
        action("mnuImage53")->trigger();
        return readFile(folder.path() + name);
    };
    const QImage titled = QImage::fromData(QByteArray::fromStdString(saveAs("a.png", true)));
    const QImage plain = QImage::fromData(QByteArray::fromStdString(saveAs("b.png", false)));
    EXPECT_EQ(plain.height(), widget("YokoBar")->y() - widget("Pic1")->y());
    EXPECT_GT(titled.height(), plain.height() + 20);
    // The graphs below the title are the plain picture.
    EXPECT_EQ(titled.copy(0, titled.height() - plain.height(), plain.width(), plain.height()),
              plain);
    const std::string svg = saveAs("c.svg", true);
    EXPECT_NE(svg.find(graph->windowTitle().toStdString()), std::string::npos);
    EXPECT_NE(svg.find("No.1--"), std::string::npos);
    // On at first; then as last chosen.
    EXPECT_EQ(offered, (std::vector<bool>{true, true, false}));
}

TEST_F(GraphWindowTest, ClosingShowsTheMainWindowAndReopeningStartsEmpty) {
    ASSERT_TRUE(open(5300, true, 6));
    click("btnClose");
    EXPECT_FALSE(graph->isVisible());
    EXPECT_TRUE(windows.mainForm->isVisible());
    EXPECT_TRUE(data.filePath.empty());
    find<QAction>(windows.mainForm, "mnuShowData")->trigger();
    EXPECT_TRUE(graph->isVisible());
    EXPECT_FALSE(windows.mainForm->isVisible());
    EXPECT_EQ(menuBar(), "mnuStart");
    EXPECT_EQ(data.lastIndex, -1);
    EXPECT_FALSE(widget("btnList")->isEnabled());
    EXPECT_TRUE(find<QLabel>(graph, "FileHeaderText")->text().isEmpty());
    // The records are still in the store, but nothing is drawn.
    EXPECT_FLOAT_EQ(data.waveRecords[0][5].peak, SampleDataFile{}.peakOf(5, 0));
    const QImage before = widget("Pic1")->grab().toImage();
    graph->repaint();
    EXPECT_EQ(widget("Pic1")->grab().toImage(), before);
}

TEST_F(GraphWindowTest, CannotBeMadeSmallerThan450By300) {
    graph->resize(200, 100);
    EXPECT_EQ(graph->width(), 450);
    EXPECT_EQ(graph->height(), 300);
    graph->resize(451, 301);
    EXPECT_EQ(graph->width(), 451);
    EXPECT_EQ(graph->height(), 301);
}

// At the smallest size the tool panels wrap into rows above the graphs, and
// the separate view makes the window tall enough for three readable graphs.
TEST_F(GraphWindowTest, AtTheSmallestSizeEveryCommandIsReachableAndEveryGraphReadable) {
    ASSERT_TRUE(open(5300, true));
    const int th = QFontMetrics(graphLabelFont()).height();
    for (int view : {kViewAllAxes, kViewSeparate}) {
        graph->session().setView(view);
        graph->resize(450, 300);
        QApplication::processEvents();
        const QRect client = graph->centralWidget()->rect();
        const int graphsTop = widget("Pic1")->y();
        for (QAbstractButton* b : widget("ToolRow")->findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(graph)) continue;
            const QRect r(b->mapTo(graph->centralWidget(), QPoint(0, 0)), b->size());
            EXPECT_TRUE(client.contains(r)) << b->objectName().toStdString() << " view " << view;
            EXPECT_LE(r.bottom(), graphsTop) << b->objectName().toStdString();
        }
        for (const char* arrows : {"UpDownX", "UpDownY"})
            EXPECT_TRUE(client.contains(widget(arrows)->geometry().translated(
                widget(arrows)->parentWidget()->mapTo(graph->centralWidget(), QPoint(0, 0)))))
                << arrows;
        for (const char* box : {"Pic1", "Pic2", "Pic3"}) {
            if (!widget(box)->isVisible()) continue;
            EXPECT_GE(widget(box)->height(), 7 * th) << box << " view " << view;
        }
    }
    EXPECT_GT(graph->height(), 300);
    // Back in one graph, the window may be made as small as before.
    graph->session().setView(kViewX);
    graph->resize(450, 300);
    EXPECT_EQ(graph->height(), 300);
}

// The zoom arrows are the arrows of an ordinary spin box of the style, whole.
TEST_F(GraphWindowTest, ZoomArrowsHaveTheSizeOfASpinBoxsArrows) {
    QSpinBox ordinary;
    QStyleOptionSpinBox option;
    option.initFrom(&ordinary);
    option.frame = true;
    option.rect = QRect(QPoint(0, 0), ordinary.sizeHint());
    const QRect usual =
        ordinary.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp);
    for (const char* name : {"UpDownX", "UpDownY"}) {
        auto* arrows = find<QAbstractSpinBox>(graph, name);
        option.initFrom(arrows);
        option.rect = arrows->rect();
        const QRect up =
            arrows->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp);
        EXPECT_EQ(up.size(), usual.size()) << name;
        EXPECT_TRUE(arrows->rect().contains(up)) << name;
        EXPECT_EQ(arrows->height(), ordinary.sizeHint().height()) << name;
    }
}

TEST_F(GraphWindowTest, EveryControlHasAnAccessibleNameAndTheGlyphButtonsTheirMenuWords) {
    const std::pair<const char*, const char*> glyphs[] = {
        {"btnXYZ", "３軸[同軸表示]"},        {"btnSeparate", "３軸独立"},
        {"btnScale", "スケール変更"},        {"btnDataSet", "KV設定の確認"},
        {"btnOpen", "データファイルを開く"}, {"btnInfo", "表示データの情報"},
    };
    for (const auto& [name, words] : glyphs)
        EXPECT_EQ(widget(name)->accessibleName().toStdString(), words) << name;
    for (QWidget* w : graph->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QScrollBar*>(w);
        // Qt's own parts (the menu bar's overflow button) are Qt's business.
        if (!control || w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
        auto* button = qobject_cast<QAbstractButton*>(w);
        const QString name =
            w->accessibleName().isEmpty() && button ? button->text() : w->accessibleName();
        EXPECT_FALSE(name.isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_NE(find<QStatusBar>(graph, "FileHeaderShow")->findChild<QLabel*>("FileHeaderText"),
              nullptr);
}

// A file cut off in its last line is shown, and the user is told what was
// not read once the data is on show.
TEST_F(GraphWindowTest, ACutOffFileOpensAndSaysWhichLineHasNoEnd) {
    const std::string path = writeFile(5100, false, 8);
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() - 5);
    host.messages.clear();
    ASSERT_TRUE(graph->openDataFile(QString::fromStdString(path)));
    EXPECT_EQ(data.lastIndex, 6);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].flags, Host::Information);
    EXPECT_NE(host.messages[0].text.find("22 行目（最後の行）に改行がありません"),
              std::string::npos)
        << host.messages[0].text;
    EXPECT_NE(host.messages[0].text.find("1 件の記録は読み込んでいません"), std::string::npos);
}

// File names are bytes: one that is no valid UTF-8 opens from the dialog's
// text of it as from the command line's bytes.
TEST_F(GraphWindowTest, ANameThatIsNoValidTextOpens) {
    const std::string path = folder.file("KV51P\xff-01.CSV");
    std::filesystem::rename(writeFile(5100, false, 3), path);
    ASSERT_TRUE(graph->openDataFile(QFile::decodeName(QByteArray::fromStdString(path))));
    EXPECT_EQ(data.filePath, path);
    ASSERT_TRUE(open(5300, false));
    ASSERT_TRUE(graph->openDataFileNamed(path, true));
    EXPECT_EQ(data.filePath, path);
}

}  // namespace
}  // namespace kv::test
