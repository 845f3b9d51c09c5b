#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <string>
#include <vector>

#include "list/THeaderDialog.h"
#include "list/TListShow.h"
#include "list/list_test_data.h"
#include "support/recording_host.h"

namespace kv::test {
namespace {

class ListShowTest : public ::testing::Test {
  protected:
    void open(const SampleDataFile& sample) {
        loaded = loadSample(sample);
        dialog = std::make_unique<THeaderDialog>(host);
        window = std::make_unique<TListShow>(*loaded.data, loaded.identity, host, dialog.get());
        window->buildListColumns();
        window->show();
        QApplication::processEvents();  // the header's first layout sets the rows that fit
        list = find<QTableWidget>("List");
        bar = find<QScrollBar>("Bar");
    }
    template <typename T>
    T* find(const char* name) {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = list->item(row, column);
        return item ? item->text() : QString("<none>");
    }
    std::vector<int> dataNumbers() const {
        std::vector<int> numbers;
        for (int row = 0; row < list->rowCount() && !cell(row, 1).isEmpty(); ++row)
            numbers.push_back(cell(row, 1).toInt());
        return numbers;
    }
    void clickColumn(int column) { list->horizontalHeader()->sectionClicked(column); }
    // Types the threshold into the search dialog once it is up.
    void answerSearch(const QString& text) {
        QTimer::singleShot(5, [this, text] {
            dialog->findChild<QLineEdit*>("Edit1")->setText(text);
            dialog->findChild<QPushButton*>("Button1")->click();
        });
    }

    RecordingHost host;
    LoadedData loaded;
    std::unique_ptr<THeaderDialog> dialog;
    std::unique_ptr<TListShow> window;
    QTableWidget* list = nullptr;
    QScrollBar* bar = nullptr;
};

TEST_F(ListShowTest, FewerRecordsThanRowsLeavesBlankRowsAndNoScrolling) {
    SampleDataFile sample;
    sample.model = 4100;
    sample.records = 3;
    open(sample);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("リスト表示画面"));
    ASSERT_GT(list->rowCount(), 3);
    EXPECT_EQ(list->rowCount(), window->visibleRows());
    EXPECT_FALSE(bar->isEnabled());
    EXPECT_EQ(dataNumbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(cell(3, 0), "");
    EXPECT_EQ(list->columnCount(), 8);
    EXPECT_EQ(list->horizontalHeaderItem(4)->text(), QStringLiteral("Ｇ(+)"));
    EXPECT_EQ(find<QLabel>("txtSelectItem")->text(), "No");
    for (const char* name : {"btnMax", "btnFind", "btnDef", "btnA", "btnZ"})
        EXPECT_FALSE(find<QToolButton>(name)->isEnabled()) << name;
    EXPECT_TRUE(find<QToolButton>("btnPrint")->isEnabled());
    EXPECT_EQ(window->minimumSize(), QSize(250, 250));
}

TEST_F(ListShowTest, ScrollingShowsTheNextPageAndSortingKeepsThePage) {
    SampleDataFile sample;
    sample.model = 5300;
    sample.records = 200;
    open(sample);
    const int rows = window->visibleRows();
    ASSERT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->maximum(), 200 - rows);
    EXPECT_EQ(bar->pageStep(), rows);
    bar->setValue(5);
    EXPECT_EQ(cell(0, 0), "6");
    EXPECT_EQ(cell(rows - 1, 1), QString::number(5 + rows));
    // Sorting needs a data column; "DataNo" does not select one.
    clickColumn(1);
    EXPECT_FALSE(find<QToolButton>("btnA")->isEnabled());
    clickColumn(4);  // XG(+)
    EXPECT_EQ(find<QLabel>("txtSelectItem")->text(), "XG(+)");
    ASSERT_TRUE(find<QToolButton>("btnA")->isEnabled());
    find<QToolButton>("btnA")->click();
    bar->setValue(0);
    // The sample's peaks repeat every 20 records; the largest comes from the
    // latest record of equal ones.
    EXPECT_EQ(cell(0, 1), "200");
    EXPECT_EQ(cell(0, 4), "9.50");
    EXPECT_EQ(cell(1, 1), "180");
    EXPECT_TRUE(find<QToolButton>("btnDef")->isEnabled());
    find<QToolButton>("btnZ")->click();
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_EQ(cell(1, 1), "21");
    find<QToolButton>("btnDef")->click();
    EXPECT_EQ(cell(1, 1), "2");
}

TEST_F(ListShowTest, OptionalAnalysisColumnsOfWaveFilesShowAndSort) {
    SampleDataFile sample;
    sample.model = 5300;
    sample.wave = true;
    sample.records = 10;
    sample.samplePeriodMs = 1;
    // Record r: a half-sine of 10 … 50 G and 11 ms on X, nothing on Y and Z.
    sample.sampleOf = [](int r, int a, int s) {
        if (a != 0 || s < 100 || s > 111) return 0.0;
        return std::round(100 * (r % 5 + 1) * 10 * std::sin(M_PI * (s - 100) / 11)) / 100;
    };
    open(sample);
    window->setRestitution([] { return 0.5; });
    auto* toggle = window->findChild<QAction*>("mnuAnalysisColumns");
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isEnabled());
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(list->columnCount(), 11);  // the list as it always was

