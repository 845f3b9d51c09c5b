// The download journal: its lines for the files a download saves, a journal
// damaged or written by hand, and one that cannot be written.
#include "download/download_journal.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "base/sha256.h"
#include "base/version.h"
#include "download_fixture.h"

namespace kv::test {
namespace {

// Recorder 4321 of a 5300, device 12, whose clock runs 12 s ahead of the PC
// (the virtual clock starts at 2025/04/01 10:00:00).
const char* const kRecorder = R"(
model 5300
device 12
serial 4321
clock 2025/04/01 10:00:12
measurement
  start 2014/03/15 09:00:00
  end 2014/03/15 18:30:00
  records 12
measurement
  start 2014/03/16 09:00:00
  end 2014/03/16 09:10:00
  records 7
)";

class DownloadJournal : public DownloadTest {
  protected:
    DownloadJournal() {
        ::setenv("TZ", "JST-9", 1);  // the saving time carries +09:00 on any machine
        ::tzset();
    }
    std::string journal() const { return readFile(folder.file(kJournalFileName)); }
};

TEST_F(DownloadJournal, OneLinePerSavedFileWithItsValues) {
    use(kRecorder);
    ASSERT_TRUE(download({1, 2}));
    ASSERT_TRUE(download({2}));
    ASSERT_EQ(saved.size(), 1u);
    const std::string text = journal();
    EXPECT_EQ(text.rfind(journalHeaderLine(), 0), 0u);
    EXPECT_EQ(text.find(journalHeaderLine(), 1), std::string::npos) << "one header only";
    const auto entries = parseJournal(text);
    ASSERT_EQ(entries.size(), 3u);
    const struct {
        const char* file;
        int measurement;
        const char* start;
        const char* end;
        long long records;
    } expected[] = {
        {"KV53P12-2025040101-01.CSV", 1, "2014-03-15T09:00:00", "2014-03-15T18:30:00", 12},
        {"KV53P12-2025040102-01.CSV", 2, "2014-03-16T09:00:00", "2014-03-16T09:10:00", 7},
        {"KV53P12-2025040102-02.CSV", 2, "2014-03-16T09:00:00", "2014-03-16T09:10:00", 7},
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        const JournalEntry& e = entries[i];
        SCOPED_TRACE(e.file);
        EXPECT_EQ(e.file, expected[i].file);
        EXPECT_EQ(e.savedAt.rfind("2025-04-01T10:00:", 0), 0u) << e.savedAt;
        EXPECT_EQ(e.savedAt.substr(19), "+09:00");
        EXPECT_EQ(e.model, 5300);
        EXPECT_EQ(e.serialNumber, 4321);
        EXPECT_EQ(e.deviceNumber, 12);
        EXPECT_EQ(e.measurement, expected[i].measurement);
        EXPECT_FALSE(e.wave);
        EXPECT_EQ(e.start, expected[i].start);
        EXPECT_EQ(e.end, expected[i].end);
        EXPECT_EQ(e.recordCount, expected[i].records);
        EXPECT_EQ(e.clockOffsetSeconds, 12);
        EXPECT_EQ(e.programVersion, programVersion());
        EXPECT_EQ(e.sha256, sha256Hex(readFile(folder.file(e.file))));
    }
}

// Read as far as it parses: a BOM, CR LF, moved and missing columns, quotes,
// and lines that do not hold a measurement are no reason to give up.
TEST(JournalText, HandWrittenAndDamagedJournalsReadAsFarAsTheyParse) {
    const std::string good =
        "2025-04-01T10:00:00+09:00,A.CSV,5300,1,7,1,peak,2014-03-15T09:00:00,"
        "2014-03-15T18:30:00,12,,4.02,ab\n";
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> files;
    } cases[] = {
        {"without a header, in the written order", good, {"A.CSV"}},
        {"header with a BOM and CR LF",
         "\xEF\xBB\xBF" + journalHeaderLine() + "\r\n" + good,
         {"A.CSV"}},
        {"columns moved, some dropped",
         "kind,file,serialNumber,model,start,end,recordCount\n"
         "wave,\"B, copy.CSV\",2,6300,2014-03-15 09:00:00,2014-03-15T09:01:00,5\n",
         {"B, copy.CSV"}},
        {"broken lines among good ones",
         journalHeaderLine() + good +
             "2025-04-01,C.CSV,5300,1,7,1,spike,2014-03-15T09:00:00,2014-03-15T18:30:00,12,,,\n"
             "2025-04-01,D.CSV,5300,1,7,1,peak,2014-02-30T09:00:00,2014-03-15T18:30:00,12,,,\n"
             "2025-04-01,\"E.CSV,5300,1,7,1,peak\n"
             "2025-04-01,F.CSV,x,1,7,1,peak,2014-03-15T09:00:00,2014-03-15T18:30:00,12,,,\n"
             "\n" +
             good.substr(0, 40),
         {"A.CSV"}},
        {"no usable column", "name;size\nA.CSV;10\n", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> files;
        for (const JournalEntry& e : parseJournal(c.text)) files.push_back(e.file);
        EXPECT_EQ(files, c.files) << c.what;
    }
    // What is written reads back.
    JournalEntry e = parseJournal(good).at(0);
    e.file = "odd, \"name\".CSV";
    e.clockOffsetSeconds = -75;
    const auto back = parseJournal(journalLine(e)).at(0);
    EXPECT_EQ(back.file, e.file);
    EXPECT_EQ(back.clockOffsetSeconds, -75);
    EXPECT_EQ(journalLine(back), journalLine(e));
}

TEST_F(DownloadJournal, HandEditedJournalWithoutLineEndKeepsItsLastLine) {
    const std::string hand = journalHeaderLine() +
                             "x,OLD.CSV,5300,1,7,1,peak,2014-03-15T09:00:00,"
                             "2014-03-15T18:30:00,12,,4.02,ab";
    std::ofstream(folder.file(kJournalFileName), std::ios::binary) << hand;
    use(kRecorder);
    ASSERT_TRUE(download({2}));
    const auto entries = parseJournal(journal());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].file, "OLD.CSV");
    EXPECT_EQ(entries[1].file, "KV53P12-2025040102-01.CSV");
}

