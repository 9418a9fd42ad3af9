// User input into the program: mouse clicks, the Esc key, the close box, the answer to
// the file-open dialog and dropped files.
#include <cstdlib>
#include <cstring>

#include "e2e/driver/driver.h"
#include "e2e/driver/internal.h"

#include <shlobj.h>

namespace e2e {
namespace {

void BringToFront(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    if (IsIconic(top)) ShowWindow(top, SW_RESTORE);
    SetForegroundWindow(top);
    WaitUntil([top] { return GetForegroundWindow() == top; }, 1000);
}

bool PointerAt(POINT at) {
    POINT now;
    return GetCursorPos(&now) && std::abs(now.x - at.x) <= 1 && std::abs(now.y - at.y) <= 1;
}

void PostClick(HWND control, int x, int y) {
    LPARAM where = MAKELPARAM(x, y);
    PostMessageW(control, WM_MOUSEMOVE, 0, where);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(control, WM_LBUTTONUP, 0, where);
}

HWND FocusOfThreadOf(HWND window) {
    HWND focus = FocusedControl(window);
    return focus != nullptr ? focus : window;
}

}  // namespace

HWND FocusedControl(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void PressKey(HWND window, WORD key) {
    BringToFront(window);
    KeyInput(key);
}

void ClickAt(HWND control, int x, int y) {
    BringToFront(control);
    POINT at = {x, y};
    ClientToScreen(control, &at);
    if (!ClickOnScreen(at)) PostClick(control, x, y);
}

void Click(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    ClickAt(control, client.right / 2, client.bottom / 2);
}

bool ClickWithRealInput(HWND control) {
    RECT frame;
    GetWindowRect(control, &frame);
    return ClickOnScreen({(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
}

void ClickListRow(HWND list, int row) {
    RECT bounds;
    if (!ListRowRect(list, row, &bounds)) return;
    // Left of the middle of the first cell, on the row's text line.
    ClickAt(list, bounds.left + 20, (bounds.top + bounds.bottom) / 2);
}

void ClickListEmptySpace(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    int count = ListRowCount(list);
    RECT last;
    if (count > 0 && ListRowRect(list, count - 1, &last) && last.bottom + 4 >= client.bottom)
        return;  // no empty space left below the rows
    ClickAt(list, client.right / 2, client.bottom - 6);
}

void PressEscape(HWND window) {
    BringToFront(window);
    if (GetForegroundWindow() == GetAncestor(window, GA_ROOT)) {
        KeyInput(VK_ESCAPE);
        return;
    }
    HWND focus = FocusOfThreadOf(window);
    PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(focus, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001u));
}

void CloseWithCloseBox(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

HWND FindFileDialog(DWORD pid) {
    return FindTopLevel(pid, "#32770");
}

bool AnswerFileDialog(DWORD pid, const std::string& path, int timeoutMs) {
    HWND dialog = WaitForWindow(pid, "#32770", timeoutMs);
    if (dialog == nullptr) return false;
    // The file-name box: an edit inside the combo 0x47C of newer dialogs, or edit 0x480.
    HWND box = nullptr;
    WaitUntil(
        [&] {
            HWND combo = GetDlgItem(dialog, 0x47C);
            box = combo != nullptr ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
            if (box == nullptr && combo != nullptr) {
                HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr);
                if (inner != nullptr) box = FindWindowExW(inner, nullptr, L"Edit", nullptr);
            }
            if (box == nullptr) box = GetDlgItem(dialog, 0x480);
            if (box == nullptr) box = combo;
            return box != nullptr;
        },
        timeoutMs);
    if (box == nullptr) return false;
    std::wstring wide = Wide(path);
    // A dialog still setting itself up may empty the box again after it was typed into,
    // and then ignores the confirmation: type and confirm again until it closes.
    constexpr int kAttempts = 4;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                            SMTO_ABORTIFHUNG, 2000, &ignored);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        if (WaitUntil([dialog] { return !IsWindow(dialog); }, timeoutMs / kAttempts)) return true;
    }
    return false;
}

bool CancelFileDialog(DWORD pid, int timeoutMs) {
    HWND dialog = WaitForWindow(pid, "#32770", timeoutMs);
    if (dialog == nullptr) return false;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    return WaitUntil([dialog] { return !IsWindow(dialog); }, timeoutMs);
}

std::vector<std::string> FileDialogTypes(HWND dialog) {
    HWND types = GetDlgItem(dialog, 0x470);  // the file-type combo box (cmb1)
    return types != nullptr ? ComboItems(types) : std::vector<std::string>();
}

INPUT MouseInput(DWORD flags, POINT at) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((at.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((at.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void KeyInput(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

bool ClickOnScreen(POINT at) {
    INPUT move = MouseInput(MOUSEEVENTF_MOVE, at);
    SendInput(1, &move, sizeof(INPUT));
    if (!WaitUntil([at] { return PointerAt(at); }, 1000)) return false;
    INPUT press[2] = {MouseInput(MOUSEEVENTF_LEFTDOWN, at), MouseInput(MOUSEEVENTF_LEFTUP, at)};
    SendInput(2, press, sizeof(INPUT));
    return true;
}

bool DropFiles(HWND window, const std::vector<std::wstring>& paths) {
    std::wstring names;
    for (const std::wstring& path : paths) names += path + L'\0';
    names += L'\0';
    DROPFILES head = {};
    head.pFiles = sizeof head;
    head.pt = {20, 20};
    head.fWide = TRUE;
    std::vector<char> block(sizeof head + names.size() * sizeof(wchar_t));
    std::memcpy(block.data(), &head, sizeof head);
    std::memcpy(block.data() + sizeof head, names.data(), names.size() * sizeof(wchar_t));
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return false;
    // The program lets go of the block with DragFinish; what stays is a page of a test's.
    void* there = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    bool written =
        there != nullptr && WriteProcessMemory(process, there, block.data(), block.size(), nullptr);
    CloseHandle(process);
    return written &&
           PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(there), 0) != FALSE;
}

}  // namespace e2e