    toggle->trigger();
    ASSERT_EQ(list->columnCount(), 13);
    EXPECT_EQ(list->horizontalHeaderItem(11)->text(), QStringLiteral("速度変化"));
    EXPECT_EQ(list->horizontalHeaderItem(12)->text(), QStringLiteral("落下高さ"));
    EXPECT_TRUE(list->horizontalHeaderItem(12)->toolTip().contains("e=0.50"));
    // Record 5 holds the 50 G half-sine: 3.43 m/s within 2 %, 26 to 27 cm.
    EXPECT_NEAR(cell(4, 11).toDouble(), 3.43, 0.07);
    EXPECT_NEAR(cell(4, 12).toDouble(), 26.5, 0.5);
    EXPECT_NEAR(cell(0, 11).toDouble() * 5, cell(4, 11).toDouble(), 0.01);

    clickColumn(12);
    EXPECT_EQ(find<QLabel>("txtSelectItem")->text(), QStringLiteral("落下高さ"));
    find<QToolButton>("btnA")->click();
    EXPECT_EQ(dataNumbers(), (std::vector<int>{10, 5, 9, 4, 8, 3, 7, 2, 6, 1}));
    find<QToolButton>("btnZ")->click();
    EXPECT_EQ(dataNumbers().front(), 1);

    // Off again: the columns and their choice go, the order stays.
    toggle->trigger();
    EXPECT_EQ(list->columnCount(), 11);
    EXPECT_EQ(find<QLabel>("txtSelectItem")->text(), "No");
    EXPECT_FALSE(find<QToolButton>("btnA")->isEnabled());
    EXPECT_EQ(dataNumbers().front(), 1);

    SampleDataFile peak;
    peak.model = 5300;
    open(peak);
    EXPECT_FALSE(window->findChild<QAction*>("mnuAnalysisColumns")->isEnabled());
}

TEST_F(ListShowTest, MaximumAndThresholdSearch) {
    SampleDataFile sample;
    sample.model = 4100;
    sample.records = 100;
    open(sample);
    clickColumn(4);  // Ｇ(+): (r % 20) * 0.5
    find<QToolButton>("btnMax")->click();
    ASSERT_EQ(list->selectedItems().size(), list->columnCount());
    EXPECT_EQ(list->selectedItems().front()->row() + bar->value(), 19);

    answerSearch("9");
    find<QAction>("mnuFind")->trigger();
    EXPECT_TRUE(find<QToolButton>("btnFind")->isEnabled());
    EXPECT_EQ(list->item(list->currentRow(), 1)->text(), "19");
    find<QToolButton>("btnFind")->click();
    EXPECT_EQ(list->item(list->currentRow(), 1)->text(), "20");
    find<QToolButton>("btnFind")->click();
    EXPECT_EQ(list->item(list->currentRow(), 1)->text(), "39");
    EXPECT_TRUE(host.messages.empty());

    answerSearch("50");
    find<QAction>("mnuFind")->trigger();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "データの検索");
    EXPECT_EQ(host.messages[0].text, "指定されたデータは見つかりません。");
    // A column click takes "next" away again.
    clickColumn(6);
    EXPECT_FALSE(find<QToolButton>("btnFind")->isEnabled());
}

