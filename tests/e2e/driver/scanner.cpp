// A virus scanner stand-in for the end-to-end cases: a thread of the driver, and so
// another process than the program, that is told by the file system of every file
// written in its folders and holds each one open for a while, as Windows' own scanner and
// the search indexer do.
#include <deque>

#include "e2e/driver/internal.h"
#include "e2e/driver/scenario.h"

namespace scenario {
namespace {

// One watched folder: its handle, an overlapped read of its changes, and the buffer the
// system fills with them.
struct Watch {
    std::wstring folder;
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED overlapped = {};
    alignas(DWORD) unsigned char changes[16 * 1024];

    bool Ask() {
        constexpr DWORD kWritten =
            FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
        return ReadDirectoryChangesW(handle, changes, sizeof changes, FALSE, kWritten, nullptr,
                                     &overlapped, nullptr) != 0;
    }
};

struct Hold {
    HANDLE file;
    DWORD until;
};

}  // namespace

Scanner::Scanner(const std::vector<std::string>& folders, DWORD holdMs) : holdMs_(holdMs) {
    for (const std::string& folder : folders) folders_.push_back(e2e::Wide(folder));
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    if (thread_ && WaitForSingleObject(ready_, e2e::kWaitMs) != WAIT_OBJECT_0) {
        SetEvent(stop_);
        WaitForSingleObject(thread_, e2e::kWaitMs);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
}

Scanner::~Scanner() {
    if (thread_) {
        SetEvent(stop_);
        WaitForSingleObject(thread_, e2e::kWaitMs);
        CloseHandle(thread_);
    }
    CloseHandle(ready_);
    CloseHandle(stop_);
}

DWORD WINAPI Scanner::Run(void* self) {
    auto* scanner = static_cast<Scanner*>(self);
    std::deque<Watch> watches(scanner->folders_.size());
    std::vector<HANDLE> events;
    for (std::size_t i = 0; i < watches.size(); ++i) {
        Watch& watch = watches[i];
        watch.folder = scanner->folders_[i];
        watch.handle =
            CreateFileW(watch.folder.c_str(), FILE_LIST_DIRECTORY,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        watch.overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        events.push_back(watch.overlapped.hEvent);
        if (watch.handle == INVALID_HANDLE_VALUE || !watch.Ask()) return 1;
    }
    events.push_back(scanner->stop_);
    SetEvent(scanner->ready_);

    std::deque<Hold> holds;
    for (;;) {
        DWORD wait = holds.empty() ? INFINITE : 10;
        DWORD woke =
            WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE, wait);
        if (woke == WAIT_OBJECT_0 + watches.size()) break;
        if (woke < WAIT_OBJECT_0 + watches.size()) {
            Watch& watch = watches[woke - WAIT_OBJECT_0];
            DWORD got = 0;
            GetOverlappedResult(watch.handle, &watch.overlapped, &got, FALSE);
            ResetEvent(watch.overlapped.hEvent);
            for (DWORD at = 0; got > 0;) {
                auto* change = reinterpret_cast<FILE_NOTIFY_INFORMATION*>(watch.changes + at);
                if (change->Action != FILE_ACTION_REMOVED &&
                    change->Action != FILE_ACTION_RENAMED_OLD_NAME) {
                    std::wstring path =
                        watch.folder + L"\\" +
                        std::wstring(change->FileName, change->FileNameLength / sizeof(wchar_t));
                    HANDLE file =
                        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                    if (file != INVALID_HANDLE_VALUE) {
                        holds.push_back({file, GetTickCount() + scanner->holdMs_});
                        InterlockedIncrement(&scanner->held_);
                    }
                }
                if (change->NextEntryOffset == 0) break;
                at += change->NextEntryOffset;
            }
            watch.Ask();
        }
        while (!holds.empty() && static_cast<LONG>(GetTickCount() - holds.front().until) >= 0) {
            CloseHandle(holds.front().file);
            holds.pop_front();
        }
    }
    for (const Hold& hold : holds) CloseHandle(hold.file);
    for (Watch& watch : watches) {
        // The system writes into the buffer until the cancelled read has ended.
        DWORD got = 0;
        CancelIo(watch.handle);
        GetOverlappedResult(watch.handle, &watch.overlapped, &got, TRUE);
        CloseHandle(watch.handle);
        CloseHandle(watch.overlapped.hEvent);
    }
    return 0;
}

}  // namespace scenario
