// Composing tasks in the real program: add, delete and replace tasks queued through the
// task window with files from another folder picked in the system file dialog, the rows
// they leave, removing one of them, and font files dropped on both windows.
#include <string>

#include "e2e/driver/driver.h"
#include "e2e/driver/internal.h"
#include "e2e/driver/scenario.h"
#include "harness/check.h"

using scenario::FontsFolder;

TEST_CASE("compose_tasks.queue_every_kind_then_remove_a_row") {
    FontsFolder fonts;
    std::vector<unsigned char> shortFont = fonts.Put("ctShort.ttf", u"CT Compose Short");
    std::vector<unsigned char> longFont = fonts.Put("ctLongFileName01.ttf", u"CT Compose Long");
    std::vector<unsigned char> swapped = fonts.Put("ctSwapped.ttf", u"CT Compose Swapped");
    REQUIRE(!shortFont.empty() && !longFont.empty() && !swapped.empty());
    std::string folder = check::Scratch();
    REQUIRE(scenario::MakeFolder(folder + "\\Backup"));
    std::string incoming = folder + "\\incoming";
    REQUIRE(scenario::MakeFolder(incoming));
    REQUIRE(!scenario::WriteFont(incoming + "\\ctNew.ttf", u"CT Compose New").empty());
    REQUIRE(!scenario::WriteFont(incoming + "\\ctReplacement.ttf", u"CT Compose Swap").empty());

    e2e::Program program;
    scenario::MainWindow main;
    REQUIRE(scenario::Start(program, folder, &main));
    scenario::TaskWindow task;
    REQUIRE(scenario::OpenTaskWindow(main, &task));
    CHECK(!IsWindowEnabled(main.window));

    REQUIRE(scenario::QueueAdd(main, task, incoming + "\\ctNew.ttf"));
    REQUIRE(scenario::QueueDelete(main, task, "ctShort.ttf"));
    REQUIRE(scenario::QueueDelete(main, task, "ctLongFileName01.ttf"));
    REQUIRE(scenario::QueueReplace(main, task, "ctSwapped.ttf", incoming + "\\ctReplacement.ttf"));
    CHECK_EQ(e2e::OuterSize(task.window).cy, 260);
    CHECK_EQ(e2e::Inspect(task.lowerFrame).text, std::string("替换字体"));
    // The replace page keeps its path after queuing; only the row drops the folder.
    HWND replacePath = scenario::PageControl(task, "Edit", 12, 34);
    REQUIRE(replacePath != nullptr);
    CHECK_EQ(e2e::Inspect(replacePath).text, incoming + "\\ctReplacement.ttf");
    CHECK(!IsWindowEnabled(main.window));

    // Installed names shorter than 15 bytes come padded with spaces, as the choosers
    // show them; longer ones as they are.
    REQUIRE(e2e::ListRowCount(main.list) == 4);
    CHECK_EQ(scenario::RowText(main, 0), std::string("ctNew.ttf|添加字体||"));
    CHECK_EQ(scenario::RowText(main, 1), std::string("ctShort.ttf    |删除字体||"));
    CHECK_EQ(scenario::RowText(main, 2), std::string("ctLongFileName01.ttf|删除字体||"));
    CHECK_EQ(scenario::RowText(main, 3),
             std::string("ctSwapped.ttf  |替换字体|ctReplacement.ttf|"));

    REQUIRE(scenario::CloseTaskWindow(main, task));
    CHECK(IsWindowEnabled(main.window));
    CHECK_EQ(e2e::ListRowCount(main.list), 4);

    // A click on empty list space selects nothing; one on a row enables 按钮_删除.
    e2e::ClickListEmptySpace(main.list);
    CHECK(!e2e::WaitUntil([&] { return e2e::Inspect(main.remove).enabled; }, 800));
    e2e::ClickListRow(main.list, 1);
    CHECK(e2e::WaitUntil([&] { return e2e::ListSelectedRow(main.list) == 1; }));
    REQUIRE(e2e::WaitUntil([&] { return e2e::Inspect(main.remove).enabled; }));
    e2e::Click(main.remove);
    REQUIRE(e2e::WaitUntil([&] { return e2e::ListRowCount(main.list) == 3; }));
    CHECK_EQ(scenario::RowText(main, 0), std::string("ctNew.ttf|添加字体||"));
    CHECK_EQ(scenario::RowText(main, 1), std::string("ctLongFileName01.ttf|删除字体||"));
    CHECK_EQ(scenario::RowText(main, 2),
             std::string("ctSwapped.ttf  |替换字体|ctReplacement.ttf|"));
    CHECK(e2e::WaitUntil([&] { return !e2e::Inspect(main.remove).enabled; }));

    // Queuing touches no file.
    CHECK(scenario::HoldsBytes(FontsFolder::Path("ctShort.ttf"), shortFont));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("ctLongFileName01.ttf"), longFont));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("ctSwapped.ttf"), swapped));
    CHECK(!scenario::FileExists(FontsFolder::Path("ctNew.ttf")));
    CHECK(scenario::FilesIn(folder + "\\Backup").empty());
    CHECK(scenario::CloseAndExit(program, main));
}

