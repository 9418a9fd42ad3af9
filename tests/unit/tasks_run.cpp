// Running the task list: every outcome of add, delete and replace rows, the backups they
// leave, what a second run does, the buttons around a run, and the log-off a run and a
// restore hold up.
#include "platform/files.h"
#include "tests/unit/app_program_fixture.h"

namespace {

using namespace forms::main_window;

constexpr const char* kArial = "C:\\WINDOWS\\Fonts\\arial.ttf";
constexpr const char* kSimhei = "C:\\WINDOWS\\Fonts\\simhei.ttf";
constexpr const char* kArialBackup = "C:\\work\\Backup\\arial.ttf";
constexpr const char* kSimheiBackup = "C:\\work\\Backup\\simhei.ttf";
constexpr int kArialItem = 0;  // catalogue order is the listing order
constexpr int kSimheiItem = 1;

// A window of the test's own whose button notes the main window's busy reason, for a
// click that arrives where a run or a restore lets events run.
std::vector<std::string> busyReasonsSeen;
void NoteBusyReason() {
    busyReasonsSeen.push_back(headless::BusyReason(MainForm()));
}
const ui::ControlSpec kNoteButton[] = {{.kind = ui::Kind::Button,
                                        .name = "note",
                                        .width = 10,
                                        .height = 10,
                                        .onClick = NoteBusyReason}};
const ui::Form kNoteForm = {
    .className = "NoteBusyReason", .controls = kNoteButton, .controlCount = 1};

class RunTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        WriteFont(kArial, u"Arial");
        WriteFont(kSimhei, u"SimHei");
        WriteFont("C:\\new\\n.ttf", u"New");
        WriteFont("C:\\new\\r1.ttf", u"First");
        WriteFont("C:\\new\\r2.ttf", u"Second");
        WriteFont("C:\\other\\n.ttf", u"Other");
        MakeFolder("C:\\work\\Backup");
        LoadMainWindow();
        arial_ = Read(kArial);
        simhei_ = Read(kSimhei);
    }
    // Delete and replace work on files only: nothing stays registered, nothing is announced.
    void ExpectNoFontManagerChange() {
        EXPECT_EQ(standin::FontManager().live, 0);
        EXPECT_EQ(standin::FontManager().broadcasts, 0);
    }
    std::vector<unsigned char> arial_, simhei_;
};

TEST_F(RunTest, AddRowsReportEachOutcome) {
    Write("C:\\new\\junk.ttf", std::vector<unsigned char>{'n', 'o', 't', ' ', 'a', ' ', 'f'});
    WriteFont("C:\\new\\gone.ttf", u"Gone");
    InTaskWindow([this] {
        BrowseAndAdd("C:\\new\\n.ttf");
        BrowseAndAdd("C:\\new\\gone.ttf");
        BrowseAndAdd("C:\\new\\junk.ttf");
    });
    TaskList::AppendTaskRow("unrecorded.ttf", "添加字体", "");
    Remove("C:\\new\\gone.ttf");
    RunTasks();
    EXPECT_EQ(Result(0), "添加成功");
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\n.ttf"), Read("C:\\new\\n.ttf"));
    EXPECT_EQ(Result(1), "字体不存在");
    EXPECT_EQ(Result(2), "添加失败");
    EXPECT_EQ(Result(3), "字体不存在");
    EXPECT_EQ(standin::FontManager().broadcasts, 1);
    EXPECT_TRUE(Listing("C:\\work\\Backup").empty());  // adds write no backup

    RunTasks();  // the file is in the fonts folder now
    EXPECT_EQ(Result(0), "添加失败");
}

TEST_F(RunTest, DeleteRowsBackUpThenDelete) {
    InTaskWindow([this] {
        ChooseAndDelete(kArialItem);  // the padded name: "arial.ttf      "
        ChooseAndDelete(kArialItem);
        ChooseAndDelete(kSimheiItem);
    });
    TaskList::AppendTaskRow("missing.ttf", "删除字体", "");
    standin::HoldFile(kSimhei, true);  // in use: it can be copied, not deleted
    RunTasks();

    EXPECT_EQ(Result(0), "删除成功");
    EXPECT_FALSE(Exists(kArial));
    EXPECT_EQ(Read(kArialBackup), arial_);
    EXPECT_EQ(Result(1), "字体不存在");  // the identical second row finds it gone
    EXPECT_EQ(Result(2), "删除失败");
    EXPECT_EQ(Read(kSimhei), simhei_);
    EXPECT_EQ(Read(kSimheiBackup), simhei_);
    EXPECT_EQ(Result(3), "字体不存在");
    // The backups carry the file names without the padding.
    EXPECT_EQ(Listing("C:\\work\\Backup"), (std::vector<std::string>{"arial.ttf", "simhei.ttf"}));
    ExpectNoFontManagerChange();

    standin::ReleaseHeldFiles();
    RunTasks();
    EXPECT_EQ(Result(0), "字体不存在");
    EXPECT_EQ(Result(2), "删除成功");
    EXPECT_EQ(Read(kArialBackup), arial_);
}

