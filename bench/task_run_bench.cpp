// Measures a run of the task list (400 delete and replace rows, 100 add rows) and a restore
// of 500 backups against their floors, the same file operations done directly: bare, and with
// every copy whole as the program makes it; also, through the program's own functions, the
// parts that explain the gap, and what a font held for good costs a row. The last two lines
// are the ratios to the whole-copy floors, for scripts. bench/run-task-bench.sh runs it.
#include "fontfs/catalogue.h"
#include "fontfs/file_utils.h"
#include "fontfs/walk_folder.h"
#include "app/form_tables.h"
#include "platform/font_manager.h"
#include "platform/process.h"
#include "tasks/backup_folder.h"
#include "tasks/restore.h"
#include "tasks/run_tasks.h"
#include "tasks/task_files.h"
#include "tasks/task_kinds.h"
#include "tasks/task_list.h"

#include <windows.h>

#include "bench/rounds.h"
#include "bench/stopwatch.h"
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The files as bench/run-task-bench.sh prepares them.
constexpr int kRows = 400;  // delete and replace rows in turn, each on a font of its own
constexpr int kAdds = 100;
constexpr int kKept = 100;    // fonts with an identical backup, so that 500 are restored
constexpr int kHeldEach = 2;  // fonts held open, to delete and to replace
constexpr int kRounds = 7;    // the machine is shared: the best of the rounds, and medians
// What the fonts folder holds before each measurement, beside the working folder.
constexpr const char* kOriginals = "..\\originals\\";

struct Row {
    std::string font, task, replaceWith, chosenPath;  // chosenPath: an add's or replacement's
    std::string expected;                             // its result
};

struct Files {
    std::vector<Row> rows, adds, kept;
};

// The floors: the same file operations done directly, bare, or with every copy whole as the
// program makes it. A round's turns run each floor and the program.
enum Floor { kBareFloor, kWholeFloor, kFloors };
constexpr int kProgramTurn = kFloors;

// The program's times, its floors' and its parts' alone, in the same rounds.
struct Subject {
    Series program, floor[kFloors];
    std::map<std::string, Series> parts;
};

struct Figures {
    Subject rows, adds, restore;
    Series heldRow[2];  // once, the time a row on a held font: to delete, to replace
    std::string heldResult[2];
    int unexpectedResults = 0, notRestored = 0;  // in all rounds
};

// A floor whose call failed would look fast: the benchmark stops there.
void Must(bool done, const char* call, const std::string& path) {
    if (done) return;
    std::fprintf(stderr, "floor: %s failed on %s (error %lu)\n", call, path.c_str(),
                 GetLastError());
    ExitProcess(1);
}

void Flush(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    Must(file != INVALID_HANDLE_VALUE, "CreateFileA", path);
    Must(FlushFileBuffers(file), "FlushFileBuffers", path);
    CloseHandle(file);
}

// A copy as a floor makes it: bare, or whole (flushed, renamed, flushed under its name).
void Copy(const std::string& from, const std::string& to, Floor floor, bool replace = false) {
    const std::string temporary = floor == kWholeFloor ? to + ".tmp" : to;
    Must(CopyFileA(from.c_str(), temporary.c_str(), FALSE), "CopyFileA", temporary);
    if (floor == kBareFloor) return;
    Flush(temporary);
    Must(MoveFileExA(temporary.c_str(), to.c_str(),
                     MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0)),
         "MoveFileExA", to);
    Flush(to);
}

// The rows by the files' names: "tb-row-N.ttf" is deleted for an even N and replaced by
// "new\tb-new-N.ttf" for an odd one, "adds\tb-add-N.ttf" is added, "tb-keep-N.ttf" has an
// identical backup.
Files Name(const std::string& root) {
    Files f;
    auto name = [](const char* prefix, int i) { return prefix + std::to_string(i) + ".ttf"; };
    for (int i = 0; i < kRows; ++i) {
        const std::string replacement = i % 2 ? name("tb-new-", i) : "";
        f.rows.push_back({name("tb-row-", i), i % 2 ? kReplaceTask : kDeleteTask, replacement,
                          i % 2 ? root + "new\\" + replacement : "",
                          i % 2 ? "替换成功" : "删除成功"});
    }
    for (int i = 0; i < kAdds; ++i) {
        const std::string add = name("tb-add-", i);
        f.adds.push_back({add, kAddTask, "", root + "adds\\" + add, "添加成功"});
        f.kept.push_back({name("tb-keep-", i), "", "", "", ""});
    }
    return f;
}

