// The task window: how it opens, the catalogue labels with their padding, the page
// buttons, browsing, and which tasks each OK button queues or silently refuses.
#include "app/main_window.h"
#include "platform/files.h"
#include "tasks/task_window.h"
#include "tests/unit/app_program_fixture.h"

namespace {

using namespace forms::main_window;
using namespace forms::task_window;

// Listed by the stand-in in byte order: the long name, the 15-byte one, arial, 宋体.
constexpr const char* kLongName = "a_much_longer_name.ttf";
constexpr const char* kFifteen = "abcdefghijk.ttf";
constexpr const char* kArial = "arial.ttf";
constexpr const char* kSongti = "宋体.ttf";  // 8 bytes in code page 936

class TaskWindowTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        WriteFont(std::string("C:\\WINDOWS\\Fonts\\") + kLongName, u"Long");
        WriteFont(std::string("C:\\WINDOWS\\Fonts\\") + kFifteen, u"Fifteen");
        WriteFont(std::string("C:\\WINDOWS\\Fonts\\") + kArial, u"Arial");
        WriteFont(std::string("C:\\WINDOWS\\Fonts\\") + kSongti, u"宋体");
        WriteFont("C:\\new\\n.ttf", u"New");
        WriteFont("C:\\other\\n.ttf", u"Other");
        LoadMainWindow();
    }
    std::string Edit(const char* name) { return ui::Text({task_.className, name}); }
};

TEST_F(TaskWindowTest, OpeningFillsBothChoosersWithPaddedLabelsAndChoosesTheFirst) {
    InTaskWindow([this] {
        EXPECT_EQ(headless::WindowHeight(task_), 220);
        // The frame and the container keep the form's replace heights until a page is chosen.
        EXPECT_EQ(headless::State(task_, kPages).height, 145);
        EXPECT_EQ(headless::State(task_, kPageFrame).height, 168);
        EXPECT_EQ(headless::CurrentPage(task_, kPages), 0);
        const std::vector<std::string> labels = {"a_much_longer_name.ttf[Long]",
                                                 "abcdefghijk.ttf[Fifteen]",
                                                 "arial.ttf      [Arial]", "宋体.ttf       [宋体]"};
        EXPECT_EQ(headless::Items(task_, kDeleteFontChooser), labels);
        EXPECT_EQ(headless::Items(task_, kReplacedFontChooser), labels);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(ui::ItemData({task_.className, kDeleteFontChooser}, i), i + 1);
            EXPECT_EQ(ui::ItemData({task_.className, kReplacedFontChooser}, i), i + 1);
        }
        EXPECT_EQ(ui::CurrentIndex({task_.className, kDeleteFontChooser}), 0);
        EXPECT_EQ(ui::CurrentIndex({task_.className, kReplacedFontChooser}), 0);
    });
    // The padding is done on the catalogue itself, once, and stays until a rebuild.
    EXPECT_EQ(InstalledFontList()[2].fileName, "arial.ttf      ");
    EXPECT_EQ(InstalledFontList()[3].fileName, "宋体.ttf       ");
    EXPECT_EQ(InstalledFontList()[0].fileName, kLongName);
    InTaskWindow([this] {
        EXPECT_EQ(headless::Items(task_, kDeleteFontChooser)[2], "arial.ttf      [Arial]");
        ChooseAndDelete(2);
        ChooseAndDelete(3);
    });
    EXPECT_EQ(TaskList::CellText(0, 0), "arial.ttf      ");
    EXPECT_EQ(TaskList::CellText(1, 0), "宋体.ttf       ");
    RunTasks();  // no backup folder: nothing happens to the files, but the catalogue is rebuilt
    EXPECT_EQ(InstalledFontList()[2].fileName, kArial);
}