TEST_F(RunTest, ReplaceRowsReportEachOutcomeAndNeverLoseTheFont) {
    WriteFont("C:\\WINDOWS\\Fonts\\third.ttf", u"Third");
    WriteFont("C:\\WINDOWS\\Fonts\\fourth.ttf", u"Fourth");
    const auto third = Read("C:\\WINDOWS\\Fonts\\third.ttf");
    const auto fourth = Read("C:\\WINDOWS\\Fonts\\fourth.ttf");
    ASSERT_TRUE(headless::Click(main_, kRunTasksButton));  // catalogue: arial fourth simhei third
    WriteFont("C:\\new\\soon-gone.ttf", u"Gone");
    InTaskWindow([this] {
        BrowseAndReplace(0, "C:\\new\\r1.ttf");         // arial: replaced
        BrowseAndReplace(2, "C:\\new\\r2.ttf");         // simhei: held, cannot be deleted
        BrowseAndReplace(3, "C:\\new\\soon-gone.ttf");  // third: its replacement goes missing
    });
    TaskList::AppendTaskRow("fourth.ttf", "替换字体", "unrecorded.ttf");
    TaskList::AppendTaskRow("missing.ttf", "替换字体", "r1.ttf");
    Remove("C:\\new\\soon-gone.ttf");
    standin::HoldFile(kSimhei, true);
    RunTasks();

    EXPECT_EQ(Row(0),
              (std::vector<std::string>{"arial.ttf      ", "替换字体", "r1.ttf", "替换成功"}));
    EXPECT_EQ(Read(kArial), Read("C:\\new\\r1.ttf"));
    EXPECT_EQ(Read(kArialBackup), arial_);
    EXPECT_EQ(Result(1), "");  // not deleted: left as it was, with its backup
    EXPECT_EQ(Read(kSimhei), simhei_);
    EXPECT_EQ(Read(kSimheiBackup), simhei_);
    // When the replacement cannot be copied in, the font is never touched.
    EXPECT_EQ(Result(2), "替换失败");
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\third.ttf"), third);
    EXPECT_EQ(Read("C:\\work\\Backup\\third.ttf"), third);
    EXPECT_EQ(Result(3), "替换失败");
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\fourth.ttf"), fourth);
    EXPECT_EQ(Result(4), "字体不存在");
    ExpectNoFontManagerChange();
}

TEST_F(RunTest, WithoutABackupFolderNoDeleteOrReplaceTouchesTheFontsFolder) {
    Remove("C:\\work\\Backup");
    InTaskWindow([this] {
        ChooseAndDelete(kArialItem);
        BrowseAndReplace(kSimheiItem, "C:\\new\\r1.ttf");
    });
    RunTasks();
    EXPECT_EQ(Result(0), "");
    EXPECT_EQ(Result(1), "");
    EXPECT_EQ(Read(kArial), arial_);
    EXPECT_EQ(Read(kSimhei), simhei_);
    EXPECT_FALSE(Exists("C:\\work\\Backup"));
}