// The rows' and the kept fonts that are missing or of another size than their originals.
int NotAsPrepared(const Files& f, bool repair) {
    int wrong = 0;
    for (const std::vector<Row>* list : {&f.rows, &f.kept}) {
        for (const Row& row : *list) {
            const std::string font = kFontsFolder + row.font, original = kOriginals + row.font;
            std::error_code missing;  // the size of a missing file is -1
            if (fs::file_size(font, missing) == fs::file_size(original, missing)) continue;
            ++wrong;
            if (repair) CopyFileA(original.c_str(), font.c_str(), FALSE);
        }
    }
    return wrong;
}

// The state each measurement starts from: the fonts as prepared, only the kept backups in
// the backup folder, nothing added or registered.
void Reset(const Files& f) {
    for (const Row& add : f.adds) {
        platform::UnregisterFontFile(kFontsFolder + add.font);
        DeleteFileA((kFontsFolder + add.font).c_str());
    }
    for (const Row& row : f.rows) {
        DeleteFileA((kBackupFolder + row.font).c_str());
        DeleteFileA((kBackupFolder + row.font + ".1.bak").c_str());  // the restore kept it
    }
    NotAsPrepared(f, true);
    platform::ProcessPendingEvents();
}

// Queues the rows as the task window does (a chosen file is recorded once, as the list of
// them only grows), runs them and counts the results not as expected. The program's time is
// RunTaskList's less its closing catalogue rebuild, timed alone right after it.
void RunRows(const std::vector<Row>& rows, Subject& s, int* unexpected) {
    while (TaskList::RowCount() > 0) TaskList::DeleteRow(0);
    for (const Row& row : rows) {
        TaskList::AppendTaskRow(row.font, row.task, row.replaceWith);
        const std::string& chosen = row.task == kAddTask ? row.font : row.replaceWith;
        if (!chosen.empty() && FindTaskFile(chosen).fileName.empty())
            AppendTaskFile({chosen, row.chosenPath});
    }
    platform::ProcessPendingEvents();
    const double run = Time(RunTaskList), rebuild = Time(RebuildInstalledFontList);
    s.program.push_back(run - rebuild);
    s.parts["the closing catalogue rebuild alone"].push_back(rebuild);
    for (int i = 0; i < TaskList::RowCount(); ++i)
        *unexpected += TaskList::CellText(i, TaskList::kResultColumn) != rows[i].expected;
}

// The rows' file operations done directly, in row order: the backup, then the delete, the
// replacement over the font or the added copy.
void FloorRows(const std::vector<Row>& rows, Floor floor) {
    for (const Row& row : rows) {
        const std::string font = kFontsFolder + row.font;
        if (row.task != kAddTask) Copy(font, kBackupFolder + row.font, floor);
        if (row.task == kDeleteTask) Must(DeleteFileA(font.c_str()), "DeleteFileA", font);
        if (row.task != kDeleteTask) Copy(row.chosenPath, font, floor, row.task == kReplaceTask);
    }
}

// Every backup back. Whole, a replacement is kept first, and the kept fonts, identical to
// their backups, are left alone.
void FloorRestore(const Files& f, Floor floor) {
    const bool whole = floor == kWholeFloor;
    for (const std::vector<Row>* list : {&f.rows, &f.kept}) {
        for (const Row& row : *list) {
            const std::string font = kFontsFolder + row.font, backup = kBackupFolder + row.font;
            if (whole && list == &f.kept) continue;
            if (whole && row.task == kReplaceTask) Copy(font, backup + ".1.bak", floor);
            Copy(backup, font, floor, row.task == kReplaceTask);
        }
    }
}

// The program and its two floors on the rows, each from the same state, in an order that
// turns with the round; after the delete and replace rows, the restore.
void MeasureRows(const Files& files, const std::vector<Row>& rows, int round, Subject& s,
                 Subject* restore, Figures& f) {
    for (int turn = 0; turn <= kFloors; ++turn) {
        Reset(files);
        const int what = (turn + round) % (kFloors + 1);  // a Floor, or kProgramTurn
        const Floor floor = static_cast<Floor>(what);
        if (what == kProgramTurn) {
            RunRows(rows, s, &f.unexpectedResults);
            if (restore) restore->program.push_back(Time(RestoreBackups));
        } else {
            s.floor[floor].push_back(Time([&] { FloorRows(rows, floor); }));
            if (restore) restore->floor[floor].push_back(Time([&] { FloorRestore(files, floor); }));
        }
        if (restore) f.notRestored += NotAsPrepared(files, false);
    }
}

void NoFile(const std::string&) {}

