// Start-up and shutdown: the lists exist before the main window, the window is set up
// when created, and closing it ends the program once, with code 0, touching no file.
#include "app/startup.h"
#include "platform/process.h"

#include "tests/unit/app_program_fixture.h"

namespace {

using namespace forms::main_window;
using namespace forms::task_window;

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, TheMainWindowStartsOnFreshListsWithItsTitleAndCatalogue) {
    WriteFont("C:\\WINDOWS\\Fonts\\a.ttf", u"Alpha");
    WriteFont("C:\\WINDOWS\\Fonts\\b.ttf", u"Beta");
    Write("C:\\WINDOWS\\Fonts\\c.otf", Font(u"Gamma"));
    // Left over from an earlier life of the lists: start-up must not build on it.
    InstalledFontList().push_back({"stale.ttf", "Stale", "C:\\stale.ttf"});
    AppendTaskFile({"stale.ttf", "C:\\stale.ttf"});

    headless::Script({[this] {
        EXPECT_EQ(headless::WindowTitle(main_), kMainWindowTitle);
        ASSERT_EQ(InstalledFontList().size(), 2u);
        EXPECT_EQ(InstalledFontList()[0].faceName, "Alpha");
        EXPECT_EQ(InstalledFontList()[1].fullPath, "C:\\WINDOWS\\Fonts\\b.ttf");
        EXPECT_TRUE(TaskFileList().empty());
        EXPECT_TRUE(headless::State(main_, kDeleteTaskButton).disabled);
        EXPECT_FALSE(headless::State(main_, kAddTaskButton).disabled);
        EXPECT_FALSE(headless::State(main_, kStatusLabel).shown);
        EXPECT_EQ(TaskList::RowCount(), 0);
    }});
    StartProgram();
    EXPECT_TRUE(headless::ProgramEnded());
    EXPECT_EQ(headless::ExitCode(), 0);
}

TEST_F(StartupTest, ClosingWithQueuedTasksEndsAtOnceAndTouchesNoFile) {
    WriteFont("C:\\WINDOWS\\Fonts\\a.ttf", u"Alpha");
    WriteFont("C:\\WINDOWS\\Fonts\\b.ttf", u"Beta");
    WriteFont("C:\\new\\n.ttf", u"New");
    WriteFont("C:\\new\\r.ttf", u"Repl");
    MakeFolder("C:\\work\\Backup");
    const auto fontsBefore = Listing("C:\\WINDOWS\\Fonts");

    headless::Script({
        // Two empty runs rebuild the catalogue twice before any row is queued.
        [this] { RunTasks(); },
        [this] { RunTasks(); },
        [this] { ASSERT_TRUE(headless::Click(main_, kAddTaskButton)); },
        [this] { BrowseAndAdd("C:\\new\\n.ttf"); },
        [this] { ChooseAndDelete(0); },
        [this] { BrowseAndReplace(1, "C:\\new\\r.ttf"); },
        [this] { EXPECT_TRUE(headless::Click(task_, kReplaceCancelButton)); },
        [this] {
            // A queued row removed again still leaves its file recorded until exit.
            ASSERT_TRUE(headless::ClickList(main_, kTaskList, 0));
            ASSERT_TRUE(headless::Click(main_, kDeleteTaskButton));
            EXPECT_EQ(TaskList::RowCount(), 2);
            EXPECT_EQ(TaskFileList().size(), 2u);
            EXPECT_TRUE(headless::PressCloseBox(main_));
        },
        [] { ADD_FAILURE() << "the program should have ended"; },
    });
    StartProgram();

    EXPECT_TRUE(headless::ProgramEnded());
    EXPECT_EQ(headless::ExitCode(), 0);
    EXPECT_EQ(headless::CleanupRuns(), 1);
    EXPECT_TRUE(TaskFileList().empty());
    EXPECT_TRUE(InstalledFontList().empty());
    EXPECT_EQ(Listing("C:\\WINDOWS\\Fonts"), fontsBefore);
    EXPECT_TRUE(Listing("C:\\work\\Backup").empty());
    EXPECT_EQ(standin::FontManager().live, 0);
    EXPECT_EQ(standin::FontManager().broadcasts, 0);
}

}  // namespace