// A second replace of the same font would otherwise overwrite the only copy of the
// original with the first replacement.
TEST_F(RunTest, BackupsKeepEveryDifferentOlderCopy) {
    InTaskWindow([this] { BrowseAndReplace(kArialItem, "C:\\new\\r1.ttf"); });
    RunTasks();
    RunTasks();  // backs up r1's copy: the original moves aside
    EXPECT_EQ(Result(0), "替换成功");
    EXPECT_EQ(Read(kArialBackup), Read("C:\\new\\r1.ttf"));
    EXPECT_EQ(Read("C:\\work\\Backup\\arial.ttf.1.bak"), arial_);

    InTaskWindow([this] { BrowseAndReplace(kArialItem, "C:\\new\\r2.ttf"); });
    RunTasks();  // the first row copies r1 over r1's copy; the new row replaces it with r2
    EXPECT_EQ(Result(1), "替换成功");
    EXPECT_EQ(Read(kArial), Read("C:\\new\\r2.ttf"));
    EXPECT_EQ(Listing("C:\\work\\Backup"),
              (std::vector<std::string>{"arial.ttf", "arial.ttf.1.bak"}));

    EXPECT_EQ(Read(kArialBackup), Read("C:\\new\\r1.ttf"));

    // Each row now finds a different backup before it: both are kept, at the next numbers.
    RunTasks();
    EXPECT_EQ(Read("C:\\work\\Backup\\arial.ttf.1.bak"), arial_);
    EXPECT_EQ(Read("C:\\work\\Backup\\arial.ttf.2.bak"), Read("C:\\new\\r1.ttf"));
    EXPECT_EQ(Read("C:\\work\\Backup\\arial.ttf.3.bak"), Read("C:\\new\\r2.ttf"));
    EXPECT_EQ(Read(kArialBackup), Read("C:\\new\\r1.ttf"));
    EXPECT_EQ(Read(kArial), Read("C:\\new\\r2.ttf"));

    // The restore brings back the newest backup and leaves the kept copies alone.
    ASSERT_TRUE(headless::Click(main_, kRestoreButton));
    EXPECT_EQ(Read(kArial), Read("C:\\new\\r1.ttf"));
    EXPECT_EQ(Listing("C:\\work\\Backup").size(), 4u);
}

TEST_F(RunTest, AnIdenticalBackupIsOverwrittenWithoutAnExtraCopy) {
    InTaskWindow([this] { ChooseAndDelete(kArialItem); });
    RunTasks();
    ASSERT_TRUE(headless::Click(main_, kRestoreButton));
    RunTasks();
    EXPECT_EQ(Result(0), "删除成功");
    EXPECT_EQ(Listing("C:\\work\\Backup"), (std::vector<std::string>{"arial.ttf"}));
}

// Whether the older backup must be kept is unknown while either file cannot be read, so
// nothing is copied at all: neither a kept copy nor the new backup.
TEST_F(RunTest, ABackupThatCannotBeComparedStopsTheTaskBeforeAnythingIsCopied) {
    Write(kArialBackup, Font(u"Older"));
    const auto older = Read(kArialBackup);
    InTaskWindow([this] { ChooseAndDelete(kArialItem); });
    for (const char* unreadable : {kArialBackup, kArial}) {
        standin::HoldFile(unreadable, false);
        RunTasks();
        standin::ReleaseHeldFiles();
        EXPECT_EQ(Result(0), "") << unreadable;
        EXPECT_EQ(Read(kArial), arial_);
        EXPECT_EQ(Listing("C:\\work\\Backup"), (std::vector<std::string>{"arial.ttf"}));
        EXPECT_EQ(Read(kArialBackup), older);
    }
}

// A copy takes its source's attributes, and Windows neither overwrites a read-only or
// hidden file nor deletes a read-only one: backups are made plain, or the second backup
// of the name would fail and every later run would add another kept copy.
TEST_F(RunTest, BackupsOfAReadOnlyHiddenSystemFontArePlainFiles) {
    constexpr unsigned kProtected = platform::kReadOnly | platform::kHidden | platform::kSystem;
    ASSERT_TRUE(platform::SetFileAttributeBits(kArial, kProtected));
    auto attributesOf = [](const char* path) {
        unsigned attributes = 99;
        EXPECT_TRUE(platform::FileAttributeBits(path, &attributes)) << path;
        return attributes;
    };
    InTaskWindow([this] { ChooseAndDelete(kArialItem); });
    RunTasks();
    EXPECT_EQ(Result(0), "删除失败");
    EXPECT_EQ(attributesOf(kArialBackup), 0u);

    // An update changes the font; the next backup keeps the first one aside.
    ASSERT_TRUE(platform::SetFileAttributeBits(kArial, 0));
    WriteFont(kArial, u"Arial Updated");
    const auto updated = Read(kArial);
    ASSERT_TRUE(platform::SetFileAttributeBits(kArial, kProtected));
    RunTasks();
    RunTasks();
    EXPECT_EQ(Listing("C:\\work\\Backup"),
              (std::vector<std::string>{"arial.ttf", "arial.ttf.1.bak"}));
    EXPECT_EQ(Read(kArialBackup), updated);
    EXPECT_EQ(Read("C:\\work\\Backup\\arial.ttf.1.bak"), arial_);
    EXPECT_EQ(attributesOf("C:\\work\\Backup\\arial.ttf.1.bak"), 0u);

    // Once the font is gone, the restore brings the newest copy back.
    ASSERT_TRUE(platform::SetFileAttributeBits(kArial, 0));
    Remove(kArial);
    ASSERT_TRUE(headless::Click(main_, kRestoreButton));
    EXPECT_EQ(Read(kArial), updated);
}

