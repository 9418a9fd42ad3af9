// The one dispatch point: WM_COMMAND and WM_NOTIFY reach the top-level window (group
// frames and page containers forward their children's), are routed to the control that
// sent them, and fire that control's click handler from the form table.
#include "platform/win32/ui_internal.h"

#include <vector>

namespace ui::win32 {
namespace {

// Which notification is a click, per kind.
struct ClickTrigger {
    Kind kind;
    bool viaNotify;  // WM_NOTIFY code, else WM_COMMAND notification code
    UINT code;
};

// NM_CLICK comes from a left click on a row or on empty list space, after the list has
// updated its selection; keyboard selection never sends it.
constexpr ClickTrigger kClickTriggers[] = {
    {Kind::Button, false, BN_CLICKED},
    {Kind::RadioBox, false, BN_CLICKED},
    {Kind::ListView, true, static_cast<UINT>(NM_CLICK)},
};

// The windows whose closing each running click handler asked for, innermost handler
// last. A handler's requests are carried out only when it has returned, also when it lets
// pending events run in between (a folder walk) or nests another handler (a modal load).
std::vector<std::vector<HWND>> closesOfRunningHandlers;

}  // namespace

void RunHandler(const std::function<void()>& handler) {
    closesOfRunningHandlers.emplace_back();
    handler();
    std::vector<HWND> closes = std::move(closesOfRunningHandlers.back());
    closesOfRunningHandlers.pop_back();
    for (HWND hwnd : closes) PostMessageW(hwnd, kCloseRequested, 0, 0);
    // A handler that disabled the focused control (a run disables its own button) would
    // leave the keyboard with nowhere to go.
    RestoreFocusOfActiveWindow();
}

namespace {

LRESULT FireIfClick(HWND from, bool viaNotify, UINT code) {
    Control* control = ControlOfHwnd(from);
    if (control == nullptr || control->row->onClick == nullptr) return 0;
    for (const ClickTrigger& trigger : kClickTriggers) {
        if (trigger.kind == control->row->kind && trigger.viaNotify == viaNotify &&
            trigger.code == code) {
            RunHandler(control->row->onClick);
            break;
        }
    }
    return 0;
}

LRESULT CALLBACK ForwardingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, ForwardingProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

Control* ControlOfHwnd(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    LoadedWindow* window = FindWindowOf(GetAncestor(hwnd, GA_ROOT));
    if (window == nullptr) return nullptr;
    int index = GetDlgCtrlID(hwnd) - kFirstControlId;
    if (index < 0 || static_cast<std::size_t>(index) >= window->controls.size()) return nullptr;
    Control& control = window->controls[static_cast<std::size_t>(index)];
    return control.hwnd == hwnd ? &control : nullptr;
}

LRESULT RouteCommand(HWND, WPARAM wParam, LPARAM lParam) {
    return FireIfClick(reinterpret_cast<HWND>(lParam), false, HIWORD(wParam));
}

LRESULT RouteNotify(HWND, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr) return 0;
    return FireIfClick(header->hwndFrom, true, header->code);
}

void RequestClose(HWND window) {
    if (closesOfRunningHandlers.empty())
        PostMessageW(window, kCloseRequested, 0, 0);
    else
        closesOfRunningHandlers.back().push_back(window);
}

void ForwardToTopLevel(HWND container) {
    SetWindowSubclass(container, ForwardingProc, 1, 0);
}

namespace {
bool IsTabKey(const MSG& msg) {
    return msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
           GetKeyState(VK_MENU) >= 0;
}
}  // namespace

void DispatchWithDialogKeys(MSG& msg) {
    HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (LoadedWindow* window = root != nullptr ? FindWindowOf(root) : nullptr) {
        if (IsTabKey(msg) && MoveFocusByTab(*window, GetKeyState(VK_SHIFT) < 0)) return;
        if (IsDialogMessageW(root, &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace ui::win32
