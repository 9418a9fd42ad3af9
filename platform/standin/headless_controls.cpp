// The headless model's properties and commands of the control vocabulary. Each acts on
// the in-memory control the way the real control does; a window that is not loaded is
// ignored and reads as empty, and a control its loaded window lacks is reported first.
#include <deque>
#include <optional>

#include "platform/standin/headless.h"
#include "platform/standin/headless_model.h"

namespace headless::model {
namespace {

struct Dialogs {
    std::deque<std::optional<std::string>> answers;  // nullopt: the user cancels
    std::string lastTitle;
    int shown = 0;
};

Dialogs& D() {
    static Dialogs dialogs;
    return dialogs;
}

bool ValidRow(const Control& list, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < list.rows.size();
}

bool ValidCell(const Control& list, int row, int column) {
    return ValidRow(list, row) && column >= 0 &&
           static_cast<std::size_t>(column) < list.rows[row].size();
}

}  // namespace

void ResetDialogs() {
    D() = Dialogs();
}

}  // namespace headless::model

namespace ui {

using headless::model::Control;
using headless::model::Lookup;

void SetTitle(const char* name, const std::string& text) {
    if (auto* window = headless::model::Find(name)) window->title = text;
}

void SetBusyReason(const char* name, const std::string& reason) {
    if (auto* window = headless::model::Find(name)) window->busyReason = reason;
}

void SetWindowHeight(const char* name, int height) {
    if (auto* window = headless::model::Find(name)) {
        window->height = headless::model::ClampWindowHeight(height);
    }
}

void SetVisible(Ctl c, bool visible) {
    if (Control* control = Lookup(c)) control->visible = visible;
}

void SetDisabled(Ctl c, bool disabled) {
    if (Control* control = Lookup(c)) control->disabled = disabled;
}

void SetHeight(Ctl c, int height) {
    if (Control* control = Lookup(c)) control->height = ClampedSize(height);
}

void SetCaption(Ctl c, const std::string& text) {
    if (Control* control = Lookup(c)) control->text = text;
}

bool Checked(Ctl c) {
    Control* control = Lookup(c);
    return control != nullptr && control->checked;
}

// The pages are the form's; a page that does not exist leaves the current one showing.
void SetCurrentPage(Ctl c, int page) {
    Control* tab = Lookup(c);
    if (tab == nullptr || page < 0 || static_cast<std::size_t>(page) >= tab->def->pageCount) {
        return;
    }
    tab->page = page;
}

std::string Text(Ctl c) {
    Control* control = Lookup(c);
    return control != nullptr ? control->text : "";
}

int CurrentIndex(Ctl c) {
    Control* combo = Lookup(c);
    return combo != nullptr ? combo->current : -1;
}

void SetCurrentIndex(Ctl c, int index) {
    Control* combo = Lookup(c);
    if (combo == nullptr) return;
    int count = static_cast<int>(combo->items.size());
    if (index < 0 || count == 0) {
        combo->current = -1;
    } else {
        combo->current = index < count ? index : count - 1;
    }
}

int AddItem(Ctl c, const std::string& text, int data) {
    Control* combo = Lookup(c);
    if (combo == nullptr) return -1;
    combo->items.emplace_back(text, data);
    return static_cast<int>(combo->items.size()) - 1;
}

int ItemData(Ctl c, int index) {
    Control* combo = Lookup(c);
    if (combo == nullptr || index < 0 || static_cast<std::size_t>(index) >= combo->items.size()) {
        return -1;
    }
    return combo->items[index].second;
}

void SetDialogTitle(Ctl c, const std::string& title) {
    if (Control* dialog = Lookup(c)) dialog->dialogTitle = title;
}

std::string FileName(Ctl c) {
    Control* dialog = Lookup(c);
    return dialog != nullptr ? dialog->fileName : "";
}

bool Open(Ctl c) {
    using namespace headless::model;
    Window* owner = Alive(c.window);
    Control* dialog = owner != nullptr ? Lookup(c) : nullptr;
    if (dialog == nullptr || dialog->def->kind != Kind::CommonDlg) return false;
    D().lastTitle = dialog->dialogTitle;
    ++D().shown;
    std::optional<std::string> answer;
    if (!D().answers.empty()) {
        answer = D().answers.front();
        D().answers.pop_front();
    }
    // The dialog is modal over its owner; windows still enabled get their events meanwhile.
    bool ownerEnabled = owner->enabled;
    owner->enabled = false;
    DeliverQueuedClicks();
    if (Window* stillThere = Alive(c.window)) stillThere->enabled = ownerEnabled;
    dialog = Lookup(c);
    if (!answer || dialog == nullptr) return false;
    dialog->fileName = *answer;
    return true;
}

int SelectedIndex(Ctl c) {
    Control* list = Lookup(c);
    return list != nullptr ? list->selected : -1;
}

int RowCount(Ctl c) {
    Control* list = Lookup(c);
    return list != nullptr ? static_cast<int>(list->rows.size()) : 0;
}

int AppendRow(Ctl c) {
    Control* list = Lookup(c);
    if (list == nullptr) return -1;
    std::size_t columns = list->def->columnCount > 0 ? list->def->columnCount : 1;
    list->rows.emplace_back(columns);
    return static_cast<int>(list->rows.size()) - 1;
}

std::string CellText(Ctl c, int row, int column) {
    Control* list = Lookup(c);
    if (list == nullptr || !headless::model::ValidCell(*list, row, column)) return "";
    return list->rows[row][column];
}

void SetCellText(Ctl c, int row, int column, const std::string& text) {
    Control* list = Lookup(c);
    if (list == nullptr || !headless::model::ValidCell(*list, row, column)) return;
    list->rows[row][column] = text;
}

// No event runs here: clicks queued meanwhile stay queued.
void ShowProgressAt(Ctl c, int row, bool) {
    Control* list = Lookup(c);
    if (list == nullptr || !headless::model::ValidRow(*list, row)) return;
    list->rowsScrolledTo.push_back(row);
    ++list->repaints;
}

// The selection follows its row: removing the selected row leaves none selected.
void DeleteRow(Ctl c, int row) {
    Control* list = Lookup(c);
    if (list == nullptr || !headless::model::ValidRow(*list, row)) return;
    list->rows.erase(list->rows.begin() + row);
    if (list->selected == row) {
        list->selected = -1;
    } else if (list->selected > row) {
        --list->selected;
    }
}

}  // namespace ui

namespace headless {

void AnswerFileDialog(const std::string& path) {
    model::D().answers.emplace_back(path);
}

void CancelFileDialog() {
    model::D().answers.emplace_back(std::nullopt);
}

std::string LastDialogTitle() {
    return model::D().lastTitle;
}

int DialogsShown() {
    return model::D().shown;
}

}  // namespace headless