TEST_F(RunTest, OnlyTheThreeTaskTextsRunAndAFailingRowStopsNothing) {
    for (const char* text : {"删除字体 ", "删除", "", "DELETE"}) {
        TaskList::AppendTaskRow("arial.ttf", text, "");
        TaskList::SetResult(TaskList::RowCount() - 1, "旧");
    }
    TaskList::AppendTaskRow("missing.ttf", "删除字体", "");
    TaskList::AppendTaskRow("simhei.ttf", "删除字体", "");
    RunTasks();
    for (int row = 0; row < 4; ++row) EXPECT_EQ(Result(row), "旧") << row;
    EXPECT_EQ(Read(kArial), arial_);
    EXPECT_EQ(Result(4), "字体不存在");
    EXPECT_EQ(Result(5), "删除成功");
}

TEST_F(RunTest, TwoFilesOfOneNameResolveToTheOneQueuedFirst) {
    InTaskWindow([this] {
        BrowseAndAdd("C:\\new\\n.ttf");
        BrowseAndReplace(kArialItem, "C:\\other\\n.ttf");  // refused: another n.ttf is queued
        BrowseAndReplace(kSimheiItem, "C:\\new\\n.ttf");
    });
    ASSERT_EQ(TaskList::RowCount(), 2);
    RunTasks();
    EXPECT_EQ(Result(0), "添加成功");
    EXPECT_EQ(Result(1), "替换成功");
    EXPECT_EQ(Read(kSimhei), Read("C:\\new\\n.ttf"));
    EXPECT_EQ(Read(kArial), arial_);
}

TEST_F(RunTest, AnEmptyRunTogglesTheButtonsAndRebuildsTheCatalogue) {
    ASSERT_EQ(InstalledFontList().size(), 2u);
    WriteFont("C:\\WINDOWS\\Fonts\\later.ttf", u"Later");
    RunTasks();
    EXPECT_EQ(TaskList::RowCount(), 0);
    ASSERT_EQ(InstalledFontList().size(), 3u);
    EXPECT_EQ(InstalledFontList()[1].faceName, "Later");
    EXPECT_FALSE(headless::State(main_, kAddTaskButton).disabled);
    EXPECT_FALSE(headless::State(main_, kRestoreButton).disabled);
    EXPECT_FALSE(headless::State(main_, kRunTasksButton).disabled);
    EXPECT_TRUE(headless::State(main_, kDeleteTaskButton).disabled);
}

// Clicks made during a run arrive when the closing catalogue walk lets events run. A run
// started there would run the rows a second time inside the first run.
// The results come into view row by row, but no click made during the run is handled
// before the closing walk: a restore between the rows would bring arial back for row 1.
TEST_F(RunTest, RowsComeIntoViewInOrderAndAClickOnRunDuringARunIsIgnored) {
    InTaskWindow([this] {
        ChooseAndDelete(kArialItem);
        ChooseAndDelete(kArialItem);
        ChooseAndDelete(kSimheiItem);
    });
    headless::QueueClick(main_, kRunTasksButton);
    // The restore button is enabled again before the walk, so its click does arrive.
    headless::QueueClick(main_, kRestoreButton);
    RunTasks();
    headless::ControlState list = headless::State(main_, kTaskList);
    EXPECT_EQ(list.rowsScrolledTo, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list.repaints, 3);
    EXPECT_EQ(Result(0), "删除成功");
    EXPECT_EQ(Result(1), "字体不存在");
    EXPECT_EQ(InstalledFontList().size(), 2u);  // restored during the walk, listed once
    EXPECT_EQ(Read(kArial), arial_);
    EXPECT_EQ(Read(kSimhei), simhei_);
    EXPECT_FALSE(headless::State(main_, kRunTasksButton).disabled);
}

// A log-off or shut-down reaches the program only where it lets events run. Wherever a
// run or a restore does, the main window holds the session up, saying why; once either is
// over, it no longer does.
TEST_F(RunTest, ARunAndARestoreHoldUpALogOffWhileTheyWork) {
    busyReasonsSeen.clear();
    ASSERT_TRUE(ui::LoadWindow(kNoteForm, false));
    headless::QueueClick(kNoteForm, "note");
    RunTasks();
    EXPECT_EQ(headless::BusyReason(main_), "");
    headless::QueueClick(kNoteForm, "note");
    ASSERT_TRUE(headless::Click(main_, kRestoreButton));
    EXPECT_EQ(busyReasonsSeen, (std::vector<std::string>{"正在执行字体任务", "正在执行字体任务"}));
    EXPECT_EQ(headless::BusyReason(main_), "");
}

}  // namespace
