// The headless model's windows and events: loading (modal loops that run the test's
// scripted steps), deferred closing, user input, and the test interface that reads back
// what a user would see.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>

#include "platform/standin/headless.h"
#include "platform/standin/headless_model.h"

namespace headless::model {
namespace {

struct QueuedClick {
    const ui::Form* form;
    std::string name;
};

// Without a reporter of the test framework's own, a misspelt name ends the run loudly.
void AbortOnMissingControl(const std::string& form, const std::string& control) {
    std::fprintf(stderr, "no control \"%s\" in the loaded form %s\n", control.c_str(),
                 form.c_str());
    std::abort();
}

struct Model {
    std::vector<std::unique_ptr<Window>> windows;  // the last one is the frontmost
    std::deque<Step> steps;
    std::deque<QueuedClick> queuedClicks;
    std::vector<const ui::Form*> pendingCloses;
    // Handlers running above the innermost event loop; a close takes effect at 0.
    int depth = 0;
    MissingControlReporter missingControl = AbortOnMissingControl;
};

Model& M() {
    static Model model;
    return model;
}

bool SameName(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return a == b;
    return std::strcmp(a, b) == 0;
}

Control MakeControl(const ui::ControlSpec& def) {
    Control control;
    control.def = &def;
    control.visible = def.visible;
    control.disabled = def.disabled;
    control.checked = def.checked;
    control.text = def.caption != nullptr ? def.caption : "";
    control.left = def.left;
    control.top = def.top;
    control.width = def.width;
    control.height = def.height;
    if (def.kind == ui::Kind::CommonDlg && def.dialog != nullptr) {
        control.dialogTitle = def.dialog->title != nullptr ? def.dialog->title : "";
    }
    return control;
}

void Destroy(const ui::Form& form) {
    Window* window = Find(form.className);
    if (window == nullptr || window->destroying) return;
    window->destroying = true;
    Dispatch(form.onDestroyed);
    auto& windows = M().windows;
    windows.erase(
        std::remove_if(windows.begin(), windows.end(),
                       [&](const std::unique_ptr<Window>& w) { return w->form == &form; }),
        windows.end());
}

void DrainCloses() {
    while (!M().pendingCloses.empty()) {
        const ui::Form* form = M().pendingCloses.front();
        M().pendingCloses.erase(M().pendingCloses.begin());
        Destroy(*form);
    }
}

void RequestClose(const ui::Form& form) {
    auto& pending = M().pendingCloses;
    if (std::find(pending.begin(), pending.end(), &form) == pending.end()) {
        pending.push_back(&form);
    }
    if (M().depth == 0) DrainCloses();
}

void BringToFront(Window* window) {
    auto& windows = M().windows;
    auto it = std::find_if(windows.begin(), windows.end(),
                           [&](const std::unique_ptr<Window>& w) { return w.get() == window; });
    std::rotate(it, it + 1, windows.end());
}

// The event loop of a modal window: what the user does next comes from the script;
// with nothing left to do, the user closes the window.
void RunModalLoop(const ui::Form& form) {
    int outerDepth = M().depth;
    M().depth = 0;
    for (;;) {
        DrainCloses();
        if (Alive(form.className) == nullptr || ProgramEnded()) break;
        DeliverQueuedClicks();
        DrainCloses();
        if (Alive(form.className) == nullptr || ProgramEnded()) break;
        if (M().steps.empty()) {
            RequestClose(form);
            continue;
        }
        Step step = std::move(M().steps.front());
        M().steps.pop_front();
        step();
    }
    M().depth = outerDepth;
}

// A user action on a control: the window must take input, and the control too.
Control* Target(const ui::Form& form, const char* name, ui::Kind kind) {
    if (ProgramEnded()) return nullptr;
    Window* window = Alive(form.className);
    if (window == nullptr || !window->enabled || !window->shown) return nullptr;
    Control* control = FindControl(window, name);
    if (control == nullptr || control->def->kind != kind) return nullptr;
    return Reachable(window, control) ? control : nullptr;
}

// The row a click or a key lands on; anything outside the rows is empty space.
int RowAt(const Control& list, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < list.rows.size() ? row : -1;
}

}  // namespace

Window* Find(const char* name) {
    for (auto& window : M().windows) {
        if (SameName(window->form->className, name)) return window.get();
    }
    return nullptr;
}

Window* Alive(const char* name) {
    Window* window = Find(name);
    return window != nullptr && !window->destroying ? window : nullptr;
}

Control* FindControl(Window* window, const char* name) {
    if (window == nullptr || name == nullptr) return nullptr;
    for (Control& control : window->controls) {
        if (SameName(control.def->name, name)) return &control;
    }
    return nullptr;
}

Control* Lookup(ui::Ctl c) {
    Window* window = Find(c.window);
    if (window == nullptr) return nullptr;
    Control* control = FindControl(window, c.name);
    if (control == nullptr) M().missingControl(c.window, c.name ? c.name : "(null)");
    return control;
}

bool Shown(Window* window, const Control* control) {
    if (!window->shown) return false;
    for (const Control* c = control; c != nullptr;) {
        if (!c->visible) return false;
        if (c->def->parent == nullptr) return true;
        const Control* parent = FindControl(window, c->def->parent);
        if (parent == nullptr) return false;
        if (parent->def->kind == ui::Kind::Tab && c->def->page >= 0 &&
            c->def->page != parent->page) {
            return false;
        }
        c = parent;
    }
    return true;
}

bool Reachable(Window* window, const Control* control) {
    if (!Shown(window, control)) return false;
    for (const Control* c = control; c != nullptr; c = FindControl(window, c->def->parent)) {
        if (c->disabled) return false;
        if (c->def->parent == nullptr) break;
    }
    return true;
}

void Dispatch(const std::function<void()>& handler) {
    if (!handler) return;
    ++M().depth;
    handler();
    --M().depth;
    if (M().depth == 0) DrainCloses();
}

void DeliverQueuedClicks() {
    while (!M().queuedClicks.empty()) {
        QueuedClick click = M().queuedClicks.front();
        M().queuedClicks.pop_front();
        headless::Click(*click.form, click.name.c_str());
    }
}

}  // namespace headless::model

