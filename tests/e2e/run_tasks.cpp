// Running queued tasks in the real program and restoring their backups: what every row
// shows, what the fonts folder and the backup folder hold afterwards, a font file the
// system holds open, a log-off during a run, a start without a backup folder, closing
// with tasks queued, and the program as unzipped from the release archive. The folders
// and some fonts have Chinese names: the first case also runs under ANSI code pages other
// than 936, where they must work the same.
#include <string>
#include <vector>

#include "e2e/driver/driver.h"
#include "e2e/driver/internal.h"
#include "e2e/driver/scenario.h"
#include "harness/check.h"
#include "support/ttf_writer.h"

using scenario::FontsFolder;
using Bytes = std::vector<unsigned char>;

namespace {

// A working folder with its backup folder, and a folder of new fonts beside it.
struct Folders {
    std::string work;
    std::string backup;
    std::string source;
};

bool MakeFolders(bool withBackup, Folders* folders) {
    folders->work = check::Scratch() + "\\字体管理器";
    folders->backup = folders->work + "\\Backup";
    folders->source = check::Scratch() + "\\字体下载";
    return scenario::MakeFolder(folders->work) && scenario::MakeFolder(folders->source) &&
           (!withBackup || scenario::MakeFolder(folders->backup));
}

// A row queued through the task window: an add of a path, a delete of an installed font,
// or a replace of one with a path.
struct Row {
    enum { kAdd, kDelete, kReplace } kind;
    std::string font = {}, path = {};
};
struct Started {
    e2e::Program program;
    scenario::MainWindow main;
};
// How nearly every case begins: the program started in the working folder, the rows
// queued through the task window, which is closed again.
bool StartAndQueue(const std::string& work, const std::vector<Row>& rows, Started* started,
                   const std::string& exe = "") {
    const scenario::MainWindow& main = started->main;
    scenario::TaskWindow task;
    if (!scenario::Start(started->program, work, &started->main, exe) ||
        !scenario::OpenTaskWindow(main, &task))
        return false;
    for (const Row& row : rows) {
        bool queued = row.kind == Row::kAdd ? scenario::QueueAdd(main, task, row.path)
                      : row.kind == Row::kDelete
                          ? scenario::QueueDelete(main, task, row.font)
                          : scenario::QueueReplace(main, task, row.font, row.path);
        if (!queued) return false;
    }
    return scenario::CloseTaskWindow(main, task);
}

// What the window answers when Windows asks it, as a user logs off, whether the session
// may end: 1 yes, 0 no, -1 no answer within the time Windows gives a program.
int EndSessionAnswer(HWND window) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                             &answer))
        return -1;
    return answer != 0 ? 1 : 0;
}

}  // namespace

