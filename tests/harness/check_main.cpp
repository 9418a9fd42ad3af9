// Runs the registered cases and prints one line per case and a closing count.
#include "harness/check.h"

#include <windows.h>

#include <cstdio>
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
std::string scratchRoot;
std::string currentScratch;

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
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
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    check::scratchRoot = std::string(temp) + "fonttasks-tests";
    CreateDirectoryA(check::scratchRoot.c_str(), nullptr);

    int passed = 0, failed = 0, known = 0;
    for (const auto& c : check::Cases()) {
        if (std::strncmp(c.name, prefix, std::strlen(prefix)) != 0) continue;
        check::currentScratch = check::scratchRoot + "\\case";
        check::RemoveTree(check::currentScratch);
        CreateDirectoryA(check::currentScratch.c_str(), nullptr);
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
