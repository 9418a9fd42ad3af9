// Measures a run of a mixed task list (add, delete and replace rows) and a restore of the
// backups it leaves, each against the floor of doing the same file operations directly
// with CopyFileA and DeleteFileA, and against the same with every copy made whole
// (written under a temporary name, flushed, renamed). The add rows' registration with the font
// manager and the catalogue rebuild that ends every run are timed on their own as well. Prints
// figures only.
//
// The program works on the real fonts folder "C:\WINDOWS\Fonts\" of the Wine prefix it
// runs in, so it belongs in a prefix of its own. Every file it puts there is named
// "tb-*.ttf" and is removed again before it exits.
//
//   task_run_bench <folder>
//
// <folder> holds "sources\" (the font files to copy); the program creates "adds\",
// "new\" and "work\Backup\" beside it and runs the tasks with "work\" as its working
// folder.
#include "tasks/task_files.h"
#include "tasks/task_list.h"
#include "fontfs/catalogue.h"
#include "fontfs/file_utils.h"
#include "fontfs/install_font.h"
#include "fontfs/walk_folder.h"
#include "forms/forms.h"
#include "tasks/restore.h"
#include "tasks/run_tasks.h"
#include "forms/main_form.h"
#include "platform/vocabulary.h"
#include "platform/files.h"
#include "platform/font_manager.h"
#include "platform/process.h"

#include <windows.h>

#include "bench/stopwatch.h"
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

// The same texts as the task window queues and the run compares.
constexpr const char* kAddText = "添加字体";
constexpr const char* kDeleteText = "删除字体";
constexpr const char* kReplaceText = "替换字体";
constexpr const char* kAddedText = "添加成功";
constexpr const char* kDeletedText = "删除成功";
constexpr const char* kReplacedText = "替换成功";

constexpr const char* kFonts = "C:\\WINDOWS\\Fonts\\";
constexpr const char* kBackup = ".\\Backup\\";

// The mix: of every 5 rows, 1 adds, 2 delete and 2 replace.
constexpr int kRows = 500;
constexpr int kAdds = kRows / 5;
constexpr int kDeletes = 2 * kRows / 5;
constexpr int kReplaces = kRows - kAdds - kDeletes;
// Backups of untouched fonts, so that the restore finds as many backups as there are
// rows: the run leaves one per delete and replace row.
constexpr int kKept = kRows - kDeletes - kReplaces;

// Rounds: the machine is shared, so each figure is the best of a few, and the ratios are
// also given as the median of the ratios within a round.
constexpr int kRuns = 5;

enum class Kind { Add, Delete, Replace };

struct Source {
    std::string path;
    std::string stem;  // file name without its extension
    unsigned long long size = 0;
};

// A file of the fonts folder that a delete or replace row (or a kept backup) names.
struct Target {
    std::string name;
    const Source* origin = nullptr;
};

// A file chosen in the task window: an add row's file, or a replacement.
struct Chosen {
    std::string name;
    std::string path;
    const Source* origin = nullptr;
};

struct Row {
    Kind kind;
    int index;  // into the list of its kind
};

struct Setup {
    std::string root;  // ends in "\"
    std::vector<Source> sources;
    std::vector<Chosen> adds;
    std::vector<Target> deletes;
    std::vector<Target> replaces;
    std::vector<Chosen> replacements;  // one per replace row
    std::vector<Target> kept;
    std::vector<Row> rows;
};

bool FileSizeOf(const std::string& path, unsigned long long* size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    *size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool Fail(const char* what, const std::string& path) {
    std::fprintf(stderr, "%s failed: %s (error %lu)\n", what, path.c_str(), GetLastError());
    return false;
}

bool Copy(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) || Fail("CopyFileA", to);
}