// All under a virus scanner that holds every file written in the fonts folder and in the
// backup folder for a moment, as Windows' own does: every row and the restore end as
// without it. A second run without the backup folder can back nothing up, and its rows
// say nothing rather than the first run's success.
TEST_CASE("run_tasks.add_delete_replace_then_restore") {
    FontsFolder fonts;
    Bytes doomed = fonts.Put("rt宋体测试.ttf", u"宋体测试");
    Bytes original = fonts.Put("rt黑体.ttf", u"RT Run Original");
    fonts.Track("rt增加字体.ttf");
    REQUIRE(!doomed.empty() && !original.empty());
    Folders folders;
    REQUIRE(MakeFolders(true, &folders));
    std::string fontsFolder(scenario::kFontsFolder);
    fontsFolder.pop_back();
    scenario::Scanner scanner({fontsFolder, folders.backup}, 300);
    REQUIRE(scanner.Watching());
    Bytes added = scenario::WriteFont(folders.source + "\\rt增加字体.ttf", u"RT Run Added");
    Bytes replacement = scenario::WriteFont(folders.source + "\\rt新字体.ttf", u"RT Run New");
    REQUIRE(!added.empty() && !replacement.empty());

    Started started;
    REQUIRE(StartAndQueue(folders.work,
                          {{Row::kAdd, "", folders.source + "\\rt增加字体.ttf"},
                           {Row::kDelete, "rt宋体测试.ttf"},
                           {Row::kReplace, "rt黑体.ttf", folders.source + "\\rt新字体.ttf"}},
                          &started));
    auto& [program, main] = started;

    REQUIRE(scenario::RunTasks(main));
    CHECK_EQ(scenario::RowText(main, 0), std::string("rt增加字体.ttf|添加字体||添加成功"));
    // The installed fonts' names are padded to 15 bytes of code page 936.
    CHECK_EQ(scenario::RowText(main, 1), std::string("rt宋体测试.ttf |删除字体||删除成功"));
    CHECK_EQ(scenario::RowText(main, 2),
             std::string("rt黑体.ttf     |替换字体|rt新字体.ttf|替换成功"));
    CHECK(e2e::Inspect(main.add).enabled);
    CHECK(e2e::Inspect(main.restore).enabled);
    CHECK(!e2e::Inspect(main.remove).enabled);

    CHECK(scenario::HoldsBytes(FontsFolder::Path("rt增加字体.ttf"), added));
    CHECK(!scenario::FileExists(FontsFolder::Path("rt宋体测试.ttf")));
    // The replacement goes in under the old file's name, not under its own.
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rt黑体.ttf"), replacement));
    CHECK(!scenario::FileExists(FontsFolder::Path("rt新字体.ttf")));
    CHECK(scenario::FilesIn(folders.backup) ==
          std::vector<std::string>({"rt黑体.ttf", "rt宋体测试.ttf"}));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rt宋体测试.ttf", doomed));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rt黑体.ttf", original));

    e2e::Click(main.restore);
    CHECK(e2e::WaitUntil([&] {
        return scenario::HoldsBytes(FontsFolder::Path("rt宋体测试.ttf"), doomed) &&
               scenario::HoldsBytes(FontsFolder::Path("rt黑体.ttf"), original);
    }));
    HWND status = e2e::ChildAt(main.window, "Static", 8, 192);
    REQUIRE(status != nullptr);
    CHECK(e2e::WaitUntil([&] { return !IsWindowVisible(status); }));
    // Restoring copies back; it removes nothing, neither the added font nor the backups,
    // and it keeps the replacement it overwrote beside them.
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rt增加字体.ttf"), added));
    CHECK(scenario::FilesIn(folders.backup) ==
          std::vector<std::string>({"rt黑体.ttf", "rt黑体.ttf.1.bak", "rt宋体测试.ttf"}));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rt黑体.ttf.1.bak", replacement));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rt宋体测试.ttf", doomed));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rt黑体.ttf", original));
    CHECK(scanner.FilesHeld() > 0);

    // The folder moves once the scanner has let go of the files in it.
    std::wstring away = e2e::Wide(folders.backup + " away");
    REQUIRE(e2e::WaitUntil(
        [&] { return MoveFileW(e2e::Wide(folders.backup).c_str(), away.c_str()) != 0; }));
    e2e::Click(main.run);
    CHECK(e2e::WaitUntil([&] { return e2e::ListCell(main.list, 0, 3) == "添加失败"; }));
    CHECK(e2e::WaitUntil([&] { return e2e::Inspect(main.run).enabled; }));
    CHECK_EQ(scenario::RowText(main, 1), std::string("rt宋体测试.ttf |删除字体||"));
    CHECK_EQ(scenario::RowText(main, 2), std::string("rt黑体.ttf     |替换字体|rt新字体.ttf|"));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rt宋体测试.ttf"), doomed));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rt黑体.ttf"), original));
    CHECK(scenario::CloseAndExit(program, main));
}