TEST_F(TaskWindowTest, WhileOpenTheMainWindowTakesNoInputAndReopeningOnlyBringsItForward) {
    InTaskWindow([this] {
        EXPECT_FALSE(headless::WindowEnabled(main_));
        EXPECT_FALSE(headless::Click(main_, kRunTasksButton));
        EXPECT_EQ(headless::FrontWindow(), &task_);
        ASSERT_TRUE(headless::Click(task_, kReplacePageRadio));
        OpenTaskWindow();  // already loaded: nothing is created again
        EXPECT_EQ(headless::Items(task_, kDeleteFontChooser).size(), 4u);
        EXPECT_TRUE(ui::Checked({task_.className, kReplacePageRadio}));
    });
    EXPECT_TRUE(headless::WindowEnabled(main_));
}

TEST_F(TaskWindowTest, PageButtonsSetCaptionPageAndHeights) {
    struct Expected {
        const char* radio;
        const char* caption;
        int page, tab, frame, window;
        const char* shownControl;
    };
    const Expected pages[] = {
        {kReplacePageRadio, "替换字体", 2, 145, 168, 260, kReplacedFontChooser},
        {kDeletePageRadio, "删除字体", 1, 110, 130, 220, kDeleteFontChooser},
        {kAddPageRadio, "添加字体", 0, 110, 130, 220, kAddPathBox},
    };
    InTaskWindow([&] {
        for (const Expected& e : pages) {
            SCOPED_TRACE(e.radio);
            ASSERT_TRUE(headless::Click(task_, e.radio));
            EXPECT_EQ(headless::State(task_, kPageFrame).caption, e.caption);
            EXPECT_EQ(headless::CurrentPage(task_, kPages), e.page);
            EXPECT_EQ(headless::State(task_, kPages).height, e.tab);
            EXPECT_EQ(headless::State(task_, kPageFrame).height, e.frame);
            EXPECT_EQ(headless::WindowHeight(task_), e.window);
            EXPECT_TRUE(headless::State(task_, e.shownControl).shown);
        }
        // A page handler whose own radio button is off does nothing.
        ShowReplacePage();
        EXPECT_EQ(headless::WindowHeight(task_), 220);
        EXPECT_EQ(headless::CurrentPage(task_, kPages), 0);
    });
}

TEST_F(TaskWindowTest, BrowsingFillsTheEditBoxOnlyWithAConfirmedNonEmptyPath) {
    InTaskWindow([this] {
        headless::AnswerFileDialog("C:\\new\\n.ttf");
        ASSERT_TRUE(headless::Click(task_, kAddBrowseButton));
        EXPECT_EQ(headless::LastDialogTitle(), "选择添加的字体文件");
        EXPECT_EQ(Edit(kAddPathBox), "C:\\new\\n.ttf");
        headless::CancelFileDialog();
        ASSERT_TRUE(headless::Click(task_, kAddBrowseButton));
        headless::AnswerFileDialog("");
        ASSERT_TRUE(headless::Click(task_, kAddBrowseButton));
        EXPECT_EQ(Edit(kAddPathBox), "C:\\new\\n.ttf");

        ASSERT_TRUE(headless::Click(task_, kReplacePageRadio));
        headless::AnswerFileDialog("C:\\other\\n.ttf");
        ASSERT_TRUE(headless::Click(task_, kReplaceBrowseButton));
        EXPECT_EQ(headless::LastDialogTitle(), "选择要替换的新字体文件");
        EXPECT_EQ(Edit(kReplacementPathBox), "C:\\other\\n.ttf");
        EXPECT_EQ(Edit(kAddPathBox), "C:\\new\\n.ttf");
    });
    EXPECT_EQ(headless::DialogsShown(), 4);
}