std::vector<Source> ListSources(const std::string& folder) {
    std::vector<Source> sources;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return sources;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        Source source;
        source.path = folder + found.cFileName;
        source.stem = found.cFileName;
        std::size_t dot = source.stem.rfind('.');
        if (dot != std::string::npos) source.stem.resize(dot);
        source.size =
            (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        sources.push_back(source);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(sources.begin(), sources.end(),
              [](const Source& a, const Source& b) { return a.path < b.path; });
    return sources;
}

std::string Numbered(const char* prefix, int index, const Source& source) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d", index);
    return std::string(prefix) + number + "-" + source.stem + ".ttf";
}

// Names every file and copies the sources into place: the fonts folder's targets, the
// kept backups, the files to add and the replacements. Real copies throughout, as the
// run overwrites some of them.
bool Prepare(Setup& setup) {
    const std::vector<Source>& sources = setup.sources;
    const std::size_t n = sources.size();
    CreateDirectoryA((setup.root + "adds").c_str(), nullptr);
    CreateDirectoryA((setup.root + "new").c_str(), nullptr);
    CreateDirectoryA((setup.root + "work").c_str(), nullptr);
    CreateDirectoryA((setup.root + "work\\Backup").c_str(), nullptr);
    if (!SetCurrentDirectoryA((setup.root + "work").c_str()))
        return Fail("SetCurrentDirectoryA", setup.root + "work");

    for (int i = 0; i < kAdds; ++i) {
        const Source& source = sources[static_cast<std::size_t>(i) % n];
        Chosen add{Numbered("tb-add-", i, source), "", &source};
        add.path = setup.root + "adds\\" + add.name;
        if (!Copy(source.path, add.path)) return false;
        setup.adds.push_back(add);
    }
    for (int i = 0; i < kDeletes; ++i) {
        const Source& source = sources[static_cast<std::size_t>(i) % n];
        setup.deletes.push_back({Numbered("tb-del-", i, source), &source});
    }
    for (int i = 0; i < kReplaces; ++i) {
        const Source& source = sources[static_cast<std::size_t>(i) % n];
        setup.replaces.push_back({Numbered("tb-rep-", i, source), &source});
        // A replacement of another font, so the content really changes.
        const Source& other = sources[static_cast<std::size_t>(i + 11) % n];
        Chosen replacement{Numbered("tb-new-", i, other), "", &other};
        replacement.path = setup.root + "new\\" + replacement.name;
        if (!Copy(other.path, replacement.path)) return false;
        setup.replacements.push_back(replacement);
    }
    for (int i = 0; i < kKept; ++i) {
        const Source& source = sources[static_cast<std::size_t>(i) % n];
        Target kept{Numbered("tb-keep-", i, source), &source};
        if (!Copy(source.path, kFonts + kept.name) ||
            !Copy(source.path, std::string(kBackup) + kept.name))
            return false;
        setup.kept.push_back(kept);
    }
    for (const std::vector<Target>* targets : {&setup.deletes, &setup.replaces})
        for (const Target& target : *targets)
            if (!Copy(target.origin->path, kFonts + target.name)) return false;

    int adds = 0, deletes = 0, replaces = 0;
    for (int row = 0; row < kRows; ++row) {
        switch (row % 5) {
            case 0:
                setup.rows.push_back({Kind::Add, adds++});
                break;
            case 1:
            case 2:
                setup.rows.push_back({Kind::Delete, deletes++});
                break;
            default:
                setup.rows.push_back({Kind::Replace, replaces++});
                break;
        }
    }
    return true;
}

// Queues the rows of the given kinds as the task window would: delete and replace rows
// carry the installed file name, add and replace rows record their chosen file. The
// TaskFile list only grows, as in the program; a file already recorded is not recorded
// again.
void QueueRows(const Setup& setup, bool adds, bool others) {
    while (TaskList::RowCount() > 0) TaskList::DeleteRow(TaskList::RowCount() - 1);
    for (const Row& row : setup.rows) {
        const std::size_t i = static_cast<std::size_t>(row.index);
        if (row.kind == Kind::Add && adds) {
            TaskList::AppendTaskRow(setup.adds[i].name, kAddText, "");
            if (FindTaskFile(setup.adds[i].name).fileName.empty())
                AppendTaskFile({setup.adds[i].name, setup.adds[i].path});
        } else if (row.kind == Kind::Delete && others) {
            TaskList::AppendTaskRow(setup.deletes[i].name, kDeleteText, "");
        } else if (row.kind == Kind::Replace && others) {
            const Chosen& replacement = setup.replacements[i];
            TaskList::AppendTaskRow(setup.replaces[i].name, kReplaceText, replacement.name);
            if (FindTaskFile(replacement.name).fileName.empty())
                AppendTaskFile({replacement.name, replacement.path});
        }
    }
}