// Every outcome but a failed add in one run, including a font that the system holds
// open as it holds a loaded font: it can be read and backed up, not deleted.
TEST_CASE("run_tasks.mixed_outcomes_with_a_font_held_open") {
    FontsFolder fonts;
    Bytes held = fonts.Put("rmHeld.ttf", u"RT Mixed Held");
    Bytes gone = fonts.Put("rmGone.ttf", u"RT Mixed Gone");
    Bytes original = fonts.Put("rmOld.ttf", u"RT Mixed Old");
    Bytes stranded = fonts.Put("rmLost.ttf", u"RT Mixed Lost");
    fonts.Track("rmAdded.ttf");
    REQUIRE(!held.empty() && !gone.empty() && !original.empty() && !stranded.empty());
    Folders folders;
    REQUIRE(MakeFolders(true, &folders));
    std::string vanishing = folders.source + "\\rmVanished.ttf";
    std::string missing = folders.source + "\\rmMissing.ttf";
    REQUIRE(!scenario::WriteFont(folders.source + "\\rmAdded.ttf", u"RT Mixed Added").empty());
    REQUIRE(!scenario::WriteFont(vanishing, u"RT Mixed Vanished").empty());
    REQUIRE(!scenario::WriteFont(missing, u"RT Mixed Missing").empty());
    Bytes replacement = scenario::WriteFont(folders.source + "\\rmNew.ttf", u"RT Mixed New");
    REQUIRE(!replacement.empty());

    Started started;
    REQUIRE(StartAndQueue(folders.work,
                          {{Row::kAdd, "", folders.source + "\\rmAdded.ttf"},
                           {Row::kAdd, "", vanishing},
                           {Row::kDelete, "rmHeld.ttf"},
                           {Row::kDelete, "rmGone.ttf"},
                           {Row::kReplace, "rmOld.ttf", folders.source + "\\rmNew.ttf"},
                           {Row::kReplace, "rmLost.ttf", missing}},
                          &started));
    auto& [program, main] = started;

    // Between queuing and running, three files go away and one gets held.
    REQUIRE(DeleteFileA(vanishing.c_str()));
    REQUIRE(DeleteFileA(missing.c_str()));
    REQUIRE(DeleteFileA(FontsFolder::Path("rmGone.ttf").c_str()));
    scenario::HeldFile holder(FontsFolder::Path("rmHeld.ttf"));
    REQUIRE(holder.Held());

    REQUIRE(scenario::RunTasks(main));
    CHECK_EQ(scenario::RowText(main, 0), std::string("rmAdded.ttf|添加字体||添加成功"));
    CHECK_EQ(scenario::RowText(main, 1), std::string("rmVanished.ttf|添加字体||字体不存在"));
    CHECK_EQ(scenario::RowText(main, 2), std::string("rmHeld.ttf     |删除字体||删除失败"));
    CHECK_EQ(scenario::RowText(main, 3), std::string("rmGone.ttf     |删除字体||字体不存在"));
    CHECK_EQ(scenario::RowText(main, 4),
             std::string("rmOld.ttf      |替换字体|rmNew.ttf|替换成功"));
    CHECK_EQ(scenario::RowText(main, 5),
             std::string("rmLost.ttf     |替换字体|rmMissing.ttf|替换失败"));
    CHECK(!e2e::SaveScreenshot(main.window, "run_mixed.bmp").empty());

    CHECK(scenario::HoldsBytes(FontsFolder::Path("rmHeld.ttf"), held));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rmOld.ttf"), replacement));
    CHECK(!scenario::FileExists(FontsFolder::Path("rmVanished.ttf")));
    // A replacement that cannot be copied in leaves the original where it was.
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rmLost.ttf"), stranded));
    CHECK(!scenario::FileExists(FontsFolder::Path("rmMissing.ttf")));
    // The held font's backup stays; a missing font leaves none.
    std::vector<std::string> backups = {"rmHeld.ttf", "rmLost.ttf", "rmOld.ttf"};
    CHECK(scenario::FilesIn(folders.backup) == backups);
    CHECK(scenario::HoldsBytes(folders.backup + "\\rmHeld.ttf", held));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rmLost.ttf", stranded));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rmOld.ttf", original));
    CHECK(scenario::CloseAndExit(program, main));
}

