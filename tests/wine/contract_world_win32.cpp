// The shared cases' world under Wine: real files in the harness's fresh scratch folder,
// and the Win32 layer's real windows, which the user works through messages after
// checking what the system would let a mouse or keyboard reach. Modal steps are fed by a
// thread timer, whose messages every modal loop dispatches.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

#include "contract/contract_world.h"
#include "harness/check.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/win32/text_936.h"
#include "platform/win32/ui_internal.h"
#include "platform_test_files.h"

namespace contract {
namespace {

using ui::win32::LoadedWindow;

std::vector<HANDLE> heldFiles;
std::deque<Step> steps;
UINT_PTR stepTimer = 0;
// For each running step, and each time the world itself lets events run: the windows
// loaded when it began. A modal loop running inside one of them is for a window loaded
// later; a window from the list only took the input back when a later one went.
std::vector<std::vector<HWND>> windowsBefore;
std::string folderBefore;
std::wstring dialogAnswer;
UINT_PTR dialogTimer = 0;

std::vector<HWND> LoadedNow() {
    std::vector<HWND> windows;
    for (LoadedWindow* window : ui::win32::LoadedWindows()) windows.push_back(window->hwnd);
    return windows;
}

// The innermost window that takes input: the last loaded one that is enabled. While a
// modal window is up, every window loaded before it is disabled.
HWND InnermostWindow() {
    HWND innermost = nullptr;
    for (HWND window : LoadedNow()) {
        if (IsWindowEnabled(window)) innermost = window;
    }
    return innermost;
}

// Whether a modal loop for this window may be running now.
bool LoadedSinceTheLastBeginning(HWND window) {
    if (windowsBefore.empty()) return true;
    for (HWND before : windowsBefore.back()) {
        if (before == window) return false;
    }
    return true;
}

void Pump() {
    windowsBefore.push_back(LoadedNow());
    for (int i = 0; i < 8; ++i) {
        platform::ProcessPendingEvents();
        Sleep(10);
    }
    windowsBefore.pop_back();
}

// The closing press of a close box.
void CloseWithCloseBox(HWND window) {
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Fires inside whatever loop dispatches messages; acts only in the modal loop of a window
// loaded since the running step or the world's own event processing began.
void CALLBACK FeedStep(HWND, UINT, UINT_PTR, DWORD) {
    HWND modal = InnermostWindow();
    if (modal == nullptr || !LoadedSinceTheLastBeginning(modal)) return;
    windowsBefore.push_back(LoadedNow());
    if (steps.empty()) {
        CloseWithCloseBox(modal);
    } else {
        Step step = std::move(steps.front());
        steps.pop_front();
        step();
    }
    windowsBefore.pop_back();
}

const ui::ControlSpec* RowOf(const ui::Form& form, const char* name) {
    for (std::size_t i = 0; i < form.controlCount; ++i) {
        if (std::strcmp(form.controls[i].name, name) == 0) return &form.controls[i];
    }
    return nullptr;
}

HWND WindowOf(const ui::Form& form) {
    LoadedWindow* window = ui::win32::FindWindowNamed(form.className);
    return window != nullptr ? window->hwnd : nullptr;
}

HWND ControlOf(const ui::Form& form, const char* name) {
    LoadedWindow* window = ui::win32::FindWindowNamed(form.className);
    if (window == nullptr || RowOf(form, name) == nullptr) return nullptr;
    ui::win32::Control* control = ui::win32::FindControl(*window, name);
    return control != nullptr ? control->hwnd : nullptr;
}

// What the system lets the mouse reach: a visible control whose window and parents are
// all enabled (a disabled window takes its children's input too).
bool Reachable(HWND control) {
    if (control == nullptr || !IsWindowVisible(control)) return false;
    HWND root = GetAncestor(control, GA_ROOT);
    for (HWND hwnd = control;; hwnd = GetParent(hwnd)) {
        if (!IsWindowEnabled(hwnd)) return false;
        if (hwnd == root) return true;
    }
}

bool OfKind(const ui::Form& form, const char* name, ui::Kind kind) {
    const ui::ControlSpec* row = RowOf(form, name);
    return row != nullptr && row->kind == kind;
}

// Pixels of the window at its DPI, in the forms' 96-DPI pixels.
int FormPixels(HWND hwnd, int pixels) {
    return MulDiv(pixels, platform::kFormDpi, ui::win32::DpiOfWindow(GetAncestor(hwnd, GA_ROOT)));
}

// The outer size of a window or control, in the forms' pixels.
void FormSize(HWND hwnd, int* width, int* height) {
    RECT frame;
    GetWindowRect(hwnd, &frame);
    *width = FormPixels(hwnd, frame.right - frame.left);
    *height = FormPixels(hwnd, frame.bottom - frame.top);
}

void PressKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 0x00000001);
    PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// The file-open dialog of this thread, once it is up.
HWND FileDialogShown() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
            wchar_t name[16] = L"";
            GetClassNameW(window, name, 16);
            if (std::wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Fires inside the dialog's own loop. As a user does, the dialog is taken into the file's
// folder first (the step at which it moves the working folder), then given its name. A
// dialog still setting itself up may empty the file-name box again and ignore the
// confirmation, so the next step is given at every tick until the dialog is gone.
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FileDialogShown();
    if (dialog == nullptr) return;
    int button = dialogAnswer.empty() ? IDCANCEL : IDOK;
    std::size_t split = dialogAnswer.rfind(L'\\');
    std::wstring folder = dialogAnswer.substr(0, split), name = dialogAnswer.substr(split + 1);
    wchar_t shown[MAX_PATH] = L"";
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(shown));
    const std::wstring& typed = lstrcmpiW(shown, folder.c_str()) == 0 ? name : folder;
    // The file-name box: the combo box 0x47C of newer dialogs, or the edit 0x480.
    if (button == IDOK && !SetDlgItemTextW(dialog, 0x47C, typed.c_str()))
        SetDlgItemTextW(dialog, 0x480, typed.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace

CaseScope::CaseScope() {
    folderBefore = platform::CurrentFolder();
}

CaseScope::~CaseScope() {
    LetGoOfFiles();
    if (stepTimer != 0) KillTimer(nullptr, stepTimer);
    stepTimer = 0;
    if (dialogTimer != 0) KillTimer(nullptr, dialogTimer);
    dialogTimer = 0;
    steps.clear();
    for (LoadedWindow* window : ui::win32::LoadedWindows()) DestroyWindow(window->hwnd);
    Pump();
    platform::SetCurrentFolder(folderBefore);
}

std::string CaseFolder() {
    return check::Scratch();
}

bool Write(const std::string& path, const std::string& bytes) {
    return testfiles::Write(path, bytes);
}

std::string Read(const std::string& path) {
    return testfiles::Read(path);
}

bool Exists(const std::string& path) {
    return testfiles::Exists(path);
}

bool MakeFolder(const std::string& path) {
    return testfiles::MakeFolder(path);
}

bool WriteUnnamable(const std::string& folder) {
    std::wstring path = testfiles::Wide(folder) + L"\\\xD55C\xAE00.ttf";  // Hangul
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

bool HoldOpen(const std::string& path, bool allowReaders) {
    HANDLE file =
        CreateFileW(testfiles::Wide(path).c_str(), GENERIC_READ, allowReaders ? FILE_SHARE_READ : 0,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    heldFiles.push_back(file);
    return true;
}

void LetGoOfFiles() {
    for (HANDLE file : heldFiles) CloseHandle(file);
    heldFiles.clear();
}

bool Click(const ui::Form& form, const char* name) {
    if (!OfKind(form, name, ui::Kind::Button) && !OfKind(form, name, ui::Kind::RadioBox))
        return false;
    HWND control = ControlOf(form, name);
    if (!Reachable(control)) return false;
    SendMessageW(control, BM_CLICK, 0, 0);
    return true;
}

bool ClickRow(const ui::Form& form, const char* list, int row) {
    HWND hwnd = OfKind(form, list, ui::Kind::ListView) ? ControlOf(form, list) : nullptr;
    if (!Reachable(hwnd)) return false;
    POINT at;
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    if (row >= 0 && SendMessageW(hwnd, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                                 reinterpret_cast<LPARAM>(&bounds))) {
        at = {bounds.left + 10, (bounds.top + bounds.bottom) / 2};
    } else {
        RECT client;
        GetClientRect(hwnd, &client);
        at = {client.right / 2, client.bottom - 5};
    }
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
    return true;
}

void SelectRowWithKeyboard(const ui::Form& form, const char* list, int row) {
    HWND hwnd = OfKind(form, list, ui::Kind::ListView) ? ControlOf(form, list) : nullptr;
    if (!Reachable(hwnd)) return;
    SetFocus(hwnd);
    PressKey(hwnd, VK_HOME);
    for (int i = 0; i < row; ++i) PressKey(hwnd, VK_DOWN);
    Pump();
}

void PressEscape(const ui::Form& form) {
    HWND window = WindowOf(form);
    if (window == nullptr || !IsWindowEnabled(window)) return;
    HWND focus = GetFocus();
    PressKey(focus != nullptr && IsChild(window, focus) ? focus : window, VK_ESCAPE);
    Pump();
}

void PressCloseBox(const ui::Form& form) {
    HWND window = WindowOf(form);
    if (window == nullptr || !IsWindowEnabled(window) ||
        (GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU) == 0)
        return;
    CloseWithCloseBox(window);
    Pump();
}

void LetEventsRun() {
    Pump();
}

void InModalLoops(std::vector<Step> more) {
    for (Step& step : more) steps.push_back(std::move(step));
    if (stepTimer == 0) stepTimer = SetTimer(nullptr, 0, 20, FeedStep);
}

std::size_t StepsLeft() {
    return steps.size();
}

// The dialogs come one after the other: the answer is given to whichever is up.
void AnswerNextFileDialog(const std::string& path) {
    dialogAnswer = platform::win32::WidePath(path);
    if (dialogTimer == 0) dialogTimer = SetTimer(nullptr, 0, 50, AnswerDialog);
}

Seen See(const ui::Form& form, const char* name) {
    Seen seen;
    HWND hwnd = ControlOf(form, name);
    if (hwnd == nullptr) return seen;
    seen.exists = true;
    seen.shown = IsWindowVisible(hwnd) != FALSE;
    seen.enabled = IsWindowEnabled(hwnd) != FALSE;
    seen.checked = SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    seen.text = ui::win32::WindowText(hwnd);
    FormSize(hwnd, &seen.width, &seen.height);
    return seen;
}

SeenWindow SeeWindow(const ui::Form& form) {
    SeenWindow seen;
    HWND hwnd = WindowOf(form);
    if (hwnd == nullptr) return seen;
    seen.exists = true;
    seen.enabled = IsWindowEnabled(hwnd) != FALSE;
    seen.front = GetForegroundWindow() == hwnd;
    seen.title = ui::win32::WindowText(hwnd);
    FormSize(hwnd, &seen.width, &seen.height);
    return seen;
}

}  // namespace contract
