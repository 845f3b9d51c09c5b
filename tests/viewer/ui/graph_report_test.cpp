// The graph window's report command: the limits dialog, the save dialog, the
// PDF of the file on show, and the offer to open it.
#include <QFileDialog>
#include <QLineEdit>
#include <filesystem>

#include "tools/kvtool_program.h"
#include "viewer/ui/graph_fixture.h"

namespace kv::test {
namespace {

TEST_F(GraphWindowTest, ReportOfTheFileOnShowAgainstTheConfirmedLimits) {
    // Before a file there is nothing to report on; the limits may be set.
    EXPECT_EQ(graph->findChild<QAction*>("mnuReportStart"), nullptr);
    ASSERT_NE(graph->findChild<QAction*>("mnuLimitsStart"), nullptr);
    ASSERT_TRUE(open(5300, false, 10));  // X peaks up to 4.5 G
    const std::string pdf = folder.path() + "trip.pdf";
    onNextModal([&](QWidget* limits) {
        EXPECT_EQ(limits->objectName(), "TLimitsDialog");
        find<QLineEdit>(limits, "EditWarningX")->setText("1");
        find<QLineEdit>(limits, "EditAlarmX")->setText("4");
        onNextModal([&](QWidget* window) {
            auto* save = qobject_cast<QFileDialog*>(window);
            ASSERT_NE(save, nullptr);
            EXPECT_EQ(save->windowTitle().toStdString(), "レポートの保存");
            save->selectFile(QString::fromStdString(folder.path() + "trip"));  // ".pdf" is added
            static_cast<QDialog*>(save)->accept();
        });
        find<QPushButton>(limits, "BitBtn1")->click();
    });
    host.answers.push_back(Host::No);  // no viewer in a test
    action("mnuReport53")->trigger();

    ASSERT_TRUE(std::filesystem::exists(pdf));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].flags, Host::QuestionYesNo);
    EXPECT_NE(host.messages[0].text.find(pdf), std::string::npos);
    std::string text;
    ASSERT_EQ(runCapturing("pdftotext '" + pdf + "' -", text), 0);
    EXPECT_NE(text.find("判定: 不合格"), std::string::npos) << text;
    EXPECT_NE(text.find("Ｘ軸の警報レベル 4 G 以上: 2 回 (最大 4.5 G、記録 10)"),
              std::string::npos);
    // The limits are the settings' now, and the record on show did not move.
    Limits saved;
    ASSERT_FALSE(settings.limits(saved));
    EXPECT_EQ(saved.alarmG[0], 4);
    EXPECT_EQ(data.currentIndex, 0);

    // Cancelled limits make no report.
    std::filesystem::remove(pdf);
    onNextModal([&](QWidget* limits) { find<QPushButton>(limits, "BitBtn2")->click(); });
    action("mnuReport53")->trigger();
    EXPECT_FALSE(std::filesystem::exists(pdf));
    onNextModal([&](QWidget* limits) { EXPECT_EQ(limits->objectName(), "TLimitsDialog"); });
    action("mnuLimits53")->trigger();
}

}  // namespace
}  // namespace kv::test