// A second run does every row again. Backing the replaced font up again must not lose
// the first original: the older backup is kept beside the new one.
TEST_CASE("run_tasks.running_twice_keeps_the_first_original") {
    FontsFolder fonts;
    Bytes original = fonts.Put("rwFont.ttf", u"RT Twice Original");
    fonts.Track("rwAdded.ttf");
    REQUIRE(!original.empty());
    Folders folders;
    REQUIRE(MakeFolders(true, &folders));
    Bytes replacement = scenario::WriteFont(folders.source + "\\rwNew.ttf", u"RT Twice New");
    REQUIRE(!replacement.empty());
    REQUIRE(!scenario::WriteFont(folders.source + "\\rwAdded.ttf", u"RT Twice Added").empty());

    Started started;
    REQUIRE(StartAndQueue(folders.work,
                          {{Row::kReplace, "rwFont.ttf", folders.source + "\\rwNew.ttf"},
                           {Row::kAdd, "", folders.source + "\\rwAdded.ttf"}},
                          &started));
    auto& [program, main] = started;

    REQUIRE(scenario::RunTasks(main));
    CHECK_EQ(scenario::RowText(main, 0),
             std::string("rwFont.ttf     |替换字体|rwNew.ttf|替换成功"));
    CHECK_EQ(scenario::RowText(main, 1), std::string("rwAdded.ttf|添加字体||添加成功"));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rwFont.ttf", original));

    // The added font is there now, so its add fails the second time.
    REQUIRE(scenario::RunTasks(main, "添加失败"));
    CHECK_EQ(scenario::RowText(main, 0),
             std::string("rwFont.ttf     |替换字体|rwNew.ttf|替换成功"));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rwFont.ttf"), replacement));
    std::vector<std::string> backups = {"rwFont.ttf", "rwFont.ttf.1.bak"};
    CHECK(scenario::FilesIn(folders.backup) == backups);
    CHECK(scenario::HoldsBytes(folders.backup + "\\rwFont.ttf", replacement));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rwFont.ttf.1.bak", original));
    CHECK(scenario::CloseAndExit(program, main));
}

// An add tells every top-level window that the fonts changed. A window that has stopped
// reading its messages must not hold up the run, and with it the whole program. The run
// brings its rows into view as it goes, more of them than the list shows at once, and a
// click on the run button made while it waits for the hung window starts no second run.
// A log-off asked meanwhile is refused, and allowed again once the run is over.
TEST_CASE("run_tasks.a_hung_window_does_not_stall_the_run") {
    FontsFolder fonts;
    REQUIRE(!fonts.Put("rhDelete.ttf", u"RT Hung Delete").empty());
    fonts.Track("rhAdded.ttf");
    Folders folders;
    REQUIRE(MakeFolders(true, &folders));
    REQUIRE(!scenario::WriteFont(folders.source + "\\rhAdded.ttf", u"RT Hung Added").empty());

    e2e::Program program;
    scenario::MainWindow main;
    REQUIRE(scenario::Start(program, folders.work, &main));
    scenario::TaskWindow task;
    REQUIRE(scenario::OpenTaskWindow(main, &task));
    REQUIRE(scenario::QueueAdd(main, task, folders.source + "\\rhAdded.ttf"));
    REQUIRE(scenario::QueueDelete(main, task, "rhDelete.ttf"));
    // The same delete again and again, Enter on the OK button the click left focused.
    constexpr int kRows = 24;
    for (int row = 2; row < kRows; ++row) e2e::PressKey(task.window, VK_RETURN);
    REQUIRE(e2e::WaitUntil([&] { return e2e::ListRowCount(main.list) == kRows; }));
    REQUIRE(scenario::CloseTaskWindow(main, task));
    int page = e2e::ListRowsPerPage(main.list);
    REQUIRE(page < kRows);

    scenario::HungWindow hung;
    REQUIRE(hung.Hung());
    e2e::Click(main.run);
    // The run has begun once its button is disabled; its add row then waits seconds for the
    // hung window.
    CHECK(e2e::WaitUntil([&] { return !e2e::Inspect(main.run).enabled; }));
    CHECK_EQ(EndSessionAnswer(main.window), 0);
    CHECK(e2e::ClickWithRealInput(main.run));
    CHECK(e2e::WaitUntil([&] { return e2e::ListCell(main.list, kRows - 1, 3) == "字体不存在"; },
                         20000));
    CHECK(e2e::WaitUntil([&] { return e2e::Inspect(main.run).enabled; }));
    CHECK_EQ(EndSessionAnswer(main.window), 1);
    // A second run would fail the add and find the deleted font gone.
    CHECK_EQ(scenario::RowText(main, 0), std::string("rhAdded.ttf|添加字体||添加成功"));
    CHECK_EQ(scenario::RowText(main, 1), std::string("rhDelete.ttf   |删除字体||删除成功"));
    int top = e2e::ListTopRow(main.list);
    CHECK(top > 0 && top <= kRows - 1 && kRows - 1 < top + page);
    CHECK(!e2e::SaveScreenshot(main.window, "run_progress.bmp").empty());
    CHECK(scenario::CloseAndExit(program, main));
}