Figures Measure(const Files& files) {
    Figures f;
    for (int round = 0; round < kRounds; ++round) {
        MeasureRows(files, files.rows, round, f.rows, &f.restore, f);
        // Parts, every font and backup in place as after a restore. A delete row looks for its
        // font before and after the backup, a replace row once.
        f.rows.parts["the existence searches alone (FileExists)"].push_back(Time([&] {
            for (const Row& row : files.rows)
                for (int n = row.task == kDeleteTask ? 2 : 1; n > 0; --n)
                    FileExists(kFontsFolder + row.font);
        }));
        f.rows.parts["the result cells alone (SetResult, emptied, set)"].push_back(Time([&] {
            for (int i = 0; i < kRows; ++i) {
                TaskList::SetResult(i, "");  // as a run empties the cell when it takes a row up
                TaskList::SetResult(i, files.rows[i].expected);
            }
        }));
        f.restore.parts["the walk alone (WalkFolder)"].push_back(
            Time([] { WalkFolder(kBackupFolder, NoFile, "*.ttf", true, 0, true); }));
        f.restore.parts["the 100 identical fonts' comparisons alone"].push_back(Time([&] {
            for (const Row& k : files.kept)
                KeepRestoreTarget(kBackupFolder + k.font, kFontsFolder + k.font, k.font);
        }));
        MeasureRows(files, files.adds, round, f.adds, nullptr, f);
        f.adds.parts["the WM_FONTCHANGE broadcasts alone"].push_back(Time([] {
            for (int n = 0; n < kAdds; ++n) platform::BroadcastFontChange();
        }));
    }
    // Rows on fonts that another program holds for good, as Windows holds a loaded font: open
    // for reading, sharing reading only. A delete row, then a replace row, on "tb-held-N.ttf".
    for (int kind = 0; kind < 2; ++kind) {
        std::vector<Row> held(kHeldEach, files.rows[static_cast<std::size_t>(kind)]);
        std::vector<HANDLE> holds;
        for (int i = 0; i < kHeldEach; ++i) {
            held[i].font = "tb-held-" + std::to_string(2 * i + kind) + ".ttf";
            const std::wstring path = fs::path(kFontsFolder + held[i].font).wstring();
            holds.push_back(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        }
        Subject run;
        int failed = 0;  // as they should
        RunRows(held, run, &failed);
        f.heldRow[kind].push_back(run.program[0] / kHeldEach);
        f.heldResult[kind] = TaskList::CellText(0, TaskList::kResultColumn);
        for (HANDLE hold : holds) CloseHandle(hold);
    }
    return f;
}

void PrintSubject(const char* title, const char* what, const Subject& s, int n, const char* unit) {
    std::printf("\n%s:\n", title);
    PrintTimes(what, s.program, n, unit);
    PrintTimes("floor: bare (CopyFileA, DeleteFileA)", s.floor[kBareFloor], n, unit);
    PrintTimes("floor: whole copies (.tmp, flush, rename, flush)", s.floor[kWholeFloor], n, unit);
    PrintRatios("ratio to the bare floor", s.program, s.floor[kBareFloor]);
    PrintRatios("ratio to the whole-copy floor", s.program, s.floor[kWholeFloor]);
    for (const auto& [part, ms] : s.parts) PrintTimes("  " + part, ms);
}

void Print(const Figures& f) {
    const char* run = "RunTaskList less its closing catalogue rebuild";
    std::printf("%d rounds; of each time the best and the median\n", kRounds);
    PrintSubject("400 delete and replace rows, in turns", run, f.rows, kRows, "row");
    for (int kind = 0; kind < 2; ++kind)
        PrintTimes(std::string(kind ? "a replace" : "a delete") + " row on a held font, result " +
                       (f.heldResult[kind].empty() ? "none" : f.heldResult[kind]),
                   f.heldRow[kind]);
    PrintSubject("100 add rows", run, f.adds, kAdds, "row");
    PrintSubject("restore of 500 backups: 200 of deleted, 200 of replaced, 100 identical fonts",
                 "RestoreBackups", f.restore, kRows + kKept, "backup");
    std::printf("\nunexpected in all rounds: %d results, %d fonts not restored\n",
                f.unexpectedResults, f.notRestored);
    std::printf("rows / whole-copy floor: %.2f\n",
                BestRatio(f.rows.program, f.rows.floor[kWholeFloor]));
    std::printf("restore / whole-copy floor: %.2f\n",
                BestRatio(f.restore.program, f.restore.floor[kWholeFloor]));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !SetCurrentDirectoryA((std::string(argv[1]) + "\\work").c_str())) {
        std::fprintf(stderr, "usage: task_run_bench <folder>, <folder> holding work\\\n");
        return 2;
    }
    const Files files = Name(std::string(argv[1]) + "\\");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    CreateInstalledFontList();
    CreateTaskFileList();
    // Not modal: the call returns once the window shows, the catalogue scanned. The window is
    // never closed: its destroyed handler would end the process.
    ui::LoadWindow(MainForm(), false);
    Print(Measure(files));
    std::fflush(stdout);
    ExitProcess(0);
}