TEST_F(ListShowTest, DoubleClickChoosesWaveRecordsOnly) {
    SampleDataFile peak;
    peak.model = 5300;
    open(peak);
    std::vector<int> chosen;
    auto record = [&] {
        QObject::connect(window.get(), &TListShow::recordChosen,
                         [&](int r) { chosen.push_back(r); });
    };
    record();
    list->setCurrentCell(1, 0);
    list->cellDoubleClicked(1, 0);
    EXPECT_TRUE(chosen.empty());

    SampleDataFile wave;
    wave.model = 6300;
    wave.wave = true;
    open(wave);
    EXPECT_EQ(list->columnCount(), 11);
    record();
    list->setCurrentCell(2, 0);
    list->cellDoubleClicked(2, 0);
    list->setCurrentCell(5, 0);  // a blank row
    list->cellDoubleClicked(5, 0);
    EXPECT_EQ(chosen, (std::vector<int>{2}));
}

TEST_F(ListShowTest, CopyGivesTheSelectedRowsWithCaptions) {
    SampleDataFile sample;
    sample.model = 4100;
    sample.records = 3;
    open(sample);
    list->setCurrentCell(0, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->setCurrentCell(2, 0, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    find<QAction>("copyRows")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(lines.size(), 4);  // captions, two rows, the empty rest after the last "\n"
    EXPECT_EQ(lines[0], QStringLiteral("No\tDataNo\t年月日\t時分秒\tＧ(+)\tms\tＧ(-)\tms"));
    EXPECT_TRUE(lines[1].startsWith("1\t1\t2014/03/15\t09:00:07\t"));
    EXPECT_TRUE(lines[2].startsWith("3\t3\t"));
}

TEST_F(ListShowTest, PrintAsksForTheRangeAndHandsOverTheOrder) {
    SampleDataFile sample;
    sample.model = 4100;
    sample.records = 4;
    open(sample);
    int printedStart = 0, printedEnd = 0;
    window->setPrintHandler([&](const ListTable& table, int start, int end) {
        EXPECT_EQ(table.recordCount(), 4);
        printedStart = start, printedEnd = end;
    });
    QTimer::singleShot(5, [this] { dialog->findChild<QPushButton*>("Button1")->click(); });
    find<QAction>("Print1")->trigger();
    EXPECT_EQ(printedStart, 1);
    EXPECT_EQ(printedEnd, 4);
}

TEST_F(ListShowTest, TheWindowKeepsItsSizeAndToolBarWhileASortRuns) {
    SampleDataFile sample;
    sample.model = 4100;
    sample.records = 70000;  // enough for the sort to yield to the event loop
    open(sample);
    const QSize before = window->size();
    bool sorting = false, toolBarOff = false;
    QSize during;
    QTimer::singleShot(0, [&] {
        sorting = window->sorting();
        toolBarOff = !find<QWidget>("Panel1")->isEnabled();
        window->resize(before + QSize(40, 40));
        during = window->size();
    });
    clickColumn(4);
    find<QToolButton>("btnA")->click();
    EXPECT_TRUE(sorting);
    EXPECT_TRUE(toolBarOff);
    EXPECT_EQ(during, before);
    EXPECT_FALSE(window->sorting());
    window->resize(before + QSize(40, 40));
    EXPECT_EQ(window->size(), before + QSize(40, 40));
    EXPECT_EQ(window->minimumSize(), QSize(250, 250));
}

}  // namespace
}  // namespace kv::test
