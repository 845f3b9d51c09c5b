// Every window and dialog at the program's font: no caption, label, button,
// choice or value is cut off, and texts break between phrases where they were
// given a line break, never where the box happens to end.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <fstream>

#include "app/TMainForm.h"
#include "app/ui/shell_fixture.h"
#include "datafile/sample_data_files.h"
#include "list/THeaderDialog.h"
#include "viewer/TGraph5000.h"

namespace kv::test {
namespace {

std::string name(const QWidget* w) {
    return (w->window()->objectName() + "/" + w->objectName()).toStdString();
}

// Whether each line of the text fits into `room` pixels: the line breaks are
// the text's own, none made by the width.
bool linesFit(const QFontMetrics& fm, QString text, int room) {
    text.remove('&');
    for (const QString& line : text.split('\n'))
        if (fm.horizontalAdvance(line) > room) return false;
    return true;
}

void expectWholeTexts(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->objectName().startsWith("qt_")) continue;
        const QFontMetrics fm = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || Qt::mightBeRichText(label->text())) continue;
            const int room = label->contentsRect().width() - 2 * label->margin() - label->indent();
            EXPECT_TRUE(linesFit(fm, label->text(), std::max(0, room)))
                << name(w) << " \"" << label->text().toStdString() << "\" in " << room;
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            const int margin = w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
            EXPECT_TRUE(linesFit(fm, button->text(), button->width() - margin))
                << name(w) << " \"" << button->text().toStdString() << "\"";
        } else if (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QToolButton*>(w)) {
            // Check boxes and radio buttons: their indicator and their text.
            EXPECT_GE(w->width(), w->sizeHint().width())
                << name(w) << " \"" << static_cast<QAbstractButton*>(w)->text().toStdString()
                << "\"";
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            EXPECT_TRUE(linesFit(fm, group->title(), group->width())) << name(w);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i)
                EXPECT_TRUE(linesFit(fm, combo->itemText(i), field.width()))
                    << name(w) << " \"" << combo->itemText(i).toStdString() << "\"";
        } else if (auto* edit = qobject_cast<QLineEdit*>(w);
                   edit && edit->isReadOnly() && !edit->text().startsWith('/')) {
            // A value shown in a field: its frame and a few pixels of margin.
            // (A folder's path may be longer than any field; it scrolls.)
            EXPECT_TRUE(linesFit(fm, edit->text(), edit->width() - 8))
                << name(w) << " \"" << edit->text().toStdString() << "\"";
        }
    }
}

class WholeTextsTest : public ShellTest {
  protected:
    WholeTextsTest() {
        font_ = QApplication::font();
        applyApplicationFont(*qApp);
    }
    ~WholeTextsTest() override { QApplication::setFont(font_); }

    // Checks the next window that opens modally.
    void checkNextModal() {
        onNextModal([](QWidget* w) { expectWholeTexts(w); });
    }

  private:
    QFont font_;
};

TEST_F(WholeTextsTest, TheLaterGenerationsWindowsAndTheViewer) {
    start(kRecorder5300);
    expectWholeTexts(windows.mainForm);
    for (const char* command : {"BitBtn1", "BitBtn3", "BitBtn4"}) {
        checkNextModal();
        find<QToolButton>(windows.mainForm, command)->click();
    }
    windows.mainForm->showGraphWindow();
    TGraph5000* graph = windows.graph5000;
    SampleDataFile file;
    file.model = 5300;
    file.records = 30;
    const std::string path = folder.path() + "KV53P.csv";
    std::ofstream(path, std::ios::binary) << file.bytes();
    ASSERT_TRUE(graph->openDataFile(QString::fromStdString(path)));
    graph->session().zoom(-1, 0);  // a window typed in the scale dialog: "ユーザー指定"
    QApplication::processEvents();
    expectWholeTexts(graph);
    for (const char* command : {"btnScale", "btnInfo"}) {
        checkNextModal();
        find<QAbstractButton>(graph, command)->click();
    }
    checkNextModal();
    find<QAction>(graph, "Color0")->trigger();
    QString number;
    float value = 1;
    int first = 1, last = 10;
    for (int sheet = 0; sheet < 3; ++sheet) {
        checkNextModal();
        if (sheet == 0) windows.headerDialog->askDataNumber(number, 10);
        if (sheet == 1) windows.headerDialog->askSearchValue(value);
        if (sheet == 2) windows.headerDialog->askPrintRange(first, last, 10);
    }
    graph->close();
    find<QToolButton>(windows.mainForm, "BitBtn6")->click();
    expectWholeTexts(graph);
    checkNextModal();
    find<QAbstractButton>(graph, "btnDataSet")->click();
}

TEST_F(WholeTextsTest, TheFirstGenerationsScreens) {
    start(
        "model 4300\ndevice 3\nserial 42\nrange 20\nplace A\nsensor Y 12 11.5\nbattery 3.1\n"
        "period 2\nclock 1998/12/31 23:59:58\n"
        "measurement\n  start 2014/03/05 09:00:00\n  end 2014/03/05 10:00:00\n"
        "  causes R B\n  records 5\n");
    for (const char* command : {"BitBtn1", "BitBtn3"}) {
        checkNextModal();
        find<QToolButton>(windows.mainForm, command)->click();
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"TInformationForm", "TSettingForm"}));
}

}  // namespace
}  // namespace kv::test