// Whether the add sources are registered with the font manager: add rows register them
// (with the source path, not the copy) and the benchmark takes that back.
bool addsRegistered = false;

// Takes back what add rows did: the registrations and the copies in the fonts folder.
void UndoAdds(const Setup& setup) {
    for (const Chosen& add : setup.adds) {
        if (addsRegistered) RemoveFontResourceA(add.path.c_str());
        DeleteFileA((kFonts + add.name).c_str());
    }
    addsRegistered = false;
}

void RemoveRowBackups(const Setup& setup) {
    for (const std::vector<Target>* targets : {&setup.deletes, &setup.replaces})
        for (const Target& target : *targets) DeleteFileA((kBackup + target.name).c_str());
    // Older different backups, should a run have kept any.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(".\\Backup\\*.bak", &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do DeleteFileA((std::string(kBackup) + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}

// The number of fonts-folder targets that are missing or do not have their original
// size; with repair, they are copied back from their source.
int CheckTargets(const Setup& setup, bool repair) {
    int wrong = 0;
    for (const std::vector<Target>* targets : {&setup.deletes, &setup.replaces, &setup.kept}) {
        for (const Target& target : *targets) {
            unsigned long long size = 0;
            if (FileSizeOf(kFonts + target.name, &size) && size == target.origin->size) continue;
            ++wrong;
            if (repair) Copy(target.origin->path, kFonts + target.name);
        }
    }
    return wrong;
}

// The state before a run: the fonts folder as prepared, no added files, only the kept
// backups in the backup folder.
void Reset(const Setup& setup) {
    UndoAdds(setup);
    RemoveRowBackups(setup);
    CheckTargets(setup, true);
    platform::ProcessPendingEvents();
}

struct Outcomes {
    int added = 0, deleted = 0, replaced = 0, other = 0;
};

Outcomes CountOutcomes() {
    Outcomes outcomes;
    for (int row = 0; row < TaskList::RowCount(); ++row) {
        std::string result = TaskList::CellText(row, TaskList::kResultColumn);
        if (result == kAddedText)
            ++outcomes.added;
        else if (result == kDeletedText)
            ++outcomes.deleted;
        else if (result == kReplacedText)
            ++outcomes.replaced;
        else
            ++outcomes.other;
    }
    return outcomes;
}

void ClearResults() {
    for (int row = 0; row < TaskList::RowCount(); ++row) TaskList::SetResult(row, "");
}

// The file operations of the rows, done directly, in row order.
void FloorRun(const Setup& setup, bool adds, bool others) {
    for (const Row& row : setup.rows) {
        const std::size_t i = static_cast<std::size_t>(row.index);
        if (row.kind == Kind::Add) {
            if (!adds) continue;
            CopyFileA(setup.adds[i].path.c_str(), (kFonts + setup.adds[i].name).c_str(), TRUE);
        } else if (others) {
            const Target& target = row.kind == Kind::Delete ? setup.deletes[i] : setup.replaces[i];
            std::string path = kFonts + target.name;
            CopyFileA(path.c_str(), (kBackup + target.name).c_str(), FALSE);
            DeleteFileA(path.c_str());
            if (row.kind == Kind::Replace)
                CopyFileA(setup.replacements[i].path.c_str(), path.c_str(), FALSE);
        }
    }
}

// A copy as the program makes it, directly: under "<name>.tmp", flushed to the disk, then
// renamed to its name.
void WholeCopy(const std::string& from, const std::string& to, bool replace) {
    const std::string temporary = to + ".tmp";
    CopyFileA(from.c_str(), temporary.c_str(), FALSE);
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
    MoveFileExA(temporary.c_str(), to.c_str(),
                MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0));
}

