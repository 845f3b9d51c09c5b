// The printed list as a PDF: what a text extractor reads back page by page.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <regex>
#include <sstream>

#include "base/clock.h"
#include "datafile/data_set.h"
#include "list/list_printing.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

class ListPrintingPdf : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
            GTEST_FAIL() << "pdftotext is missing: scripts/deps.sh installs poppler-utils";
    }
    void TearDown() override {
        if (std::getenv("KV_KEEP_PDF") && std::filesystem::exists(pdf))
            std::filesystem::copy_file(
                pdf,
                std::string(std::getenv("KV_KEEP_PDF")) + "/" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf",
                std::filesystem::copy_options::overwrite_existing);
    }

    static std::string run(const std::string& command) {
        std::string out;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return out;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        ::pclose(pipe);
        return out;
    }
    // The text of every page, in layout order.
    std::vector<std::string> pages() const {
        std::vector<std::string> result;
        std::istringstream text(run("pdftotext -layout '" + pdf + "' -"));
        std::string page;
        std::getline(text, page, '\f');
        while (text) {
            result.push_back(page);
            std::getline(text, page, '\f');
        }
        return result;
    }

    test::ScratchFolder scratch;
    std::string folder = scratch.path(), pdf = scratch.file("list.pdf");
};

// A triaxial peak data set whose records count down in X+ peak.
void fillTriaxialPeak(DataSet& data, RecorderIdentity& identity, int records) {
    identity.modelCode = 5300;
    identity.sensorRange = 50;
    data.filePath = "/tmp/KV5300P0012_データ.CSV";
    data.modelText = "5300";
    data.rangeG = 50;
    data.deviceNumberText = "0012";
    data.modeText = "ピークモード";
    data.recordPeriodText = "1秒";
    data.recordCountText = std::to_string(records);
    data.startTime = 45000.5;
    data.endTime = 45000.75;
    data.lastIndex = records - 1;
    for (int r = 0; r < records; ++r) {
        PeakRow& row = data.peakRows[r];
        for (int a = 0; a < 3; ++a) {
            row.time[a] = 45000.5 + r / 86400.0;
            row.peak[2 * a] = static_cast<float>(records - r) * 0.25f;
            row.peak[2 * a + 1] = -1.5f;
            row.width[2 * a] = r % 7;
            row.width[2 * a + 1] = 3;
        }
    }
}

// Rows of the table as the extractor reads them: "No DataNo yyyy/mm/dd ...".
std::vector<std::pair<int, int>> tableRows(const std::string& page) {
    static const std::regex row(R"(^\s*(\d+)\s+(\d+)\s+\d{4}/\d\d/\d\d\s)");
    std::vector<std::pair<int, int>> rows;
    std::istringstream lines(page);
    std::string line;
    std::smatch m;
    while (std::getline(lines, line))
        if (std::regex_search(line, m, row)) rows.emplace_back(std::stoi(m[1]), std::stoi(m[2]));
    return rows;
}

TEST_F(ListPrintingPdf, SortedTriaxialListReadsBackPageByPage) {
    DataSet data;
    RecorderIdentity identity;
    const int records = 200;
    fillTriaxialPeak(data, identity, records);
    // Smallest X+ peak first: the last record first.
    std::vector<int32_t> order(records);
    for (int p = 0; p < records; ++p) order[p] = records - 1 - p;
    ListPrintRequest request{&data, &identity, &order, 3, 190};
    std::string error;
    ASSERT_TRUE(printListToPdf(pdf, request, error)) << error;

    const std::vector<std::string> text = pages();
    ASSERT_GE(text.size(), 3u);
    const std::string today = formatDate(localDateTimeNow());
    std::vector<std::pair<int, int>> all;
    size_t firstRows = 0, laterRows = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        const std::string& page = text[k];
        SCOPED_TRACE("page " + std::to_string(k + 1));
        EXPECT_NE(page.find(data.filePath), std::string::npos);
        EXPECT_NE(page.find(today), std::string::npos);
        for (const char* caption : {"番号", "データNo", "XG(+)", "YG(-)", "ZG(-)"})
            EXPECT_NE(page.find(caption), std::string::npos) << caption;
        const bool last = k + 1 == text.size();
        EXPECT_NE(page.find(std::to_string(k + 1) + (last ? " ページ" : "ページ")),
                  std::string::npos);
        const bool header = page.find("ＫＶ種別: ＫＶ－5300") != std::string::npos;
        EXPECT_EQ(header, k == 0);
        const auto rows = tableRows(page);
        all.insert(all.end(), rows.begin(), rows.end());
        if (k == 0) firstRows = rows.size();
        if (k == 1) laterRows = rows.size();
    }
    for (const char* piece : {"ｾﾝｻｰﾚﾝｼﾞ: 50Ｇ", "機器番号: 0012", "計測方法: ピークモード",
                              "記録周期: 1秒", "記録データ数: 200", "印刷日付"})
        EXPECT_NE(text[0].find(piece), std::string::npos) << piece;
    // Later pages start four rows higher: caption row 8 against 12.
    EXPECT_EQ(laterRows, firstRows + 4);
    ASSERT_EQ(all.size(), 188u);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].first, static_cast<int>(i) + 3);
        EXPECT_EQ(all[i].second, order[i + 2] + 1);
    }
}