// A keyboard user: Enter presses the focused button, the arrows pick the page and the
// font, Tab walks the main window's buttons left to right, Esc closes the task window,
// and the focus is where it was after the task window and after each run.
TEST_CASE("run_tasks.the_keyboard_alone_queues_and_runs_a_task") {
    FontsFolder fonts;
    Bytes doomed = fonts.Put("rkDelete.ttf", u"RT Keys Delete");
    REQUIRE(!doomed.empty());
    Folders folders;
    REQUIRE(MakeFolders(true, &folders));
    e2e::Program program;
    scenario::MainWindow main;
    REQUIRE(scenario::Start(program, folders.work, &main));
    auto focusIs = [](HWND window, HWND control) {
        return e2e::WaitUntil([&] { return e2e::FocusedControl(window) == control; }, 3000);
    };
    CHECK(focusIs(main.window, main.add));

    e2e::PressKey(main.window, VK_RETURN);
    HWND task = e2e::WaitForWindow(main.pid, "QiruFont");
    REQUIRE(task != nullptr);
    std::vector<HWND> frames = e2e::Children(task);
    REQUIRE(frames.size() == 2);
    std::vector<HWND> radios = e2e::Children(frames[0]);
    std::vector<HWND> containers = e2e::Children(frames[1]);
    REQUIRE(radios.size() == 3 && containers.size() == 1);
    scenario::TaskWindow pages = {
        task, frames[1], {radios[0], radios[1], radios[2]}, containers[0]};
    CHECK(focusIs(task, radios[0]));
    e2e::PressKey(task, VK_DOWN);
    HWND combo = nullptr;
    REQUIRE(e2e::WaitUntil(
        [&] { return (combo = scenario::PageControl(pages, "ComboBox", 12, 34)) != nullptr; }));
    e2e::PressKey(task, VK_TAB);
    CHECK(focusIs(task, combo));
    std::vector<std::string> items = e2e::ComboItems(combo);
    const int count = static_cast<int>(items.size());
    int index = 0;
    while (index < count && !scenario::ItemNamesFile(items[index], "rkDelete.ttf")) ++index;
    REQUIRE(index < count);
    for (int i = 0; i < index; ++i) e2e::PressKey(task, VK_DOWN);
    CHECK(e2e::WaitUntil([&] { return SendMessageW(combo, CB_GETCURSEL, 0, 0) == index; }));
    e2e::PressKey(task, VK_TAB);
    CHECK(focusIs(task, scenario::PageControl(pages, "Button", 222, 73)));
    e2e::PressKey(task, VK_RETURN);
    CHECK(e2e::WaitUntil([&] { return e2e::ListRowCount(main.list) == 1; }));
    e2e::PressKey(task, VK_ESCAPE);
    REQUIRE(e2e::WaitUntil([&] { return !IsWindow(task); }));
    CHECK(focusIs(main.window, main.add));

    e2e::PressKey(main.window, VK_TAB);  // 删除任务 is disabled: skipped
    CHECK(focusIs(main.window, main.restore));
    e2e::PressKey(main.window, VK_TAB);
    CHECK(focusIs(main.window, main.run));
    e2e::PressKey(main.window, VK_RETURN);
    CHECK(e2e::WaitUntil([&] { return e2e::ListCell(main.list, 0, 3) == "删除成功"; }));
    CHECK(e2e::WaitUntil([&] { return e2e::Inspect(main.run).enabled; }));
    CHECK(focusIs(main.window, main.run));
    e2e::PressKey(main.window, VK_RETURN);
    CHECK(e2e::WaitUntil([&] { return e2e::ListCell(main.list, 0, 3) == "字体不存在"; }));
    CHECK(scenario::HoldsBytes(folders.backup + "\\rkDelete.ttf", doomed));
    CHECK(scenario::CloseAndExit(program, main));
}

