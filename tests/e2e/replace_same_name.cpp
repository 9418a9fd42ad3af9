// A replacement whose file name is already queued from another folder: the run finds
// files by name alone, so it would copy the wrong file in. The task window refuses it
// without a word; the same file queued again is fine.
#include <string>
#include <vector>

#include "e2e/driver/driver.h"
#include "e2e/driver/scenario.h"
#include "harness/check.h"

using scenario::FontsFolder;
using Bytes = std::vector<unsigned char>;

TEST_CASE("replace_same_name.another_folders_file_of_a_queued_name_is_refused") {
    FontsFolder fonts;
    Bytes target = fonts.Put("rsTarget.ttf", u"RS Same Target");
    fonts.Track("同名.ttf");
    REQUIRE(!target.empty());
    std::string work = check::Scratch() + "\\work";
    std::string first = check::Scratch() + "\\a";
    std::string second = check::Scratch() + "\\b";
    REQUIRE(scenario::MakeFolder(work) && scenario::MakeFolder(work + "\\Backup"));
    REQUIRE(scenario::MakeFolder(first) && scenario::MakeFolder(second));
    Bytes queued = scenario::WriteFont(first + "\\同名.ttf", u"RS Same First");
    REQUIRE(!queued.empty());
    REQUIRE(!scenario::WriteFont(second + "\\同名.ttf", u"RS Same Second").empty());

    e2e::Program program;
    scenario::MainWindow main;
    REQUIRE(scenario::Start(program, work, &main));
    scenario::TaskWindow task;
    REQUIRE(scenario::OpenTaskWindow(main, &task));
    REQUIRE(scenario::QueueAdd(main, task, first + "\\同名.ttf"));
    REQUIRE(e2e::ListRowCount(main.list) == 1);

    REQUIRE(scenario::ShowPage(task, scenario::kReplacePage));
    REQUIRE(scenario::Browse(main, task, second + "\\同名.ttf"));
    REQUIRE(scenario::ChooseFont(main, task, "rsTarget.ttf"));
    HWND ok = scenario::PageControl(task, "Button", 222, 112);
    REQUIRE(ok != nullptr);
    e2e::Click(ok);
    // Refused silently: no row comes, the window stays open with its path.
    CHECK(!e2e::WaitUntil([&] { return e2e::ListRowCount(main.list) != 1; }, 1000));
    CHECK(IsWindow(task.window));
    HWND path = scenario::PageControl(task, "Edit", 12, 34);
    REQUIRE(path != nullptr);
    CHECK_EQ(e2e::Inspect(path).text, second + "\\同名.ttf");
    REQUIRE(scenario::CloseTaskWindow(main, task));

    REQUIRE(scenario::RunTasks(main));
    REQUIRE(e2e::ListRowCount(main.list) == 1);
    CHECK_EQ(scenario::RowText(main, 0), std::string("同名.ttf|添加字体||添加成功"));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("同名.ttf"), queued));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rsTarget.ttf"), target));
    CHECK(scenario::FilesIn(work + "\\Backup").empty());
    CHECK(scenario::CloseAndExit(program, main));
}

// Only a different file is refused: the very file an add queued may also replace a font.
TEST_CASE("replace_same_name.the_queued_file_itself_is_accepted") {
    FontsFolder fonts;
    Bytes target = fonts.Put("rsOwnTarget.ttf", u"RS Own Target");
    fonts.Track("rsOwn.ttf");
    REQUIRE(!target.empty());
    std::string work = check::Scratch() + "\\work";
    std::string source = check::Scratch() + "\\a";
    REQUIRE(scenario::MakeFolder(work) && scenario::MakeFolder(work + "\\Backup"));
    REQUIRE(scenario::MakeFolder(source));
    Bytes own = scenario::WriteFont(source + "\\rsOwn.ttf", u"RS Own Source");
    REQUIRE(!own.empty());

    e2e::Program program;
    scenario::MainWindow main;
    REQUIRE(scenario::Start(program, work, &main));
    scenario::TaskWindow task;
    REQUIRE(scenario::OpenTaskWindow(main, &task));
    REQUIRE(scenario::QueueAdd(main, task, source + "\\rsOwn.ttf"));
    REQUIRE(scenario::QueueReplace(main, task, "rsOwnTarget.ttf", source + "\\rsOwn.ttf"));
    REQUIRE(scenario::CloseTaskWindow(main, task));

    REQUIRE(scenario::RunTasks(main));
    CHECK_EQ(scenario::RowText(main, 0), std::string("rsOwn.ttf|添加字体||添加成功"));
    CHECK_EQ(scenario::RowText(main, 1),
             std::string("rsOwnTarget.ttf|替换字体|rsOwn.ttf|替换成功"));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rsOwn.ttf"), own));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rsOwnTarget.ttf"), own));
    CHECK(scenario::HoldsBytes(work + "\\Backup\\rsOwnTarget.ttf", target));
    CHECK(scenario::CloseAndExit(program, main));
}