TEST_F(TaskWindowTest, AddQueuesEachFileNameOnceAndAlwaysEmptiesTheEditBox) {
    InTaskWindow([this] {
        BrowseAndAdd("C:\\new\\n.ttf");
        EXPECT_EQ(Edit(kAddPathBox), "");
        BrowseAndAdd("C:\\other\\n.ttf");  // same name, another folder: refused
        EXPECT_EQ(Edit(kAddPathBox), "");
        BrowseAndAdd("C:\\other\\N.ttf");  // the case differs: another name
        // An empty edit box queues an empty add, and may do so again.
        ASSERT_TRUE(headless::Click(task_, kAddOkButton));
        ASSERT_TRUE(headless::Click(task_, kAddOkButton));
    });
    ASSERT_EQ(TaskList::RowCount(), 4);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"n.ttf", "添加字体", "", ""}));
    EXPECT_EQ(Row(1), (std::vector<std::string>{"N.ttf", "添加字体", "", ""}));
    EXPECT_EQ(Row(2), (std::vector<std::string>{"", "添加字体", "", ""}));
    ASSERT_EQ(TaskFileList().size(), 4u);
    EXPECT_EQ(TaskFileList()[0].sourcePath, "C:\\new\\n.ttf");
    EXPECT_EQ(TaskFileList()[3].fileName, "");
    EXPECT_EQ(TaskFileList()[3].sourcePath, "");
    RunTasks();
    EXPECT_EQ(Result(2), "字体不存在");
}

TEST_F(TaskWindowTest, DeleteQueuesTheChosenEntryAsOftenAsAsked) {
    InTaskWindow([this] {
        ChooseAndDelete(1);
        ASSERT_TRUE(headless::Click(task_, kDeleteOkButton));
        ChooseAndDelete(0);
    });
    ASSERT_EQ(TaskList::RowCount(), 3);
    EXPECT_EQ(Row(0), (std::vector<std::string>{kFifteen, "删除字体", "", ""}));
    EXPECT_EQ(Row(1), Row(0));
    EXPECT_EQ(Row(2), (std::vector<std::string>{kLongName, "删除字体", "", ""}));
    EXPECT_TRUE(TaskFileList().empty());
}

TEST_F(TaskWindowTest, AChoiceIsFollowedOnlyThroughTheCataloguePositionItCarries) {
    InTaskWindow([this] {
        ui::Ctl deleteChooser{task_.className, kDeleteFontChooser};
        ui::Ctl replaceChooser{task_.className, kReplacedFontChooser};
        ui::AddItem(deleteChooser, "arial.ttf      [Arial]", 0);
        ui::AddItem(deleteChooser, "outside", 5);
        ui::AddItem(deleteChooser, "first again", 1);
        ChooseAndDelete(4);  // data 0: no entry
        ChooseAndDelete(5);  // data 5: past the four entries
        ChooseAndDelete(6);  // data 1: the first entry, whatever the text says
        ui::SetCurrentIndex(deleteChooser, -1);
        ASSERT_TRUE(headless::Click(task_, kDeleteOkButton));
        ui::AddItem(replaceChooser, "outside", 9);
        BrowseAndReplace(4, "C:\\new\\r.ttf");
        ui::SetCurrentIndex(replaceChooser, -1);
        ASSERT_TRUE(headless::Click(task_, kReplaceOkButton));
    });
    ASSERT_EQ(TaskList::RowCount(), 1);
    EXPECT_EQ(TaskList::CellText(0, 0), kLongName);
    EXPECT_TRUE(TaskFileList().empty());
}

TEST_F(TaskWindowTest, AnEmptyCatalogueOffersNothingAndQueuesNothing) {
    ReleaseInstalledFontList();
    InTaskWindow([this] {
        EXPECT_TRUE(headless::Items(task_, kDeleteFontChooser).empty());
        EXPECT_EQ(ui::CurrentIndex({task_.className, kDeleteFontChooser}), -1);
        EXPECT_EQ(ui::CurrentIndex({task_.className, kReplacedFontChooser}), -1);
        ASSERT_TRUE(headless::Click(task_, kDeletePageRadio));
        ASSERT_TRUE(headless::Click(task_, kDeleteOkButton));
        ASSERT_TRUE(headless::Click(task_, kReplacePageRadio));
        headless::AnswerFileDialog("C:\\new\\n.ttf");
        ASSERT_TRUE(headless::Click(task_, kReplaceBrowseButton));
        ASSERT_TRUE(headless::Click(task_, kReplaceOkButton));
    });
    EXPECT_EQ(TaskList::RowCount(), 0);
    EXPECT_TRUE(TaskFileList().empty());
}