// Without a backup folder no delete or replace may go ahead: nothing could be restored.
TEST_CASE("run_tasks.without_a_backup_folder_nothing_is_touched") {
    FontsFolder fonts;
    Bytes kept = fonts.Put("rnDelete.ttf", u"RT NoBackup Delete");
    Bytes original = fonts.Put("rnReplace.ttf", u"RT NoBackup Replace");
    REQUIRE(!fonts.Put("rnMarker.ttf", u"RT NoBackup Marker").empty());
    REQUIRE(!kept.empty() && !original.empty());
    Folders folders;
    REQUIRE(MakeFolders(false, &folders));
    REQUIRE(!scenario::WriteFont(folders.source + "\\rnNew.ttf", u"RT NoBackup New").empty());

    // The last row ends with a result whatever happens, which tells when the run is over.
    Started started;
    REQUIRE(StartAndQueue(folders.work,
                          {{Row::kDelete, "rnDelete.ttf"},
                           {Row::kReplace, "rnReplace.ttf", folders.source + "\\rnNew.ttf"},
                           {Row::kDelete, "rnMarker.ttf"}},
                          &started));
    auto& [program, main] = started;
    REQUIRE(DeleteFileA(FontsFolder::Path("rnMarker.ttf").c_str()));

    REQUIRE(scenario::RunTasks(main));
    CHECK_EQ(scenario::RowText(main, 0), std::string("rnDelete.ttf   |删除字体||"));
    CHECK_EQ(scenario::RowText(main, 1), std::string("rnReplace.ttf  |替换字体|rnNew.ttf|"));
    CHECK_EQ(scenario::RowText(main, 2), std::string("rnMarker.ttf   |删除字体||字体不存在"));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rnDelete.ttf"), kept));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rnReplace.ttf"), original));
    CHECK(!scenario::FileExists(FontsFolder::Path("rnNew.ttf")));
    CHECK(!scenario::FileExists(folders.backup));
    CHECK(scenario::CloseAndExit(program, main));
}

