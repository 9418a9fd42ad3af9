// The task window: one add, delete or replace task is composed on one of three pages
// and queued as a row of the main window's list (plus, for add and replace, a TaskFile
// naming the chosen file).
#include "tasks/task_window.h"

#include "fontfs/catalogue.h"
#include "fontfs/file_utils.h"
#include "forms/task_form.h"
#include "platform/vocabulary.h"
#include "tasks/task_files.h"
#include "tasks/task_kinds.h"
#include "tasks/task_list.h"

namespace {

using namespace forms::task_window;

// Catalogue file names are padded to this many bytes so the face names line up.
constexpr std::size_t kLabelNameBytes = 15;

ui::Ctl Task(const char* name) {
    return {kWindow, name};
}

// The caption and heights each page radio button sets, in the order they are set.
struct PageLayout {
    const char* radio;
    const char* caption;
    int page;
    forms::task_window::PageHeights heights;
};

constexpr PageLayout kAddPageLayout = {kAddPageRadio, kAddTask, 0, kShortPage};
constexpr PageLayout kDeletePageLayout = {kDeletePageRadio, kDeleteTask, 1, kShortPage};
constexpr PageLayout kReplacePageLayout = {kReplacePageRadio, kReplaceTask, 2, kReplacePage};

void ShowPage(const PageLayout& layout) {
    if (!ui::Checked(Task(layout.radio))) return;
    ui::SetCaption(Task(kPageFrame), layout.caption);
    ui::SetCurrentPage(Task(kPages), layout.page);
    ui::SetHeight(Task(kPages), layout.heights.pages);
    ui::SetHeight(Task(kPageFrame), layout.heights.frame);
    ui::SetWindowHeight(kWindow, layout.heights.window);
}

// Pads the catalogue entry's own fileName in place (the padded name is what delete and
// replace rows carry until the next rebuild), then builds "name[face]".
std::string CatalogueLabel(InstalledFont& font) {
    if (font.fileName.size() < kLabelNameBytes) font.fileName.resize(kLabelNameBytes, ' ');
    return font.fileName + "[" + font.faceName + "]";
}

// The catalogue position stored with the chosen item, -1 when nothing is chosen.
int ChosenCataloguePosition(const char* comboName) {
    ui::Ctl combo = Task(comboName);
    return ui::ItemData(combo, ui::CurrentIndex(combo));
}

// The catalogue entry at a 1-based position, or null when the position names none.
InstalledFont* CatalogueEntry(int position) {
    std::vector<InstalledFont>& fonts = InstalledFontList();
    if (position < 1 || static_cast<std::size_t>(position) > fonts.size()) return nullptr;
    return &fonts[static_cast<std::size_t>(position) - 1];
}

// Shows the window's file dialog and puts the chosen path into the page's edit box. The
// dialog leaves the working folder, and with it the backup folder, where it was.
void BrowseInto(const char* title, const char* editName) {
    ui::Ctl dialog = Task(kFileDialog);
    ui::SetDialogTitle(dialog, title);
    if (!ui::Open(dialog)) return;
    std::string path = ui::FileName(dialog);
    if (path.empty()) return;
    ui::SetText(Task(editName), path);
}

}  // namespace

void TaskWindowCreated() {
    ui::SetWindowHeight(kWindow, kShortPage.window);
    ui::Ctl deleteChooser = Task(kDeleteFontChooser);
    ui::Ctl replaceChooser = Task(kReplacedFontChooser);
    std::vector<InstalledFont>& fonts = InstalledFontList();
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        int position = static_cast<int>(i) + 1;
        ui::AddItem(deleteChooser, CatalogueLabel(fonts[i]), position);
        ui::AddItem(replaceChooser, CatalogueLabel(fonts[i]), position);
    }
    // With an empty catalogue this leaves both choosers without a selection.
    ui::SetCurrentIndex(deleteChooser, 0);
    ui::SetCurrentIndex(replaceChooser, 0);
}

void ShowAddPage() {
    ShowPage(kAddPageLayout);
}
void ShowDeletePage() {
    ShowPage(kDeletePageLayout);
}
void ShowReplacePage() {
    ShowPage(kReplacePageLayout);
}

void BrowseAddFile() {
    BrowseInto("选择添加的字体文件", kAddPathBox);
}
void BrowseReplaceFile() {
    BrowseInto("选择要替换的新字体文件", kReplacementPathBox);
}

void QueueDeleteTask() {
    const InstalledFont* font = CatalogueEntry(ChosenCataloguePosition(kDeleteFontChooser));
    if (font == nullptr) return;
    TaskList::AppendTaskRow(font->fileName, kDeleteTask, "");
}

void QueueReplaceTask() {
    const InstalledFont* font = CatalogueEntry(ChosenCataloguePosition(kReplacedFontChooser));
    std::string path = ui::Text(Task(kReplacementPathBox));
    if (font == nullptr || path.empty()) return;
    TaskFile file{FileNameOfPath(path), path};
    // The run finds a replacement by its file name alone, so a second file of the same
    // name from another folder would silently be replaced by the first one's contents.
    TaskFile recorded = FindTaskFile(file.fileName);
    if (!recorded.fileName.empty() && recorded.sourcePath != file.sourcePath) return;
    TaskList::AppendTaskRow(font->fileName, kReplaceTask, file.fileName);
    AppendTaskFile(file);
}

void QueueAddOf(const std::string& path) {
    TaskFile file{FileNameOfPath(path), path};
    // An empty name never counts as queued, so empty adds may be repeated.
    if (!FindTaskFile(file.fileName).fileName.empty()) return;
    TaskList::AppendTaskRow(file.fileName, kAddTask, "");
    AppendTaskFile(file);
}

void QueueAddTask() {
    QueueAddOf(ui::Text(Task(kAddPathBox)));
    ui::SetText(Task(kAddPathBox), "");
}

void CloseTaskWindow() {
    ui::CloseWindow(kWindow);
}