// Font files and a folder of them dragged from Explorer onto the main window queue add
// tasks, a name once; a file whose name code page 936 cannot hold is passed over. Dropped
// onto the task window's add page, a font file goes into its path box, where 确 定 takes
// it from.
TEST_CASE("compose_tasks.dropped_fonts_queue_adds") {
    std::string pack = check::Scratch() + "\\字体包";
    REQUIRE(scenario::MakeFolder(pack) && scenario::MakeFolder(pack + "\\子目录"));
    for (const char* name : {"ctDrop黑体.ttf", "ctDropB.OTF", "子目录\\ctDeep.ttf", "ctLone.ttc"})
        REQUIRE(!scenario::WriteFont(pack + "\\" + name, u"CT Drop").empty());
    REQUIRE(!scenario::WriteFont(pack + "\\说明.txt", u"CT Drop Text").empty());
    const std::wstring korean = e2e::Wide(check::Scratch()) + L"\\\uD55C\uAE00.ttf";
    REQUIRE(CopyFileW(e2e::Wide(pack + "\\ctLone.ttc").c_str(), korean.c_str(), FALSE));

    e2e::Program program;
    scenario::MainWindow main;
    REQUIRE(scenario::Start(program, check::Scratch(), &main));
    // Explorer drops only on a window that asked for dropped files.
    CHECK((GetWindowLongPtrW(main.window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0);
    REQUIRE(e2e::DropFiles(main.window, {e2e::Wide(pack + "\\ctLone.ttc"), korean, e2e::Wide(pack),
                                         e2e::Wide(pack + "\\ctLone.ttc")}));
    REQUIRE(e2e::WaitUntil([&] { return e2e::ListRowCount(main.list) == 3; }));
    CHECK_EQ(scenario::RowText(main, 0), std::string("ctLone.ttc|添加字体||"));
    CHECK_EQ(scenario::RowText(main, 1), std::string("ctDropB.OTF|添加字体||"));
    CHECK_EQ(scenario::RowText(main, 2), std::string("ctDrop黑体.ttf|添加字体||"));

    scenario::TaskWindow task;
    REQUIRE(scenario::OpenTaskWindow(main, &task));
    CHECK((GetWindowLongPtrW(task.window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0);
    REQUIRE(e2e::DropFiles(
        task.window, {e2e::Wide(pack + "\\说明.txt"), e2e::Wide(pack + "\\子目录\\ctDeep.ttf")}));
    HWND addPath = scenario::PageControl(task, "Edit", 12, 34);
    REQUIRE(addPath != nullptr);
    CHECK(e2e::WaitUntil(
        [&] { return e2e::Inspect(addPath).text == pack + "\\子目录\\ctDeep.ttf"; }));
    REQUIRE(scenario::CloseTaskWindow(main, task));
    CHECK_EQ(e2e::ListRowCount(main.list), 3);
    CHECK(scenario::CloseAndExit(program, main));
}