namespace ui {

using headless::model::Alive;
using headless::model::Window;

bool LoadWindow(const Form& form, bool modal) {
    using namespace headless::model;
    if (Window* existing = Alive(form.className)) {
        BringToFront(existing);
        return false;
    }
    auto window = std::make_unique<Window>();
    window->form = &form;
    window->title = form.title != nullptr ? form.title : "";
    window->width = form.width;
    window->height = form.height;
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        window->controls.push_back(MakeControl(form.controls[i]));
    }
    M().windows.push_back(std::move(window));
    // Created fires before the window is first shown, while the load is still running.
    Dispatch(form.onCreated);
    Window* created = Alive(form.className);
    if (created == nullptr) return true;
    created->shown = true;
    if (!modal) return true;

    std::vector<std::pair<const Form*, bool>> earlier;
    for (auto& other : M().windows) {
        if (other.get() == created) continue;
        earlier.emplace_back(other->form, other->enabled);
        other->enabled = false;
    }
    RunModalLoop(form);
    for (const auto& [otherForm, enabled] : earlier) {
        if (Window* other = Find(otherForm->className)) other->enabled = enabled;
    }
    return true;
}

void CloseWindow(const char* name) {
    if (Window* window = Alive(name)) headless::model::RequestClose(*window->form);
}

bool IsLoaded(const char* name) {
    return Alive(name) != nullptr;
}

}  // namespace ui