TEST_F(TaskWindowTest, ReplaceShowsOnlyTheFileNameAndNeedsAPath) {
    InTaskWindow([this] {
        ASSERT_TRUE(headless::Click(task_, kReplacePageRadio));
        ASSERT_TRUE(headless::Click(task_, kReplaceOkButton));  // empty path: refused
        BrowseAndReplace(2, "C:\\new\\n.ttf");
        EXPECT_EQ(Edit(kReplacementPathBox), "C:\\new\\n.ttf");
    });
    ASSERT_EQ(TaskList::RowCount(), 1);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"arial.ttf      ", "替换字体", "n.ttf", ""}));
    ASSERT_EQ(TaskFileList().size(), 1u);
    EXPECT_EQ(TaskFileList()[0].fileName, "n.ttf");
    EXPECT_EQ(TaskFileList()[0].sourcePath, "C:\\new\\n.ttf");
}

// The run finds a replacement by its file name: a second file of the same name from
// another folder would be replaced by the first one's contents without a word.
TEST_F(TaskWindowTest, AReplacementNamedLikeAnotherQueuedFileIsRefused) {
    InTaskWindow([this] {
        BrowseAndAdd("C:\\new\\n.ttf");
        BrowseAndReplace(0, "C:\\other\\n.ttf");  // refused: n.ttf is C:\new\n.ttf
        BrowseAndReplace(1, "C:\\new\\n.ttf");    // the same file again: accepted
        BrowseAndReplace(2, "C:\\new\\n.ttf");
        BrowseAndReplace(3, "C:\\other\\N.ttf");  // a new name: accepted
        BrowseAndAdd("C:\\other\\N.ttf");         // add's own duplicate test
    });
    ASSERT_EQ(TaskList::RowCount(), 4);
    EXPECT_EQ(TaskList::CellText(1, 0), kFifteen);
    EXPECT_EQ(TaskList::CellText(2, 0), "arial.ttf      ");
    EXPECT_EQ(TaskList::CellText(3, 2), "N.ttf");
    ASSERT_EQ(TaskFileList().size(), 4u);
    for (const TaskFile& file : TaskFileList()) {
        EXPECT_NE(file.sourcePath, "C:\\other\\n.ttf");
    }
}

TEST_F(TaskWindowTest, CancelEscapeAndTheCloseBoxCloseAndTheNextOpeningStartsAfresh) {
    const std::pair<const char*, const char*> cancels[] = {
        {kAddPageRadio, kAddCancelButton},
        {kDeletePageRadio, kDeleteCancelButton},
        {kReplacePageRadio, kReplaceCancelButton}};
    for (const auto& [radio, cancel] : cancels) {
        SCOPED_TRACE(cancel);
        headless::Script({
            [&, radio = radio, cancel = cancel] {
                headless::AnswerFileDialog("C:\\new\\n.ttf");
                ASSERT_TRUE(headless::Click(task_, kAddBrowseButton));
                ASSERT_TRUE(headless::Click(task_, radio));
                ASSERT_TRUE(headless::Click(task_, cancel));
            },
            [] { ADD_FAILURE() << "the task window should have closed"; },
        });
        ASSERT_TRUE(headless::Click(main_, kAddTaskButton));
        // The cancel ended the task window's loop: the next step was never needed.
        EXPECT_EQ(headless::StepsLeft(), 1u);
        headless::Reset();
        LoadMainWindow();
    }
    InTaskWindow([this] { EXPECT_TRUE(headless::PressEscape(task_)); });
    InTaskWindow([this] {
        EXPECT_TRUE(ui::Checked({task_.className, kAddPageRadio}));
        EXPECT_EQ(headless::CurrentPage(task_, kPages), 0);
        EXPECT_EQ(Edit(kAddPathBox), "");
        EXPECT_EQ(headless::State(task_, kPageFrame).caption, "添加字体");
    });
    EXPECT_EQ(TaskList::RowCount(), 0);
}

}  // namespace

