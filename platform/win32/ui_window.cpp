// Top-level windows: the registry of loaded forms, their window class and procedure,
// LoadWindow with its modal loop, CloseWindow and the window properties.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "platform/win32/ui_internal.h"

namespace ui::win32 {
namespace {

std::vector<std::unique_ptr<LoadedWindow>>& Registry() {
    static std::vector<std::unique_ptr<LoadedWindow>> windows;
    return windows;
}

void Unregister(const LoadedWindow* window) {
    auto& windows = Registry();
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [window](const auto& w) { return w.get() == window; }),
                  windows.end());
}

// Windows not shown in the taskbar and owned by no window of the program are owned by
// this hidden window: an owned window never gets a taskbar button of its own.
HWND HiddenOwner() {
    static HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    return owner;
}

// Gives the windows a modal load disabled their earlier state back. Done before the
// modal window goes away, so that the system can hand the activation to one of them.
void RestoreOthers(LoadedWindow& window) {
    for (const auto& [other, enabled] : window.disabledOthers) {
        if (IsWindow(other)) EnableWindow(other, enabled ? TRUE : FALSE);
    }
    window.disabledOthers.clear();
}

void DestroyNow(LoadedWindow& window) {
    if (window.destroyed) return;
    RestoreOthers(window);
    DestroyWindow(window.hwnd);
}

// The picture box may hold its own copy of a 32-bpp bitmap (common controls 6 copies
// such bitmaps), which is then ours to delete along with the original.
void ReleasePictures(LoadedWindow& window) {
    for (const Control& control : window.controls) {
        if (control.row->kind != Kind::PicBox || control.hwnd == nullptr) continue;
        auto shown =
            reinterpret_cast<HGDIOBJ>(SendMessageW(control.hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (shown != nullptr && std::find(window.gdiObjects.begin(), window.gdiObjects.end(),
                                          shown) == window.gdiObjects.end())
            window.gdiObjects.push_back(shown);
    }
}

LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<LoadedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        window =
            static_cast<LoadedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

    switch (message) {
        case WM_COMMAND:
            // IsDialogMessageW turns Esc into IDCANCEL without a sending control.
            if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
                if (window->form->escapeCloses) DestroyNow(*window);
                return 0;
            }
            // ... and Enter into IDOK, since no button is a default button: Enter presses
            // the focused button, as it does in any dialog.
            if (lParam == 0 && LOWORD(wParam) == IDOK) {
                PressFocusedButton(*window);
                return 0;
            }
            return RouteCommand(hwnd, wParam, lParam);
        case WM_NOTIFY:
            return RouteNotify(hwnd, lParam);
        case WM_ACTIVATE:
            // As a dialog does: the focus leaves with the activation and comes back with it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                RememberFocus(*window);
                break;
            }
            if (HIWORD(wParam) == 0 && RestoreFocus(*window)) return 0;
            break;
        case WM_SETFOCUS:
            if (RestoreFocus(*window)) return 0;
            break;
        case WM_CLOSE:
        case kCloseRequested:
            DestroyNow(*window);
            return 0;
        case WM_DESTROY:
            window->destroyed = true;
            RestoreOthers(*window);
            ReleasePictures(*window);
            if (window->form->onDestroyed != nullptr) window->form->onDestroyed();
            return 0;
        case WM_NCDESTROY: {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            for (HGDIOBJ object : window->gdiObjects) DeleteObject(object);
            for (const auto& font : window->fonts) DeleteObject(font.second);
            Unregister(window);
            break;
        }
        case WM_DROPFILES:
            DeliverDroppedFiles(*window, reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_DPICHANGED:
            // Moved to a monitor of another DPI: the system suggests the new frame.
            ApplyNewDpi(*window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_QUERYENDSESSION:
            // A log-off or shut-down first asks every top-level window whether the session
            // may end. One that says no makes Windows wait and list the program with its
            // reason, until the user ends it anyway; the default answer is yes. The query
            // reaches a window only where the program looks at its messages, which a run
            // does between rows.
            if (window->busy) return FALSE;
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterFormClass(const std::wstring& className) {
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = FormWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    // The program's icon at the system's DPI, for what looks at the class; each window
    // gets it again at its own DPI (SetIconsForDpi).
    cls.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
    cls.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = className.c_str();
    return RegisterClassExW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

DWORD FrameStyle(const Form& form) {
    DWORD style = WS_CLIPCHILDREN;
    switch (form.border) {
        case BorderStyle::None:
            style |= WS_POPUP;
            break;
        case BorderStyle::Resizable:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
            break;
        case BorderStyle::FixedSingle:
            style |= WS_OVERLAPPED | WS_CAPTION;
            break;
    }
    if (form.controlBox) style |= WS_SYSMENU;
    if (form.minimizeButton) style |= WS_MINIMIZEBOX;
    if (form.maximizeButton) style |= WS_MAXIMIZEBOX;
    return style;
}

// A window loaded modally while another window of the program is open is owned by the
// one that was active when it was loaded (else the one loaded last). An owned window
// always stays above its owner: both may be always on top, and bringing the disabled
// owner forward must not cover the window that takes the input.
HWND OwnerFor(const Form& form, bool modal) {
    std::vector<LoadedWindow*> open = LoadedWindows();
    if (modal && !open.empty()) {
        HWND active = GetActiveWindow();
        return active != nullptr && FindWindowOf(active) != nullptr ? active : open.back()->hwnd;
    }
    return form.showInTaskbar ? nullptr : HiddenOwner();
}

// The outer frame at the window's DPI, centred on the screen when the form says so.
void PlaceWindow(LoadedWindow& window) {
    int width = Scaled(window, window.form->width);
    int height = ClampedSize(Scaled(window, window.height));
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!window.form->centred) flags |= SWP_NOMOVE;
    SetWindowPos(window.hwnd, nullptr, left, top, width, height, flags);
}

void BringToFront(HWND hwnd) {
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    BringWindowToTop(hwnd);
}

// Runs the messages of every window of the program until `hwnd` is gone. A WM_QUIT
// ends the loop early and stays queued for the loops outside this one.
void RunModalLoop(HWND hwnd) {
    MSG msg;
    while (IsWindow(hwnd)) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0) return;
        DispatchWithDialogKeys(msg);
    }
}

}  // namespace

