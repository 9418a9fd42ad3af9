// Helpers shared by the driver files: code page 936 <-> UTF-16 (the driver reads the W
// texts of another process) and class names.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

inline std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    int size = static_cast<int>(text.size());
    int needed = MultiByteToWideChar(936, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(936, 0, text.data(), size, wide.data(), needed);
    return wide;
}

inline std::string Bytes(const std::wstring& text) {
    if (text.empty()) return {};
    int size = static_cast<int>(text.size());
    int needed = WideCharToMultiByte(936, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(936, 0, text.data(), size, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

// The base class name ("Button" also for a versioned "6.0.0.0!Button").
std::string ClassNameOf(HWND hwnd);
bool ClassIs(HWND hwnd, const char* className);
// The bounds of a list row in the list's client area.
bool ListRowRect(HWND list, int row, RECT* rect);

// SendMessage to another process's window that gives up when it hangs; -1 then.
LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Mouse input at a screen point (absolute coordinates run from 0 to 65535).
INPUT MouseInput(DWORD flags, POINT at);
// A left click at a screen point with real input, without bringing any window forward
// (a combo box's dropped list closes when its window loses the activation); false when
// the pointer did not get there.
bool ClickOnScreen(POINT at);
// A key pressed and released, sent to whatever has the keyboard focus.
void KeyInput(WORD key);

}  // namespace e2e