TEST_CASE("run_tasks.closing_with_queued_rows_touches_nothing") {
    FontsFolder fonts;
    Bytes kept = fonts.Put("rcDelete.ttf", u"RT Close Delete");
    Bytes original = fonts.Put("rcReplace.ttf", u"RT Close Replace");
    fonts.Track("rcAdded.ttf");
    REQUIRE(!kept.empty() && !original.empty());
    Folders folders;
    REQUIRE(MakeFolders(true, &folders));
    REQUIRE(!scenario::WriteFont(folders.source + "\\rcAdded.ttf", u"RT Close Added").empty());
    REQUIRE(!scenario::WriteFont(folders.source + "\\rcNew.ttf", u"RT Close New").empty());
    std::vector<std::string> fontsBefore = scenario::FilesIn(scenario::kFontsFolder);

    Started started;
    REQUIRE(StartAndQueue(folders.work,
                          {{Row::kAdd, "", folders.source + "\\rcAdded.ttf"},
                           {Row::kDelete, "rcDelete.ttf"},
                           {Row::kReplace, "rcReplace.ttf", folders.source + "\\rcNew.ttf"}},
                          &started));
    auto& [program, main] = started;
    REQUIRE(e2e::ListRowCount(main.list) == 3);

    CHECK(scenario::CloseAndExit(program, main));
    CHECK(scenario::FilesIn(scenario::kFontsFolder) == fontsBefore);
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rcDelete.ttf"), kept));
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rcReplace.ttf"), original));
    CHECK(scenario::FilesIn(folders.backup).empty());
}

// The release as a user unzips it (scripts/test.sh names the folder in FONTTASKS_RELEASE),
// started in its own folder as Explorer starts it: the Backup folder that came with it
// takes the backups.
TEST_CASE("run_tasks.unzipped_release_backs_up_beside_itself") {
    std::string release = e2e::Environment("FONTTASKS_RELEASE");
    REQUIRE(!release.empty());
    FontsFolder fonts;
    Bytes doomed = fonts.Put("rzDelete.ttf", u"RT Release Delete");
    REQUIRE(!doomed.empty());

    Started started;
    REQUIRE(StartAndQueue(release, {{Row::kDelete, "rzDelete.ttf"}}, &started,
                          release + "\\fonttasks.exe"));
    auto& [program, main] = started;

    REQUIRE(scenario::RunTasks(main));
    CHECK_EQ(scenario::RowText(main, 0), std::string("rzDelete.ttf   |删除字体||删除成功"));
    CHECK(scenario::HoldsBytes(release + "\\Backup\\rzDelete.ttf", doomed));
    CHECK(scenario::CloseAndExit(program, main));
}

// The program ended by the task manager while it backs up a large font: the font stays in
// place and no fragment stands under the backup's name, where a restore would take it for
// the backup. After a new start the run backs it up whole and clears the left-over.
TEST_CASE("run_tasks.killed_in_the_middle_of_a_backup_loses_nothing") {
    FontsFolder fonts;
    Bytes large = ttf::MakeFont(u"RT Killed Large");
    large.resize(200u << 20, 0xA5);  // long enough to be caught in the middle of its copy
    fonts.Track("rkLarge.ttf");
    REQUIRE(ttf::WriteBytes(FontsFolder::Path("rkLarge.ttf"), large));
    Folders folders;
    REQUIRE(MakeFolders(true, &folders));
    const std::string backup = folders.backup + "\\rkLarge.ttf";
    const std::vector<Row> theDelete = {{Row::kDelete, "rkLarge.ttf"}};
    {
        Started killed;
        REQUIRE(StartAndQueue(folders.work, theDelete, &killed));
        e2e::Click(killed.main.run);
        REQUIRE(e2e::WaitUntil([&] { return scenario::FileExists(backup + ".tmp"); }));
        REQUIRE(killed.program.Kill());
    }
    CHECK(scenario::HoldsBytes(FontsFolder::Path("rkLarge.ttf"), large));
    CHECK(!scenario::FileExists(backup));

    Started started;
    REQUIRE(StartAndQueue(folders.work, theDelete, &started));
    auto& [program, main] = started;
    REQUIRE(scenario::RunTasks(main, "删除成功"));
    CHECK(scenario::FilesIn(folders.backup) == std::vector<std::string>{"rkLarge.ttf"});
    CHECK(scenario::HoldsBytes(backup, large));
    CHECK(scenario::CloseAndExit(program, main));
}