LoadedWindow* FindWindowNamed(const char* name) {
    if (name == nullptr) return nullptr;
    for (auto& window : Registry()) {
        if (!window->destroyed && std::strcmp(window->form->className, name) == 0)
            return window.get();
    }
    return nullptr;
}

LoadedWindow* FindWindowOf(HWND topLevel) {
    for (auto& window : Registry()) {
        if (window->hwnd == topLevel) return window.get();
    }
    return nullptr;
}

std::vector<LoadedWindow*> LoadedWindows() {
    std::vector<LoadedWindow*> windows;
    for (auto& window : Registry()) {
        if (!window->destroyed) windows.push_back(window.get());
    }
    return windows;
}

Control* FindControl(LoadedWindow& window, const char* name) {
    if (name == nullptr) return nullptr;
    for (Control& control : window.controls) {
        if (std::strcmp(control.row->name, name) == 0) return &control;
    }
    // Every name looked up comes from the form's own names; one the window lacks is a
    // mistake that would otherwise pass silently.
    assert(false && "no control of that name in the loaded window");
    return nullptr;
}

Control* FindControl(Ctl c) {
    LoadedWindow* window = FindWindowNamed(c.window);
    return window != nullptr ? FindControl(*window, c.name) : nullptr;
}

Control* FindControlOfKind(Ctl c, Kind kind) {
    Control* control = FindControl(c);
    return control != nullptr && control->row->kind == kind ? control : nullptr;
}

}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