// A journal that cannot take the line: the data file is saved all the same,
// and the problem is told like a file that could not be written.
TEST_F(DownloadJournal, JournalThatCannotBeWrittenIsReportedAndTheFileStays) {
    const std::string path = folder.file(kJournalFileName);
    const struct {
        const char* what;
        std::function<bool()> make;
        const char* reason;
    } cases[] = {
        {"a folder in its place", [&] { return ::mkdir(path.c_str(), 0755) == 0; },
         "エラー番号 21"},
        {"a full disk", [&] { return ::symlink("/dev/full", path.c_str()) == 0; },
         "空き容量が足りません"},
        {"read-only",
         [&] {
             std::ofstream(path) << journalHeaderLine();
             return ::geteuid() != 0 && ::chmod(path.c_str(), 0444) == 0;
         },
         "権限がありません"},
    };
    use(kRecorder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ::rmdir(path.c_str());
        ::unlink(path.c_str());
        if (!c.make()) continue;  // read-only means nothing to root
        host.messages.clear();
        EXPECT_FALSE(download({1}));
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_EQ(linesOf(saved[0]).size(), 14u + 12u);
        ASSERT_EQ(host.titles(),
                  (std::vector<std::string>{"測定データ読み込み", "データ保存エラー"}));
        const std::string& text = host.messages[1].text;
        EXPECT_NE(text.find("ダウンロード記録に書き込めませんでした。"), std::string::npos) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_NE(text.find(path), std::string::npos);
        EXPECT_NE(text.find(saved[0]), std::string::npos);
        EXPECT_EQ(text.find("保存できませんでした"), std::string::npos) << "the data were saved";
    }
}

}  // namespace
}  // namespace kv::test