// The delete and replace rows' file operations with every copy made whole: what keeping
// every version through a kill or a power cut costs in itself.
void FloorRunWhole(const Setup& setup) {
    for (const Row& row : setup.rows) {
        if (row.kind == Kind::Add) continue;
        const std::size_t i = static_cast<std::size_t>(row.index);
        const Target& target = row.kind == Kind::Delete ? setup.deletes[i] : setup.replaces[i];
        std::string path = kFonts + target.name;
        WholeCopy(path, kBackup + target.name, false);
        DeleteFileA(path.c_str());
        if (row.kind == Kind::Replace) WholeCopy(setup.replacements[i].path, path, false);
    }
}

// The restore's copies made whole, the replacements it overwrites kept first; the kept
// backups are identical to the fonts folder's files, so nothing is copied for them.
void FloorRestoreWhole(const Setup& setup) {
    for (const Target& target : setup.deletes)
        WholeCopy(kBackup + target.name, kFonts + target.name, false);
    for (const Target& target : setup.replaces) {
        WholeCopy(kFonts + target.name, kBackup + target.name + ".1.bak", false);
        WholeCopy(kBackup + target.name, kFonts + target.name, true);
    }
}

// The existence tests (directory searches) a run makes, in the state before the run: the
// add's source; the delete's target, and the target again after its backup; the
// replace's target. Without adds: those of the delete and replace rows alone.
int ExistenceTests(const Setup& setup, bool adds = true) {
    int found = 0;
    for (const Row& row : setup.rows) {
        const std::size_t i = static_cast<std::size_t>(row.index);
        if (row.kind == Kind::Add) {
            if (adds) found += FileExists(setup.adds[i].path);
            continue;
        }
        const Target& target = row.kind == Kind::Delete ? setup.deletes[i] : setup.replaces[i];
        found += FileExists(kFonts + target.name);
        if (row.kind == Kind::Delete) found += FileExists(kFonts + target.name);
    }
    return found;
}

// The result cells a run writes, one a row, the count read once as the run reads it. The
// cells are emptied first (not timed): a cell written with the text it holds already costs
// the list view less, since it has nothing to redraw.
void ResultWrites() {
    const int count = TaskList::RowCount();
    for (int row = 0; row < count; ++row) TaskList::SetResult(row, kDeletedText);
}

// The list and task-file work a run makes per row: the task cell, the font cell, the
// replace-with cell and its TaskFile, the add's TaskFile, the result cell.
void ListWork() {
    for (int row = 0; row < TaskList::RowCount(); ++row) {
        std::string kind = TaskList::CellText(row, TaskList::kTaskColumn);
        std::string font = TaskList::CellText(row, TaskList::kFontColumn);
        if (kind == kAddText) {
            FindTaskFile(font);
        } else if (kind == kReplaceText) {
            FindTaskFile(TaskList::CellText(row, TaskList::kReplaceWithColumn));
        }
        TaskList::SetResult(row, kDeletedText);
    }
}

// The run's progress, each call scrolling a page further and repainting the list: what
// one throttled progress step costs (a run takes one every kProgressIntervalMs).
constexpr int kProgressSteps = 20;
void ProgressSteps() {
    int page = 16;
    for (int step = 0; step < kProgressSteps; ++step)
        TaskList::ShowProgress((step * page) % TaskList::RowCount(), true);
}

int walked = 0;

void CountWalked(const std::string&) {
    ++walked;
}

// The restore's per-file caption, shown as the restore shows it.
void Captions(int count) {
    ui::Ctl label = {forms::MainForm(), forms::main_window::kStatusLabel};
    ui::SetVisible(label, true);
    for (int i = 0; i < count; ++i) ui::SetCaption(label, "正在还原字体备份");
    ui::SetVisible(label, false);
}

