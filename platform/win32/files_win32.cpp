// The file calls on the Windows wide (W) functions, one thin wrapper each. Paths go in
// and names come out through the exact code page 936 conversion (text_936.h), so the
// byte strings are the ones the A functions give on a Simplified-Chinese Windows, on any
// Windows.
#include "platform/files.h"
#include "platform/files_once.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

#include "platform/win32/text_936.h"

namespace platform {
namespace {

// False for a name that code page 936 cannot hold: the program could neither show nor
// name that file, so a search passes over it as if it were not there.
bool FillEntry(const WIN32_FIND_DATAW& data, DirEntry* entry) {
    if (!win32::NarrowExactly(data.cFileName, &entry->name)) return false;
    entry->isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

// Opens for reading without ever blocking another program that holds the file.
HANDLE OpenShared(const std::string& path) {
    return CreateFileW(win32::WidePath(path).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

SearchHandle FindFirstEntry(const std::string& pattern, DirEntry* entry) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(win32::WidePath(pattern).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return nullptr;
    if (FillEntry(data, entry) || FindNextEntry(search, entry)) return search;
    FindClose(search);
    return nullptr;
}

bool FindNextEntry(SearchHandle search, DirEntry* entry) {
    WIN32_FIND_DATAW data;
    do {
        if (!FindNextFileW(static_cast<HANDLE>(search), &data)) return false;
    } while (!FillEntry(data, entry));
    return true;
}

void CloseSearch(SearchHandle search) {
    if (search) FindClose(static_cast<HANDLE>(search));
}

namespace once {
namespace {

// The failure of the call that just failed, read before anything else can change it.
Failure LastFailure() {
    switch (GetLastError()) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return Failure::Sharing;
        case ERROR_ACCESS_DENIED:
            return Failure::AccessDenied;
        default:
            return Failure::Other;
    }
}

Failure Outcome(BOOL succeeded) {
    return succeeded ? Failure::None : LastFailure();
}

}  // namespace

Failure CopyOneFile(const std::string& source, const std::string& destination, bool failIfExists) {
    return Outcome(CopyFileW(win32::WidePath(source).c_str(), win32::WidePath(destination).c_str(),
                             failIfExists ? TRUE : FALSE));
}

Failure RemoveFile(const std::string& path) {
    return Outcome(DeleteFileW(win32::WidePath(path).c_str()));
}

Failure FlushToDisk(const std::string& path) {
    // FlushFileBuffers needs a handle with write access; it flushes the file's data
    // whichever handle wrote it.
    HANDLE file = CreateFileW(win32::WidePath(path).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastFailure();
    Failure flushed = Outcome(FlushFileBuffers(file));
    CloseHandle(file);
    return flushed;
}

Failure RenameFile(const std::string& from, const std::string& to, bool replaceExisting) {
    DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    return Outcome(MoveFileExW(win32::WidePath(from).c_str(), win32::WidePath(to).c_str(), flags));
}

Failure OpenExclusive(const std::string& path, FileHandle* file) {
    HANDLE opened = CreateFileW(win32::WidePath(path).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    *file = opened == INVALID_HANDLE_VALUE ? nullptr : opened;
    return *file ? Failure::None : LastFailure();
}

Failure OpenForDeletion(const std::string& path) {
    HANDLE file = CreateFileW(win32::WidePath(path).c_str(), DELETE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastFailure();
    CloseHandle(file);
    return Failure::None;
}

}  // namespace once

namespace {
constexpr DWORD kDecidingBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
}

bool FileAttributeBits(const std::string& path, unsigned* attributes) {
    DWORD now = GetFileAttributesW(win32::WidePath(path).c_str());
    if (now == INVALID_FILE_ATTRIBUTES) return false;
    *attributes = now & kDecidingBits;
    return true;
}

bool SetFileAttributeBits(const std::string& path, unsigned attributes) {
    std::wstring widePath = win32::WidePath(path);
    DWORD now = GetFileAttributesW(widePath.c_str());
    if (now == INVALID_FILE_ATTRIBUTES) return false;
    DWORD wanted = (now & ~(kDecidingBits | FILE_ATTRIBUTE_NORMAL)) | (attributes & kDecidingBits);
    // FILE_ATTRIBUTE_NORMAL means "no attribute" and is valid only alone.
    return SetFileAttributesW(widePath.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL) != 0;
}

void CloseFile(FileHandle file) {
    if (file) CloseHandle(static_cast<HANDLE>(file));
}

ReadHandle OpenForReading(const std::string& path) {
    HANDLE file = OpenShared(path);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool ReadAt(ReadHandle file, unsigned long long offset, std::size_t count,
            std::vector<unsigned char>* bytes) {
    bytes->clear();
    if (!file) return false;
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(static_cast<HANDLE>(file), position, nullptr, FILE_BEGIN)) return false;
    // ReadFile takes a 32-bit count; a range larger than that is read short, as at the end
    // of the file.
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
    bytes->resize(want);
    DWORD got = 0;
    bool ok = ReadFile(static_cast<HANDLE>(file), bytes->data(), want, &got, nullptr) != 0;
    bytes->resize(got);
    return ok;
}

bool SizeOfOpenFile(ReadHandle file, unsigned long long* size) {
    LARGE_INTEGER value;
    if (!file || !GetFileSizeEx(static_cast<HANDLE>(file), &value)) return false;
    *size = static_cast<unsigned long long>(value.QuadPart);
    return true;
}

void CloseForReading(ReadHandle file) {
    if (file) CloseHandle(static_cast<HANDLE>(file));
}

std::size_t FileNameStart(const std::string& path) {
    // The same characters in UTF-16, so the bytes before the name are the exact 936 form
    // of the units before it: a trail byte 0x5C is never taken for a separator.
    std::wstring wide = win32::WidePath(path);
    std::size_t units = static_cast<std::size_t>(PathFindFileNameW(wide.c_str()) - wide.c_str());
    std::string before;
    win32::NarrowExactly(std::wstring_view(wide).substr(0, units), &before);
    return before.size();
}

bool SystemFontsFolder(std::string* folder) {
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_FONTS, FALSE)) return false;
    if (!win32::NarrowExactly(buffer, folder)) return false;
    // The shell gives the folder without a trailing backslash except for a drive root.
    if (!folder->empty() && folder->back() == '\\') folder->pop_back();
    return true;
}

std::string AbsolutePath(const std::string& path) {
    // The first call asks for the size; a path too long for it, or one made absolute
    // against a current folder that code page 936 cannot hold, comes back unchanged.
    std::wstring widePath = win32::WidePath(path);
    DWORD needed = GetFullPathNameW(widePath.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    DWORD length = GetFullPathNameW(widePath.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    std::string bytes;
    return win32::NarrowExactly(full, &bytes) ? bytes : path;
}

std::string CurrentFolder() {
    // Empty, as for a failed call, when code page 936 cannot hold the folder's path.
    DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return std::string();
    std::wstring folder(needed, L'\0');
    DWORD length = GetCurrentDirectoryW(needed, folder.data());
    if (length == 0 || length >= needed) return std::string();
    folder.resize(length);
    std::string bytes;
    win32::NarrowExactly(folder, &bytes);
    return bytes;
}

bool SetCurrentFolder(const std::string& folder) {
    return SetCurrentDirectoryW(win32::WidePath(folder).c_str()) != 0;
}

}  // namespace platform
