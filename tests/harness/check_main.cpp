// Runs the registered cases and prints one line per case and a closing count.
#include "harness/check.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace check {
namespace {

struct Case {
    const char* name;
    CaseBody body;
};

std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

int failuresInCase = 0;
const char* knownWineDifference = nullptr;  // of the running case
std::string currentScratch;                 // in code page 936, as the cases' paths are

// Wide calls, so that every name goes whatever the system's code page.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// The ANSI code page the run is meant for (FONTTASKS_ANSI_CODE_PAGE, set by
// scripts/wine-env.sh and wine-test.sh --locale): a run that Wine left on another code
// page would test something else and pass, so it fails instead.
bool OnTheIntendedCodePage() {
    char wanted[16] = {};
    DWORD got = GetEnvironmentVariableA("FONTTASKS_ANSI_CODE_PAGE", wanted, sizeof wanted);
    std::printf("ANSI code page %u\n", GetACP());
    if (got == 0 || got >= sizeof wanted || std::strtoul(wanted, nullptr, 10) == GetACP())
        return true;
    std::printf("meant to run under ANSI code page %s; nothing was run\n", wanted);
    return false;
}

}  // namespace

Registrar::Registrar(const char* name, CaseBody body) {
    Cases().push_back({name, body});
}

void Fail(const char* file, int line, const std::string& what) {
    ++failuresInCase;
    std::printf("    %s:%d: %s\n", file, line, what.c_str());
    std::fflush(stdout);
}

std::string Scratch() {
    return currentScratch;
}

void KnownWineDifference(const char* why) {
    knownWineDifference = why;
}

}  // namespace check

int main(int argc, char** argv) {
    const char* prefix = argc > 1 ? argv[1] : "";
    if (!check::OnTheIntendedCodePage()) return 1;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"fonttasks-tests";
    CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring scratch = root + L"\\case";
    char bytes[4 * MAX_PATH] = {};
    WideCharToMultiByte(936, 0, scratch.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    check::currentScratch = bytes;

    int passed = 0, failed = 0, known = 0;
    for (const auto& c : check::Cases()) {
        if (std::strncmp(c.name, prefix, std::strlen(prefix)) != 0) continue;
        check::RemoveTree(scratch);
        CreateDirectoryW(scratch.c_str(), nullptr);
        check::failuresInCase = 0;
        check::knownWineDifference = nullptr;
        std::printf("[ RUN  ] %s\n", c.name);
        std::fflush(stdout);
        c.body();
        if (check::knownWineDifference != nullptr && check::failuresInCase > 0) {
            ++known;
            std::printf("[ WINE ] %s: a known difference of Wine: %s\n", c.name,
                        check::knownWineDifference);
        } else if (check::failuresInCase == 0) {
            ++passed;
            std::printf("[  OK  ] %s\n", c.name);
            if (check::knownWineDifference != nullptr)
                std::printf(
                    "    marked as a known difference of Wine, but Wine now behaves as "
                    "Windows does: %s\n",
                    check::knownWineDifference);
        } else {
            ++failed;
            std::printf("[ FAIL ] %s\n", c.name);
        }
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed, %d known differences of Wine\n", passed, failed, known);
    return failed == 0 && passed + known > 0 ? 0 : 1;
}
