#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "list/TDataDialog.h"
#include "list/THeaderDialog.h"
#include "list/data_information.h"
#include "list/list_test_data.h"
#include "support/recording_host.h"

namespace kv::test {
namespace {

// Drives the data-input dialog as a user would: each step runs once the dialog
// is up (typing, clicking OK); a step that leaves it open is followed by the next.
class HeaderDialogTest : public ::testing::Test {
  protected:
    template <typename T>
    T* find(const char* name) {
        T* w = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void type(const char* edit, const QString& text) { find<QLineEdit>(edit)->setText(text); }
    void ok() { find<QPushButton>("Button1")->click(); }

    // Runs the steps in order while the dialog is shown, then closes it with
    // the close box if it is still up.
    void whileShown(std::vector<std::function<void()>> steps) {
        delete timer_;
        auto* timer = timer_ = new QTimer(&dialog);
        timer->setInterval(1);
        size_t next = 0;
        QObject::connect(timer, &QTimer::timeout, [this, timer, steps, next]() mutable {
            if (!dialog.isVisible()) return;
            if (next < steps.size()) {
                steps[next++]();
                return;
            }
            timer->stop();
            dialog.close();
        });
        timer->start();
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : host.messages) {
            EXPECT_EQ(m.title, "入力エラー");
            EXPECT_EQ(m.flags, Host::Information);
            texts.push_back(m.text);
        }
        return texts;
    }

    RecordingHost host;
    THeaderDialog dialog{host};
    QTimer* timer_ = nullptr;
};

TEST_F(HeaderDialogTest, SearchValueRefusesUntilAPositiveNumber) {
    float value = 0;
    bool editShowedZero = false;
    whileShown({[&] {
                    editShowedZero = find<QLineEdit>("Edit1")->text() == "0";
                    EXPECT_EQ(find<QStackedWidget>("PageControl1")->currentWidget()->objectName(),
                              "DataFind");
                    ok();
                },
                [&] { type("Edit1", "abc"), ok(); }, [&] { type("Edit1", "-2"), ok(); },
                [&] { type("Edit1", "2.5"), ok(); }});
    ASSERT_TRUE(dialog.askSearchValue(value));
    EXPECT_TRUE(editShowedZero);
    EXPECT_FLOAT_EQ(value, 2.5f);
    const std::string error = "検索数値エラー！！\n入力データを確認してください。";
    EXPECT_EQ(messages(), (std::vector<std::string>{error, error, error}));

    // Cancel keeps the value; the edit shows the last one.
    QString shown;
    whileShown({[&] {
        shown = find<QLineEdit>("Edit1")->text();
        type("Edit1", "7");
        find<QPushButton>("Button2")->click();
    }});
    EXPECT_FALSE(dialog.askSearchValue(value));
    EXPECT_EQ(shown, "2.5");
    EXPECT_FLOAT_EQ(value, 2.5f);
}

TEST_F(HeaderDialogTest, DataNumberShowsTheRangeAndChecksIt) {
    QString text = "3";
    QString range;
    whileShown({[&] {
                    range = find<QLabel>("StEdText")->text();
                    type("Edit2", "xyz"), ok();
                },
                [&] { type("Edit2", "8"), ok(); }, [&] { type("Edit2", "0"), ok(); },
                [&] { type("Edit2", "7"), ok(); }});
    ASSERT_TRUE(dialog.askDataNumber(text, 7));
    EXPECT_EQ(range, QStringLiteral("1　～ 7"));
    EXPECT_EQ(text, "7");
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"検索位置数値エラー！！\n入力データを確認してください。",
                                        "検索位置数値エラー！！\n最大データ数を超えています。",
                                        "検索位置数値エラー！！\n入力データを確認してください。"}));

    // The close box counts as cancel.
    text = "2";
    whileShown({[&] { type("Edit2", "4"); }});
    EXPECT_FALSE(dialog.askDataNumber(text, 7));
    EXPECT_EQ(text, "2");
}

TEST_F(HeaderDialogTest, PrintRangeAllOrCustom) {
    int start = 1, end = 9;
    QString caption;
    bool editsOff = false;
    whileShown({[&] {
                    caption = find<QRadioButton>("printAll")->text();
                    editsOff = !find<QLineEdit>("txtStart")->isEnabled() &&
                               !find<QLineEdit>("txtEnd")->isEnabled();
                    find<QRadioButton>("printCustum")->click();
                    type("txtStart", "5"), type("txtEnd", "3"), ok();
                },
                [&] { type("txtEnd", "10"), ok(); }, [&] { type("txtEnd", "6"), ok(); }});
    ASSERT_TRUE(dialog.askPrintRange(start, end, 9));
    EXPECT_EQ(caption, QStringLiteral("全てを印刷する(1～9)"));
    EXPECT_TRUE(editsOff);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 6);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"開始終了位置が逆です。", "終了位置入力エラー！！"}));

    // A bad start typed under the custom choice is still checked after
    // switching back to all rows; all rows then keeps the caller's range.
    host.messages.clear();
    start = 1, end = 9;
    bool customReset = false;
    whileShown({[&] {
                    customReset = find<QRadioButton>("printAll")->isChecked();
                    find<QRadioButton>("printCustum")->click();
                    type("txtStart", "0");
                    find<QRadioButton>("printAll")->click();
                    ok();
                },
                [&] { type("txtStart", "2"), ok(); }});
    ASSERT_TRUE(dialog.askPrintRange(start, end, 9));
    EXPECT_TRUE(customReset);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 9);
    EXPECT_EQ(messages(), (std::vector<std::string>{"開始位置入力エラー！！"}));
}

TEST(DataDialogTest, ShowsTheInformationOfTheDataSet) {
    SampleDataFile sample;
    sample.model = 4100;
    const LoadedData loaded = loadSample(sample);
    TDataDialog dialog(*loaded.data, loaded.identity);
    QTimer::singleShot(1, &dialog, [&] { dialog.findChild<QPushButton*>("BitBtn1")->click(); });
    dialog.exec();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("データ情報"));
    EXPECT_EQ(dialog.findChild<QLabel*>("StaticText1")->text().toStdString(),
              dataInformationText(*loaded.data, loaded.identity));
}

}  // namespace
}  // namespace kv::test