TEST_F(ListPrintingPdf, OneRowRangeIsOnePage) {
    DataSet data;
    RecorderIdentity identity;
    fillTriaxialPeak(data, identity, 5);
    identity.modelCode = 6100;  // single-axis peak layout
    std::vector<int32_t> order = {0, 1, 2, 3, 4};
    std::string error;
    ASSERT_TRUE(printListToPdf(pdf, {&data, &identity, &order, 4, 4}, error)) << error;
    const std::vector<std::string> text = pages();
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(tableRows(text[0]), (std::vector<std::pair<int, int>>{{4, 4}}));
    EXPECT_NE(text[0].find("1ページ"), std::string::npos);
    for (const char* caption : {"番号", "Ｇ(+)", "Ｇ(-)"})
        EXPECT_NE(text[0].find(caption), std::string::npos) << caption;

    identity.modelCode = 0;
    EXPECT_FALSE(printListToPdf(pdf, {&data, &identity, &order, 1, 5}, error));
    EXPECT_FALSE(
        printListToPdf(folder + "/no/such/folder/x.pdf", {&data, &identity, &order, 1, 1}, error));
}

TEST_F(ListPrintingPdf, EveryLayoutPrintsItsCaptionsAndCells) {
    struct Case {
        ModelCode model;
        bool wave;
        std::vector<std::string> pieces;  // captions and cells
    };
    const Case cases[] = {
        {6100, false, {"データNo", "Ｇ(+)", "Ｇ(-)", "0.75", "-1.50"}},
        {6300, false, {"XG(+)", "YG(-)", "ZG(-)", "0.75"}},
        {6100, true, {"Ｇmax", "ms", "ｻﾝﾌﾟﾙ周期: 0.5ms", "+OVER", "12"}},
        {6300, true, {"XGmax", "YGmax", "ZGmax", "合成Ｇ", "OVER", "+OVER", "5.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " wave " << c.wave);
        DataSet data;
        RecorderIdentity identity;
        fillTriaxialPeak(data, identity, 3);
        identity.modelCode = c.model;
        identity.waveData = c.wave;
        identity.sensorRange = 10;
        data.samplePeriodText = "0.5";
        for (int r = 0; r < 3; ++r) {
            for (int a = 0; a < 3; ++a) {
                WaveBlock& block = data.waveRecords[a][r];
                block.time = 45000.5 + r / 86400.0;
                block.peak = r == 0 && a == 0 ? 11.5f : 2.0f;  // record 1: X over
                block.width = 12;
                block.resultantG = r == 1 ? 11.5f : 5.0f;  // record 2: only the resultant
            }
        }
        std::vector<int32_t> order = {0, 1, 2};
        std::string error;
        ASSERT_TRUE(printListToPdf(pdf, {&data, &identity, &order, 1, 3}, error)) << error;
        const std::vector<std::string> text = pages();
        ASSERT_EQ(text.size(), 1u);
        for (const std::string& piece : c.pieces)
            EXPECT_NE(text[0].find(piece), std::string::npos) << piece;
        EXPECT_EQ(tableRows(text[0]).size(), 3u);
    }
}

// Word boxes of a page: the right edges of the words, and the page width.
struct Boxes {
    double pageWidth = 0;
    std::vector<std::pair<std::string, double>> words;  // text, xMax
};

Boxes wordBoxes(const std::string& bbox) {
    Boxes boxes;
    std::smatch m;
    if (std::regex_search(bbox, m, std::regex(R"re(<page width="([\d.]+)")re")))
        boxes.pageWidth = std::stod(m[1]);
    static const std::regex word(
        R"re(<word xMin="[\d.]+" yMin="[\d.]+" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(bbox.begin(), bbox.end(), word);
         it != std::sregex_iterator(); ++it)
        boxes.words.emplace_back((*it)[2], std::stod((*it)[1]));
    return boxes;
}

class OneRow : public ListPrintRows {
  public:
    int count() const override { return 1; }
    void cells(int, std::vector<std::string>& out) const override {
        out.assign(20, "-88.8");
        out[19] = "last";
    }
};

TEST_F(ListPrintingPdf, NarrowPageShrinksTheFontUntilTheTableFits) {
    const ListPrintLayout& layout = listPrintLayout(ListPrintKind::TriaxialPeak);
    OneRow rows;
    ListPrintJob job{&layout, "narrow", "2024/01/02", {}, &rows};
    auto print = [&](const QPageSize& size) {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setResolution(600);
        writer.setPageSize(size);
        EXPECT_TRUE(paintListPrintout(writer, job));
    };
    auto lastCell = [&]() {
        Boxes boxes = wordBoxes(run("pdftotext -bbox '" + pdf + "' -"));
        for (auto& [text, right] : boxes.words) EXPECT_LE(right, boxes.pageWidth + 0.5) << text;
        for (auto& [text, right] : boxes.words)
            if (text == "last") return right / boxes.pageWidth;
        ADD_FAILURE() << "last cell not found";
        return 0.0;
    };
    print(QPageSize(QPageSize::A4));
    const double wide = lastCell();
    // Landscape 100 mm wide: the table at the layout's font would need about 140.
    print(QPageSize(QSizeF(70, 100), QPageSize::Millimeter));
    const double narrow = lastCell();
    // At the font of the A4 page the table would run off the narrow one.
    EXPECT_GT(wide * 297 / 100, 1.0);
    EXPECT_GT(narrow, 0.5);
    EXPECT_LE(narrow, 1.0);
}

// The window's print command: the print dialog first, then the printout.
TEST_F(ListPrintingPdf, PrintDialogPrintsOnOkAndNothingOnCancel) {
    DataSet data;
    RecorderIdentity identity;
    fillTriaxialPeak(data, identity, 30);
    std::vector<int32_t> order(30);
    std::iota(order.begin(), order.end(), 0);
    auto answer = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), "PrintDialog1");
            ok ? dialog->accept() : dialog->reject();
        });
    };
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    answer(false);
    EXPECT_FALSE(printList(nullptr, {&data, &identity, &order, 1, 30}, &printer));
    EXPECT_FALSE(std::filesystem::exists(pdf));

    answer(true);
    EXPECT_TRUE(printList(nullptr, {&data, &identity, &order, 11, 30}, &printer));
    const std::vector<std::string> text = pages();
    ASSERT_EQ(text.size(), 1u);
    const auto rows = tableRows(text[0]);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.front(), (std::pair<int, int>{11, 11}));

    // A PDF file that cannot be written is reported, never printed half.
    const std::string missing = folder + "/no/such/folder/list.pdf";
    printer.setOutputFileName(QString::fromStdString(missing));
    std::string error;
    answer(true);
    EXPECT_FALSE(printList(nullptr, {&data, &identity, &order, 1, 30}, &printer, &error));
    EXPECT_EQ(error, missing + ": No such file or directory");

    // Nor is a data file chosen as the PDF ever replaced.
    const std::string csv = folder + "/KV53P.CSV";
    std::ofstream(csv, std::ios::binary) << "\x82\x6a\x82\x75\x8e\xed\x95\xca,KV-5300\r\n";
    printer.setOutputFileName(QString::fromStdString(csv));
    answer(true);
    EXPECT_FALSE(printList(nullptr, {&data, &identity, &order, 1, 30}, &printer, &error));
    EXPECT_EQ(error, csv + ": a recorder data file is never replaced");
}

}  // namespace
}  // namespace kv
