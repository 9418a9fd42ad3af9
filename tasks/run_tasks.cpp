// Running the task list: every row once, top to bottom, each outcome in its result cell.
// Delete and replace rows back the font file up first and work on files only; only add
// rows register a font (inside InstallFontFile).
#include "tasks/run_tasks.h"

#include "fontfs/catalogue.h"
#include "fontfs/file_utils.h"
#include "fontfs/install_font.h"
#include "fontfs/whole_copy.h"
#include "forms/main_form.h"
#include "platform/files.h"
#include "platform/vocabulary.h"
#include "tasks/backup_folder.h"
#include "tasks/font_work.h"
#include "tasks/task_files.h"
#include "tasks/task_kinds.h"
#include "tasks/task_list.h"

namespace {

using namespace forms::main_window;

constexpr const char* kFontMissing = "字体不存在";

ui::Ctl Main(const char* name) {
    return {kWindow, name};
}

void RunAddRow(int row) {
    TaskFile file = FindTaskFile(TaskList::CellText(row, TaskList::kFontColumn));
    if (!FileExists(file.sourcePath)) {
        TaskList::SetResult(row, kFontMissing);
        return;
    }
    int added = InstallFontFile(file.sourcePath);
    TaskList::SetResult(row, added != 0 ? "添加成功" : "添加失败");
}

// The paths are the fixed folders joined with the font cell as it stands, trailing
// spaces included: the Windows file calls drop spaces at the end of a path.
void RunDeleteRow(int row) {
    std::string fontCell = TaskList::CellText(row, TaskList::kFontColumn);
    std::string target = kFontsFolder + fontCell;
    if (!FileExists(target)) {
        TaskList::SetResult(row, kFontMissing);
        return;
    }
    if (!BackUpFontFile(fontCell)) return;
    if (!FileExists(target)) {
        TaskList::SetResult(row, kFontMissing);
        return;
    }
    TaskList::SetResult(row, platform::RemoveFile(target) ? "删除成功" : "删除失败");
}

void RunReplaceRow(int row) {
    std::string fontCell = TaskList::CellText(row, TaskList::kFontColumn);
    std::string target = kFontsFolder + fontCell;
    if (!FileExists(target)) {
        TaskList::SetResult(row, kFontMissing);
        return;
    }
    if (!BackUpFontFile(fontCell)) return;
    TaskFile file = FindTaskFile(TaskList::CellText(row, TaskList::kReplaceWithColumn));
    // The replacement is written whole beside the font and takes its place in one rename,
    // so the fonts folder holds the old font or the new one at every moment. A replacement
    // that cannot be read reads 替换失败 even where the font could not have been replaced
    // either: the font is unchanged both ways, and the replacement is what the user can mend.
    if (!PrepareWholeCopy(file.sourcePath, target)) {
        TaskList::SetResult(row, "替换失败");
        return;
    }
    // A font that cannot be replaced (held by Windows, read-only) stays as it is, with its
    // backup made; the row is not done and its cell stays empty. A replacement whose flush
    // under the font's name failed is in place all the same: a power cut may still bring
    // the old font back, which its backup holds too.
    if (CommitWholeCopy(target, true) == Committed::No) return;
    TaskList::SetResult(row, "替换成功");
}

struct TaskKind {
    const char* text;
    void (*run)(int row);
};

constexpr TaskKind kTaskKinds[] = {
    {kAddTask, RunAddRow},
    {kDeleteTask, RunDeleteRow},
    {kReplaceTask, RunReplaceRow},
};

void RunRow(int row) {
    std::string kind = TaskList::CellText(row, TaskList::kTaskColumn);
    for (const TaskKind& known : kTaskKinds) {
        if (kind == known.text) {
            // The cell shows this run's outcome or none: an earlier run's text must not
            // stand for work that this run did not do. An empty cell is left as it is: a
            // cell written costs a list view message, which Wine makes slow.
            if (!TaskList::CellText(row, TaskList::kResultColumn).empty())
                TaskList::SetResult(row, "");
            known.run(row);
            return;
        }
    }
    // Any other task text: the row is skipped and its result cell left alone.
}

}  // namespace

void RunTaskList() {
    FontWork work;
    ui::SetDisabled(Main(kAddTaskButton), true);
    ui::SetDisabled(Main(kDeleteTaskButton), true);
    ui::SetDisabled(Main(kRestoreButton), true);
    // Clicks made during the run reach the program when the closing catalogue walk
    // lets pending events run; a second run starting there would overlap this one.
    ui::SetDisabled(Main(kRunTasksButton), true);
    // Read once: rows appended or removed later in this run are not seen.
    int count = TaskList::RowCount();
    // The rows let no event run, but the results come into view as they are written.
    for (int row = 0; row < count; ++row) {
        RunRow(row);
        TaskList::ShowProgress(row, row == count - 1);
    }
    ui::SetDisabled(Main(kRestoreButton), false);
    ui::SetDisabled(Main(kAddTaskButton), false);
    // The delete button stays disabled until the next click in the list.
    RebuildInstalledFontList();
    ui::SetDisabled(Main(kRunTasksButton), false);
}