// The restore's copies, directly: every backup back into the fonts folder.
void FloorRestore(const Setup& setup) {
    for (const std::vector<Target>* targets : {&setup.deletes, &setup.replaces, &setup.kept})
        for (const Target& target : *targets)
            CopyFileA((kBackup + target.name).c_str(), (kFonts + target.name).c_str(), FALSE);
}

struct Best {
    double ms[kRuns] = {};
    int count = 0;
    void Add(double value) { ms[count++] = value; }
    double Min() const { return *std::min_element(ms, ms + count); }
    double Median() const {
        std::vector<double> sorted(ms, ms + count);
        std::sort(sorted.begin(), sorted.end());
        const std::size_t half = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[half] : (sorted[half - 1] + sorted[half]) / 2;
    }
};

// The ratios of the program to its floor: of the best times, and the median of the
// ratios within each round (program and floor measured one after the other, so they
// share the machine's load of the moment).
void PrintRatio(const char* what, const Best& program, const Best& floor) {
    Best ratios;
    for (int i = 0; i < program.count && i < floor.count; ++i)
        ratios.Add(program.ms[i] / floor.ms[i]);
    std::printf("  ratio %s: %.2f of the best times, %.2f median within a round\n", what,
                program.Min() / floor.Min(), ratios.Median());
}

// The same for the program's time less parts of it (the closing rebuild, the existence
// searches), each part measured in the same round.
void PrintRatioLess(const char* what, const Best& program, std::initializer_list<const Best*> parts,
                    const Best& floor) {
    Best less;
    for (int i = 0; i < program.count; ++i) {
        double ms = program.ms[i];
        for (const Best* part : parts) ms -= part->ms[i];
        less.Add(ms);
    }
    PrintRatio(what, less, floor);
}

// The best time, the time per item (row, backup or font) and every run's time.
void Print(const char* what, const Best& best, int items, const char* item) {
    std::printf("  %-46s %9.1f ms %7.2f ms/%-6s (runs:", what, best.Min(),
                items ? best.Min() / items : 0.0, item);
    for (int i = 0; i < best.count; ++i) std::printf(" %.0f", best.ms[i]);
    std::printf(")\n");
}

template <typename Body>
double Time(Body body) {
    long long start = Now();
    body();
    return MillisecondsSince(start);
}

double Megabytes(const std::vector<Target>& targets) {
    double bytes = 0;
    for (const Target& target : targets) bytes += static_cast<double>(target.origin->size);
    return bytes / 1048576.0;
}

double Megabytes(const std::vector<Chosen>& files) {
    double bytes = 0;
    for (const Chosen& file : files) bytes += static_cast<double>(file.origin->size);
    return bytes / 1048576.0;
}