bool LoadWindow(const Form& form, bool modal) {
    if (LoadedWindow* existing = FindWindowNamed(form.className)) {
        BringToFront(existing->hwnd);
        return false;
    }
    std::wstring className = Widen(form.className);
    if (!RegisterFormClass(className)) return false;
    HWND owner = OwnerFor(form, modal);

    Registry().push_back(std::make_unique<LoadedWindow>());
    LoadedWindow& window = *Registry().back();
    window.form = &form;
    window.controls.resize(form.controlCount);
    for (std::size_t i = 0; i < form.controlCount; ++i) window.controls[i].row = &form.controls[i];

    window.height = form.height;
    // Until the window exists its DPI is the system's; the window may then say otherwise.
    window.dpi = SystemDpi();
    DWORD exStyle = WS_EX_CONTROLPARENT | (form.alwaysOnTop ? WS_EX_TOPMOST : 0);
    // An owned window that is meant to be in the taskbar has to ask for its button.
    if (form.showInTaskbar && owner != nullptr) exStyle |= WS_EX_APPWINDOW;
    HWND hwnd = CreateWindowExW(
        exStyle, className.c_str(), Widen(form.title ? form.title : "").c_str(), FrameStyle(form),
        CW_USEDEFAULT, CW_USEDEFAULT, Scaled(window, form.width), Scaled(window, form.height),
        owner, nullptr, GetModuleHandleW(nullptr), &window);
    if (hwnd == nullptr) {
        Unregister(&window);
        return false;
    }
    window.dpi = DpiOfWindow(hwnd);
    SetIconsForDpi(window);
    AcceptDroppedFiles(window);
    PlaceWindow(window);
    for (std::size_t i = 0; i < form.controlCount; ++i) CreateControl(window, i);

    // Created runs before the window is first shown; it may already ask to close it.
    if (form.onCreated != nullptr) form.onCreated();
    if (!IsWindow(hwnd)) return true;

    HWND previous = GetForegroundWindow();
    if (modal) {
        for (LoadedWindow* other : LoadedWindows()) {
            if (other == &window) continue;
            // Its focused control gets the focus back when this window is gone.
            RememberFocus(*other);
            window.disabledOthers.emplace_back(other->hwnd, IsWindowEnabled(other->hwnd) != FALSE);
            EnableWindow(other->hwnd, FALSE);
        }
    }
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    // A window opens with the focus on its first control.
    if (GetActiveWindow() == hwnd && !IsChild(hwnd, GetFocus())) RestoreFocus(window);
    if (!modal) return true;

    RunModalLoop(hwnd);
    if (previous != nullptr && IsWindow(previous) && IsWindowEnabled(previous))
        SetForegroundWindow(previous);
    return true;
}

void CloseWindow(const char* name) {
    if (LoadedWindow* window = FindWindowNamed(name)) RequestClose(window->hwnd);
}

bool IsLoaded(const char* name) {
    return FindWindowNamed(name) != nullptr;
}

void SetTitle(const char* name, const std::string& text) {
    if (LoadedWindow* window = FindWindowNamed(name))
        SetWindowTextW(window->hwnd, Widen(text).c_str());
}

void SetBusyReason(const char* name, const std::string& reason) {
    LoadedWindow* window = FindWindowNamed(name);
    if (window == nullptr) return;
    window->busy = !reason.empty();
    // Only the answer to WM_QUERYENDSESSION holds the session up; the reason is the text
    // Windows shows for the window meanwhile. Wine 8 has both calls as stubs that fail
    // (ERROR_CALL_NOT_IMPLEMENTED) and no ShutdownBlockReasonQuery, so its tests see the
    // answer only.
    if (window->busy)
        ShutdownBlockReasonCreate(window->hwnd, Widen(reason).c_str());
    else
        ShutdownBlockReasonDestroy(window->hwnd);
}

void SetWindowHeight(const char* name, int height) {
    LoadedWindow* window = FindWindowNamed(name);
    if (window == nullptr) return;
    window->height = ClampedSize(height);
    RECT frame;
    GetWindowRect(window->hwnd, &frame);
    SetWindowPos(window->hwnd, nullptr, 0, 0, frame.right - frame.left,
                 ClampedSize(Scaled(*window, window->height)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