namespace headless {

using model::Alive;
using model::Control;
using model::M;
using model::Target;
using model::Window;

void SetMissingControlReporter(MissingControlReporter reporter) {
    M().missingControl = reporter;
}

void Script(std::vector<Step> steps) {
    for (Step& step : steps) M().steps.push_back(std::move(step));
}

std::size_t StepsLeft() {
    return M().steps.size();
}

bool Click(const ui::Form& form, const char* name) {
    Control* control = Target(form, name, ui::Kind::Button);
    if (control == nullptr) control = Target(form, name, ui::Kind::RadioBox);
    if (control == nullptr) return false;
    ui::Handler handler = control->def->onClick;
    if (control->def->kind == ui::Kind::RadioBox) {
        // Radio buttons with the same parent exclude each other, and the clicked one is
        // on before its handler runs.
        for (Control& other : Alive(form.className)->controls) {
            if (other.def->kind == ui::Kind::RadioBox &&
                ui::SameParent(*other.def, *control->def)) {
                other.checked = false;
            }
        }
        control->checked = true;
    }
    model::Dispatch(handler);
    return true;
}

bool ClickList(const ui::Form& form, const char* name, int row) {
    Control* list = Target(form, name, ui::Kind::ListView);
    if (list == nullptr) return false;
    list->selected = model::RowAt(*list, row);
    model::Dispatch(list->def->onClick);
    return true;
}

bool SelectRowWithKeyboard(const ui::Form& form, const char* name, int row) {
    Control* list = Target(form, name, ui::Kind::ListView);
    if (list == nullptr) return false;
    list->selected = model::RowAt(*list, row);
    return true;
}

bool ChooseItem(const ui::Form& form, const char* name, int index) {
    Control* combo = Target(form, name, ui::Kind::ComboBox);
    if (combo == nullptr || index < 0 || static_cast<std::size_t>(index) >= combo->items.size()) {
        return false;
    }
    combo->current = index;
    return true;
}

bool DropFiles(const ui::Form& form, const std::vector<std::string>& paths) {
    Window* window = Alive(form.className);
    if (ProgramEnded() || window == nullptr || !window->enabled || !window->shown ||
        form.onFilesDropped == nullptr)
        return false;
    model::Dispatch([&] { form.onFilesDropped(paths); });
    return true;
}

bool PressEscape(const ui::Form& form) {
    Window* window = Alive(form.className);
    if (ProgramEnded() || window == nullptr || !window->enabled || !form.escapeCloses) {
        return false;
    }
    model::RequestClose(form);
    return true;
}

bool PressCloseBox(const ui::Form& form) {
    Window* window = Alive(form.className);
    if (ProgramEnded() || window == nullptr || !window->enabled || !form.controlBox) {
        return false;
    }
    model::RequestClose(form);
    return true;
}

void QueueClick(const ui::Form& form, const char* name) {
    M().queuedClicks.push_back({&form, name});
}

ControlState State(const ui::Form& form, const char* name) {
    ControlState state;
    Window* window = model::Find(form.className);
    const Control* control = model::FindControl(window, name);
    if (control == nullptr) return state;
    state.exists = true;
    state.visible = control->visible;
    state.shown = model::Shown(window, control);
    state.disabled = control->disabled;
    state.checked = control->checked;
    state.caption = control->text;
    state.left = control->left;
    state.top = control->top;
    state.width = control->width;
    state.height = control->height;
    state.rowsScrolledTo = control->rowsScrolledTo;
    state.repaints = control->repaints;
    return state;
}

int WindowHeight(const ui::Form& form) {
    Window* window = model::Find(form.className);
    return window != nullptr ? window->height : 0;
}

int WindowWidth(const ui::Form& form) {
    Window* window = model::Find(form.className);
    return window != nullptr ? window->width : 0;
}

std::string WindowTitle(const ui::Form& form) {
    Window* window = model::Find(form.className);
    return window != nullptr ? window->title : "";
}

std::string BusyReason(const ui::Form& form) {
    Window* window = model::Find(form.className);
    return window != nullptr ? window->busyReason : "";
}

bool WindowEnabled(const ui::Form& form) {
    Window* window = model::Find(form.className);
    return window != nullptr && window->enabled;
}

const ui::Form* FrontWindow() {
    return M().windows.empty() ? nullptr : M().windows.back()->form;
}

int CurrentPage(const ui::Form& form, const char* tabName) {
    const Control* tab = model::FindControl(model::Find(form.className), tabName);
    return tab != nullptr ? tab->page : -1;
}

std::vector<std::string> Items(const ui::Form& form, const char* comboName) {
    std::vector<std::string> texts;
    const Control* combo = model::FindControl(model::Find(form.className), comboName);
    if (combo == nullptr) return texts;
    for (const auto& item : combo->items) texts.push_back(item.first);
    return texts;
}

void Reset() {
    M().windows.clear();
    M().steps.clear();
    M().queuedClicks.clear();
    M().pendingCloses.clear();
    M().depth = 0;
    model::ResetDialogs();
    model::ResetProcess();
}

}  // namespace headless