// Files and folders dragged onto the main window queue what the add page would: font
// files by their dialog's patterns, a folder's own font files (not its subfolders'), each
// name once, in the drop's order; nothing while a run is at work, or while the task
// window is open and the main window disabled.
TEST_F(TaskWindowTest, FontFilesDroppedOnTheMainWindowQueueAddTasks) {
    MakeFolder("C:\\work\\Backup");
    WriteFont("C:\\pack\\b.otf", u"B");
    WriteFont("C:\\pack\\a.TTC", u"A");
    Write("C:\\pack\\readme.txt", {1, 2, 3});
    WriteFont("C:\\pack\\sub\\deep.ttf", u"Deep");
    WriteFont("C:\\dl\\单个.TTF", u"One");
    InTaskWindow([this] {
        BrowseAndAdd("C:\\other\\n.ttf");
        EXPECT_FALSE(headless::DropFiles(main_, {"C:\\new\\n.ttf"}));
    });
    ASSERT_TRUE(
        headless::DropFiles(main_, {"C:\\dl\\单个.TTF", "C:\\pack\\readme.txt", "C:\\pack",
                                    "C:\\new\\n.ttf", "C:\\missing.ttf", "C:\\dl\\单个.TTF"}));
    std::vector<std::string> queued;
    for (int row = 0; row < TaskList::RowCount(); ++row)
        queued.push_back(Row(row)[0] + "|" + Row(row)[1] + "|" + Row(row)[2]);
    EXPECT_EQ(queued, (std::vector<std::string>{"n.ttf|添加字体|", "单个.TTF|添加字体|",
                                                "a.TTC|添加字体|", "b.otf|添加字体|"}));
    EXPECT_EQ(FindTaskFile("单个.TTF").sourcePath, "C:\\dl\\单个.TTF");
    EXPECT_EQ(FindTaskFile("a.TTC").sourcePath, "C:\\pack\\a.TTC");
    EXPECT_EQ(FindTaskFile("n.ttf").sourcePath, "C:\\other\\n.ttf");
    EXPECT_EQ(TaskFileList().size(), 4u);

    // A drop that arrives where a run lets events run queues nothing.
    WriteFont("C:\\late\\late.ttf", u"Late");
    bool dropped = false;
    standin::ObserveFileCalls([&](const standin::FileCall&) {
        if (dropped) return;
        dropped = true;
        EXPECT_TRUE(headless::DropFiles(main_, {"C:\\late\\late.ttf"}));
    });
    RunTasks();
    standin::ObserveFileCalls(nullptr);
    EXPECT_EQ(TaskList::RowCount(), 4);
    EXPECT_TRUE(headless::DropFiles(main_, {"C:\\late\\late.ttf"}));
    EXPECT_EQ(TaskList::RowCount(), 5);
}

// On the task window the first font file of a drop goes into the shown page's path box.
TEST_F(TaskWindowTest, AFontFileDroppedOnTheTaskWindowFillsTheShownPagesPathBox) {
    InTaskWindow([this] {
        ASSERT_TRUE(headless::DropFiles(task_, {"C:\\other", "C:\\new\\n.ttf"}));
        EXPECT_EQ(Edit(kAddPathBox), "C:\\other\\n.ttf");
        ASSERT_TRUE(headless::Click(task_, kReplacePageRadio));
        ASSERT_TRUE(headless::DropFiles(task_, {"C:\\new\\n.ttf"}));
        EXPECT_EQ(Edit(kReplacementPathBox), "C:\\new\\n.ttf");
        ASSERT_TRUE(headless::Click(task_, kDeletePageRadio));
        ASSERT_TRUE(headless::DropFiles(task_, {"C:\\other\\n.ttf"}));
        EXPECT_EQ(Edit(kAddPathBox), "C:\\other\\n.ttf");
        EXPECT_EQ(Edit(kReplacementPathBox), "C:\\new\\n.ttf");
        // The path box takes the file; 确 定 queues it as a browsed one.
        ASSERT_TRUE(headless::Click(task_, kAddPageRadio));
        ASSERT_TRUE(headless::Click(task_, kAddOkButton));
    });
    EXPECT_EQ(FindTaskFile("n.ttf").sourcePath, "C:\\other\\n.ttf");
    EXPECT_EQ(TaskList::RowCount(), 1);
}
