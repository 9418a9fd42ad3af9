// Composing tasks in the real program: add, delete and replace tasks queued through the
// task window with files from another folder picked in the system file dialog, the rows
// they leave, removing one of them, and a browse that leaves the backup folder where the
// program was started.
#include <string>

#include "e2e/driver/driver.h"
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

// The file dialog may move the process's working folder to the chosen file's folder;
// the backup folder is relative to the working folder, so the program puts it back.
TEST_CASE("compose_tasks.browsing_elsewhere_keeps_the_backup_in_the_start_folder") {
    FontsFolder fonts;
    std::vector<unsigned char> proof = fonts.Put("ctProof.ttf", u"CT Compose Proof");
    REQUIRE(!proof.empty());
    std::string start = check::Scratch() + "\\start";
    std::string elsewhere = check::Scratch() + "\\elsewhere";
    // Both have a backup folder, so a backup in the wrong one would not just fail.
    REQUIRE(scenario::MakeFolder(start) && scenario::MakeFolder(start + "\\Backup"));
    REQUIRE(scenario::MakeFolder(elsewhere) && scenario::MakeFolder(elsewhere + "\\Backup"));
    std::string picked = elsewhere + "\\ctElsewhere.ttf";
    REQUIRE(!scenario::WriteFont(picked, u"CT Compose Elsewhere").empty());

    e2e::Program program;
    scenario::MainWindow main;
    REQUIRE(scenario::Start(program, start, &main));
    scenario::TaskWindow task;
    REQUIRE(scenario::OpenTaskWindow(main, &task));
    REQUIRE(scenario::ShowPage(task, scenario::kAddPage));
    REQUIRE(scenario::Browse(main, task, picked));
    REQUIRE(scenario::ShowPage(task, scenario::kReplacePage));
    REQUIRE(scenario::Browse(main, task, picked));
    REQUIRE(scenario::QueueDelete(main, task, "ctProof.ttf"));
    REQUIRE(scenario::CloseTaskWindow(main, task));
    REQUIRE(e2e::ListRowCount(main.list) == 1);

    REQUIRE(scenario::RunTasks(main));
    CHECK_EQ(scenario::RowText(main, 0), std::string("ctProof.ttf    |删除字体||删除成功"));
    CHECK(!scenario::FileExists(FontsFolder::Path("ctProof.ttf")));
    CHECK(scenario::HoldsBytes(start + "\\Backup\\ctProof.ttf", proof));
    CHECK(scenario::FilesIn(elsewhere + "\\Backup").empty());
    CHECK(scenario::CloseAndExit(program, main));
}
