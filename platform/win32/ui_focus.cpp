// The keyboard focus of the program's windows, kept the way a dialog keeps it: a window
// that opens or becomes active again focuses its first control, or the one that had the
// focus before; a form may give its own Tab order; Enter presses the focused button;
// and a control that lost the focus by being disabled gets it back once it can take it.
#include <cstdint>

#include "platform/win32/ui_internal.h"

namespace ui::win32 {
namespace {

// On screen within its window: its own and every parent's WS_VISIBLE, whether or not
// the window itself is shown yet (it is not, while it is being activated by its load).
bool ShownWithin(HWND control, HWND window) {
    for (HWND hwnd = control; hwnd != nullptr && hwnd != window; hwnd = GetParent(hwnd)) {
        if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) == 0) return false;
    }
    return true;
}

bool CanTakeFocus(const LoadedWindow& window, HWND control) {
    return control != nullptr && IsWindow(control) && IsChild(window.hwnd, control) &&
           IsWindowEnabled(control) && ShownWithin(control, window.hwnd);
}

bool IsTabStop(const Control& control) {
    return control.hwnd != nullptr &&
           (GetWindowLongPtrW(control.hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
}

// The form's Tab order: the controls it names, then the other tab stops in creation order.
std::vector<Control*> TabOrder(LoadedWindow& window) {
    std::vector<Control*> order;
    const Form& form = *window.form;
    for (std::size_t i = 0; i < form.tabOrderCount; ++i) {
        if (Control* control = FindControl(window, form.tabOrder[i])) order.push_back(control);
    }
    for (Control& control : window.controls) {
        if (!IsTabStop(control)) continue;
        bool named = false;
        for (const Control* listed : order) named = named || listed == &control;
        if (!named) order.push_back(&control);
    }
    return order;
}

// The control that holds hwnd: a combo box's own edit or list belongs to the combo box.
Control* ControlHolding(LoadedWindow& window, HWND hwnd) {
    for (Control& control : window.controls) {
        if (control.hwnd != nullptr && (control.hwnd == hwnd || IsChild(control.hwnd, hwnd)) &&
            control.row->kind != Kind::GroupBox && control.row->kind != Kind::Tab)
            return &control;
    }
    return nullptr;
}

// A radio button takes the focus for its group through the button that is checked.
HWND FocusTargetOf(LoadedWindow& window, Control& control) {
    if (control.row->kind != Kind::RadioBox) return control.hwnd;
    for (Control& other : window.controls) {
        if (other.row->kind == Kind::RadioBox && SameParent(*other.row, *control.row) &&
            other.hwnd != nullptr && SendMessageW(other.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED &&
            CanTakeFocus(window, other.hwnd))
            return other.hwnd;
    }
    return control.hwnd;
}

// The first control in Tab order from position `from` on (wrapping) that takes the focus.
HWND NextInTabOrder(LoadedWindow& window, std::size_t from, bool backwards) {
    std::vector<Control*> order = TabOrder(window);
    for (std::size_t step = 0; step < order.size(); ++step) {
        std::size_t at =
            backwards ? (from + order.size() - step) % order.size() : (from + step) % order.size();
        if (CanTakeFocus(window, order[at]->hwnd)) return FocusTargetOf(window, *order[at]);
    }
    return nullptr;
}

std::size_t PositionInTabOrder(LoadedWindow& window, const Control* control, std::size_t none) {
    std::vector<Control*> order = TabOrder(window);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == control) return i;
    }
    return none;
}

void FocusControl(HWND window, HWND control) {
    SetFocus(control);
    // Keyboard use shows the focus rectangle, as the dialog keys do.
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace

void RememberFocus(LoadedWindow& window) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window.hwnd, focus)) window.lastFocus = focus;
}

bool RestoreFocus(LoadedWindow& window) {
    HWND target = nullptr;
    if (CanTakeFocus(window, window.lastFocus)) {
        target = window.lastFocus;
    } else {
        // The control that had the focus is gone or disabled: the next one after it.
        Control* last = window.lastFocus != nullptr && IsWindow(window.lastFocus)
                            ? ControlHolding(window, window.lastFocus)
                            : nullptr;
        target = NextInTabOrder(window, PositionInTabOrder(window, last, 0), false);
    }
    if (target == nullptr) return false;
    SetFocus(target);
    return true;
}

void RestoreFocusOfActiveWindow() {
    HWND active = GetActiveWindow();
    LoadedWindow* window = active != nullptr ? FindWindowOf(active) : nullptr;
    if (window == nullptr || window->destroyed) return;
    HWND focus = GetFocus();
    if (focus == nullptr || focus == active) RestoreFocus(*window);
}

void NoteDisabling(LoadedWindow& window, HWND control) {
    HWND focus = GetFocus();
    // Windows leaves no control focused when the focused one is disabled.
    if (focus != nullptr && (focus == control || IsChild(control, focus)))
        window.lastFocus = control;
}

bool MoveFocusByTab(LoadedWindow& window, bool backwards) {
    if (window.form->tabOrderCount == 0) return false;  // the dialog keys' own order
    Control* current = ControlHolding(window, GetFocus());
    std::size_t at = PositionInTabOrder(window, current, backwards ? 0 : SIZE_MAX);
    std::size_t count = TabOrder(window).size();
    if (count == 0) return true;
    std::size_t from = at == SIZE_MAX ? 0 : (backwards ? at + count - 1 : at + 1) % count;
    if (HWND next = NextInTabOrder(window, from, backwards)) FocusControl(window.hwnd, next);
    return true;
}

void PressFocusedButton(LoadedWindow& window) {
    HWND focus = GetFocus();
    Control* control = focus != nullptr ? ControlOfHwnd(focus) : nullptr;
    if (control == nullptr || control->row->kind != Kind::Button || !IsChild(window.hwnd, focus) ||
        !IsWindowEnabled(focus))
        return;
    RouteCommand(window.hwnd, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                 reinterpret_cast<LPARAM>(focus));
}

}  // namespace ui::win32
