// Starting and ending the program under test, and finding its top-level windows.
#include <algorithm>
#include <cctype>

#include "e2e/driver/driver.h"
#include "e2e/driver/internal.h"

namespace e2e {

std::string Environment(const char* name) {
    wchar_t value[4096];
    DWORD got = GetEnvironmentVariableW(Wide(name).c_str(), value, 4096);
    return got > 0 && got < 4096 ? Bytes(std::wstring(value, got)) : std::string();
}

Program::~Program() {
    if (info_.hProcess == nullptr) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, kWaitMs);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Program::Kill() {
    return info_.hProcess != nullptr && TerminateProcess(info_.hProcess, 99) &&
           WaitForSingleObject(info_.hProcess, kWaitMs) == WAIT_OBJECT_0;
}

bool Program::Start(const std::string& workingFolder, const std::string& exePath) {
    std::wstring exe = Wide(exePath.empty() ? Environment("FONTTASKS_EXE") : exePath);
    if (exe.empty()) return false;
    std::wstring commandLine = L"\"" + exe + L"\"";
    std::wstring folder = Wide(workingFolder);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
        info_ = {};
        return false;
    }
    return true;
}

bool Program::Running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(int timeoutMs, DWORD* exitCode) {
    if (info_.hProcess == nullptr) return false;
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    return exitCode == nullptr || GetExitCodeProcess(info_.hProcess, exitCode) != FALSE;
}

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";
}  // namespace

DisplayScaling::DisplayScaling(DWORD dpi) {
    DWORD size = sizeof earlier_;
    hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr,
                             &earlier_, &size) == ERROR_SUCCESS;
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi, sizeof dpi);
}

DisplayScaling::~DisplayScaling() {
    if (hadValue_)
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &earlier_,
                        sizeof earlier_);
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
}

bool AtDpi(int got, int value, int dpi) {
    if (dpi == 96) return got == value;
    double scaled = value * dpi / 96.0;
    return got >= scaled - 2 && got <= scaled + 2;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) return done();
        Sleep(25);
    }
}

namespace {

// "6.0.0.0!Button" style names of versioned classes are reported by their base name.
std::string ClassOf(HWND hwnd) {
    wchar_t name[256];
    int got = GetClassNameW(hwnd, name, 256);
    std::string cls = Bytes(std::wstring(name, static_cast<std::size_t>(got > 0 ? got : 0)));
    std::size_t bang = cls.rfind('!');
    return bang == std::string::npos ? cls : cls.substr(bang + 1);
}

bool SameName(const std::string& a, const char* b) {
    std::string other = b;
    return a.size() == other.size() &&
           std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

struct TopLevelSearch {
    DWORD pid;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<TopLevelSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
    if (!SameName(ClassOf(hwnd), search->className)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

std::string ClassNameOf(HWND hwnd) {
    return ClassOf(hwnd);
}
bool ClassIs(HWND hwnd, const char* className) {
    return SameName(ClassOf(hwnd), className);
}

HWND FindTopLevel(DWORD pid, const char* className) {
    TopLevelSearch search = {pid, className, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD pid, const char* className, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(pid, className)) != nullptr; }, timeoutMs);
    return found;
}

}  // namespace e2e