// Everything this program put into the fonts folder goes; nothing of it is left
// registered.
void CleanUp(const Setup& setup) {
    UndoAdds(setup);
    for (const std::vector<Target>* targets : {&setup.deletes, &setup.replaces, &setup.kept}) {
        for (const Target& target : *targets) {
            DeleteFileA((kFonts + target.name).c_str());
            DeleteFileA((kBackup + target.name).c_str());
        }
    }
    RemoveRowBackups(setup);
    for (const Chosen& add : setup.adds) DeleteFileA(add.path.c_str());
    for (const Chosen& replacement : setup.replacements) DeleteFileA(replacement.path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: task_run_bench <folder>\n");
        return 2;
    }
    Setup setup;
    setup.root = argv[1];
    if (setup.root.back() != '\\') setup.root += '\\';
    setup.sources = ListSources(setup.root + "sources\\");
    if (setup.sources.empty()) {
        std::fprintf(stderr, "no files in %ssources\\\n", setup.root.c_str());
        return 2;
    }
    long long start = Now();
    if (!Prepare(setup)) {
        CleanUp(setup);
        return 1;
    }
    std::printf(
        "prepared in %.1f s: %zu source files; %d rows = %d add + %d delete + %d "
        "replace, %d more backups\n",
        MillisecondsSince(start) / 1000.0, setup.sources.size(), kRows, kAdds, kDeletes, kReplaces,
        kKept);
    std::printf(
        "  sizes: add %.1f MB, delete %.1f MB, replace %.1f MB replaced by %.1f MB, "
        "kept %.1f MB\n",
        Megabytes(setup.adds), Megabytes(setup.deletes), Megabytes(setup.replaces),
        Megabytes(setup.replacements), Megabytes(setup.kept));

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    CreateInstalledFontList();
    CreateTaskFileList();
    // Not modal: the call returns once the window shows; its created handler has scanned
    // the fonts folder. The window is never closed (its destroyed handler would end the
    // process); the process just exits at the end.
    double loadMs = Time([] { ui::LoadWindow(forms::MainForm(), false); });
    std::printf("  main window loaded in %.1f ms, catalogue: %zu fonts\n", loadMs,
                InstalledFontList().size());
    QueueRows(setup, true, true);
    std::printf(
        "  queued %d rows, %zu task files; %d rounds, each figure the best of "
        "them\n\n",
        TaskList::RowCount(), TaskFileList().size(), kRuns);

    // Whole list: the program's run, the rebuild alone in the state the run leaves, the
    // restore; the floor; the program's run once more over the identical backups.
    Best run, rebuild, restore, floorRun, floorRestore, rerun, exists, listWork, progress, walk,
        captions;
    // Delete and replace rows alone: files only, no font manager.
    Best fileRun, fileRebuild, fileFloor, fileSearches, fileResults, fileFloorWhole,
        restoreFloorWhole;
    // Add rows alone, and what an add does beyond its copy.
    Best addRun, addRebuild, addFloor, install, registerOnly, registerCopies, broadcastOnly,
        unregisterOnly, fontsFolder;
    Outcomes outcomes, rerunOutcomes, fileOutcomes, addOutcomes;
    int restoreWrong = 0, floorWrong = 0, existing = 0, registered = 0;
    std::size_t catalogueAfterRun = 0, catalogueAfterFiles = 0, catalogueAfterAdds = 0;
    for (int round = 0; round < kRuns; ++round) {
        QueueRows(setup, true, true);
        Reset(setup);
        exists.Add(Time([&] { existing = ExistenceTests(setup); }));
        listWork.Add(Time([] { ListWork(); }));
        progress.Add(Time([] { ProgressSteps(); }));
        ClearResults();
        platform::ProcessPendingEvents();
        run.Add(Time([] { RunTaskList(); }));
        addsRegistered = true;
        outcomes = CountOutcomes();
        catalogueAfterRun = InstalledFontList().size();
        platform::ProcessPendingEvents();
        rebuild.Add(Time([] { RebuildInstalledFontList(); }));
        platform::ProcessPendingEvents();
        restore.Add(Time([] { RestoreBackups(); }));
        restoreWrong = CheckTargets(setup, false);
        walk.Add(Time([] {
            walked = 0;
            WalkFolder(kBackup, CountWalked, "*.ttf", true, 0, true);
        }));
        captions.Add(Time([] { Captions(kRows); }));

        Reset(setup);
        floorRun.Add(Time([&] { FloorRun(setup, true, true); }));
        floorRestore.Add(Time([&] { FloorRestore(setup); }));
        floorWrong = CheckTargets(setup, false);

        // The backups the floor left are identical to the fonts folder's files again.
        UndoAdds(setup);
        ClearResults();
        platform::ProcessPendingEvents();
        rerun.Add(Time([] { RunTaskList(); }));
        addsRegistered = true;
        rerunOutcomes = CountOutcomes();
        RestoreBackups();

        QueueRows(setup, false, true);
        Reset(setup);
        platform::ProcessPendingEvents();
        fileRun.Add(Time([] { RunTaskList(); }));
        fileOutcomes = CountOutcomes();
        catalogueAfterFiles = InstalledFontList().size();
        platform::ProcessPendingEvents();
        fileRebuild.Add(Time([] { RebuildInstalledFontList(); }));
        RestoreBackups();
        Reset(setup);
        fileFloor.Add(Time([&] { FloorRun(setup, false, true); }));
        FloorRestore(setup);
        Reset(setup);
        fileFloorWhole.Add(Time([&] { FloorRunWhole(setup); }));
        restoreFloorWhole.Add(Time([&] { FloorRestoreWhole(setup); }));
        Reset(setup);
        // The searches a run of these rows makes, with every target in place again.
        fileSearches.Add(Time([&] { ExistenceTests(setup, false); }));
        ClearResults();
        fileResults.Add(Time([] { ResultWrites(); }));

        QueueRows(setup, true, false);
        Reset(setup);
        platform::ProcessPendingEvents();
        addRun.Add(Time([] { RunTaskList(); }));
        addsRegistered = true;
        addOutcomes = CountOutcomes();
        catalogueAfterAdds = InstalledFontList().size();
        platform::ProcessPendingEvents();
        addRebuild.Add(Time([] { RebuildInstalledFontList(); }));
        UndoAdds(setup);
        platform::ProcessPendingEvents();
        addFloor.Add(Time([&] { FloorRun(setup, true, false); }));
        // The copies in the fonts folder were never registered before the first round;
        // the sources were registered by the runs above.
        registerCopies.Add(Time([&] {
            for (const Chosen& add : setup.adds) AddFontResourceA((kFonts + add.name).c_str());
        }));
        for (const Chosen& add : setup.adds) RemoveFontResourceA((kFonts + add.name).c_str());
        registerOnly.Add(Time([&] {
            registered = 0;
            for (const Chosen& add : setup.adds)
                if (AddFontResourceA(add.path.c_str()) > 0) ++registered;
        }));
        broadcastOnly.Add(Time([&] {
            for (std::size_t n = 0; n < setup.adds.size(); ++n) platform::BroadcastFontChange();
        }));
        platform::ProcessPendingEvents();
        unregisterOnly.Add(Time([&] {
            for (const Chosen& add : setup.adds) RemoveFontResourceA(add.path.c_str());
        }));
        // What an add row calls, without the list, the existence test and the rebuild.
        UndoAdds(setup);
        platform::ProcessPendingEvents();
        install.Add(Time([&] {
            for (const Chosen& add : setup.adds) InstallFontFile(add.path);
        }));
        addsRegistered = true;
        UndoAdds(setup);
        platform::ProcessPendingEvents();
        fontsFolder.Add(Time([&] {
            std::string folder;
            for (std::size_t n = 0; n < setup.adds.size(); ++n)
                platform::SystemFontsFolder(&folder);
        }));
    }

    std::printf("task list of %d rows (%d add, %d delete, %d replace):\n", kRows, kAdds, kDeletes,
                kReplaces);
    Print("program: RunTaskList", run, kRows, "row");
    std::printf(
        "    results: %d added, %d deleted, %d replaced, %d other; catalogue after the "
        "run: %zu fonts\n",
        outcomes.added, outcomes.deleted, outcomes.replaced, outcomes.other, catalogueAfterRun);
    Print("  of which the closing catalogue rebuild", rebuild, static_cast<int>(catalogueAfterRun),
          "font");
    Print("floor: CopyFileA/DeleteFileA", floorRun, kRows, "row");
    PrintRatio("run / floor", run, floorRun);
    PrintRatioLess("(run - rebuild) / floor", run, {&rebuild}, floorRun);
    const int tests = kAdds + 2 * kDeletes + kReplaces;
    Print("existence tests (searches) of a run, alone", exists, tests, "test");
    std::printf("    %d tests, %d found\n", tests, existing);
    Print("list cells and task files of a run, alone", listWork, kRows, "row");
    Print("progress: scroll a page and repaint", progress, kProgressSteps, "step");
    std::printf("    a run takes one step every %d ms\n", ui::kProgressIntervalMs);
    std::printf("\n");

    const int backups = kDeletes + kReplaces + kKept;
    std::printf("restore of %d backups:\n", backups);
    Print("program: RestoreBackups", restore, backups, "backup");
    std::printf("    fonts folder files not as prepared afterwards: %d\n", restoreWrong);
    Print("floor: CopyFileA back", floorRestore, backups, "backup");
    std::printf("    fonts folder files not as prepared afterwards: %d\n", floorWrong);
    PrintRatio("restore / floor", restore, floorRestore);
    Print("floor with whole copies, overwritten files kept", restoreFloorWhole, backups, "backup");
    PrintRatio("restore / floor with whole copies", restore, restoreFloorWhole);
    Print("the restore's walk alone, no copies", walk, backups, "backup");
    std::printf("    %d files walked\n", walked);
    Print("the restore's caption alone", captions, kRows, "call");
    std::printf("\n");

    std::printf("the same %d rows again, over identical backups of the same names:\n", kRows);
    Print("program: RunTaskList", rerun, kRows, "row");
    std::printf("    results: %d added, %d deleted, %d replaced, %d other\n", rerunOutcomes.added,
                rerunOutcomes.deleted, rerunOutcomes.replaced, rerunOutcomes.other);
    PrintRatio("second run / floor", rerun, floorRun);
    PrintRatio("second run / first run", rerun, run);
    std::printf("\n");

    std::printf("the %d delete and replace rows alone:\n", kDeletes + kReplaces);
    Print("program: RunTaskList", fileRun, kDeletes + kReplaces, "row");
    std::printf("    results: %d deleted, %d replaced, %d other\n", fileOutcomes.deleted,
                fileOutcomes.replaced, fileOutcomes.other);
    Print("  of which the closing catalogue rebuild", fileRebuild,
          static_cast<int>(catalogueAfterFiles), "font");
    Print("floor: CopyFileA/DeleteFileA", fileFloor, kDeletes + kReplaces, "row");
    PrintRatio("run / floor", fileRun, fileFloor);
    PrintRatioLess("(run - rebuild) / floor", fileRun, {&fileRebuild}, fileFloor);
    Print("  the rows' existence searches alone", fileSearches, kDeletes + kReplaces, "row");
    Print("  the rows' result cells alone", fileResults, kDeletes + kReplaces, "row");
    PrintRatioLess("(run - rebuild - searches - results) / floor", fileRun,
                   {&fileRebuild, &fileSearches, &fileResults}, fileFloor);
    Print("floor with whole copies (.tmp, flush, rename)", fileFloorWhole, kDeletes + kReplaces,
          "row");
    PrintRatioLess("(run - rebuild) / floor with whole copies", fileRun, {&fileRebuild},
                   fileFloorWhole);
    PrintRatioLess("(run - rebuild - searches - results) / floor with whole copies", fileRun,
                   {&fileRebuild, &fileSearches, &fileResults}, fileFloorWhole);
    std::printf("\n");

    std::printf("the %d add rows alone:\n", kAdds);
    Print("program: RunTaskList", addRun, kAdds, "row");
    std::printf("    results: %d added, %d other; catalogue after the run: %zu fonts\n",
                addOutcomes.added, addOutcomes.other, catalogueAfterAdds);
    Print("  of which the closing catalogue rebuild", addRebuild,
          static_cast<int>(catalogueAfterAdds), "font");
    Print("floor: CopyFileA", addFloor, kAdds, "row");
    PrintRatio("run / floor", addRun, addFloor);
    PrintRatioLess("(run - rebuild) / floor", addRun, {&addRebuild}, addFloor);
    Print("InstallFontFile alone", install, kAdds, "font");
    Print("AddFontResourceA alone, sources again", registerOnly, kAdds, "font");
    Print("AddFontResourceA alone, the fonts-folder copies", registerCopies, kAdds, "font");
    std::printf("    %d of %d registrations accepted\n", registered, kAdds);
    Print("WM_FONTCHANGE broadcast alone", broadcastOnly, kAdds, "call");
    Print("RemoveFontResourceA (not part of a run)", unregisterOnly, kAdds, "font");
    Print("SHGetSpecialFolderPathA(CSIDL_FONTS) alone", fontsFolder, kAdds, "call");

    CleanUp(setup);
    std::fflush(stdout);
    // The main window is left to the end of the process: closing it through the form
    // would run its destroyed handler.
    ExitProcess(0);
}
