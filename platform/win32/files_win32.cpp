// The file calls on the Windows byte-string (A) functions, one thin wrapper each.
#include "platform/files.h"
#include "platform/files_once.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

namespace platform {
namespace {

void FillEntry(const WIN32_FIND_DATAA& data, DirEntry* entry) {
    entry->name = data.cFileName;
    entry->isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens for reading without ever blocking another program that holds the file.
HANDLE OpenShared(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

SearchHandle FindFirstEntry(const std::string& pattern, DirEntry* entry) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return nullptr;
    FillEntry(data, entry);
    return search;
}

bool FindNextEntry(SearchHandle search, DirEntry* entry) {
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(static_cast<HANDLE>(search), &data)) return false;
    FillEntry(data, entry);
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
    return Outcome(CopyFileA(source.c_str(), destination.c_str(), failIfExists ? TRUE : FALSE));
}

Failure RemoveFile(const std::string& path) {
    return Outcome(DeleteFileA(path.c_str()));
}

Failure FlushToDisk(const std::string& path) {
    // FlushFileBuffers needs a handle with write access; it flushes the file's data
    // whichever handle wrote it.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastFailure();
    Failure flushed = Outcome(FlushFileBuffers(file));
    CloseHandle(file);
    return flushed;
}

Failure RenameFile(const std::string& from, const std::string& to, bool replaceExisting) {
    DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    return Outcome(MoveFileExA(from.c_str(), to.c_str(), flags));
}

Failure OpenExclusive(const std::string& path, FileHandle* file) {
    HANDLE opened = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    *file = opened == INVALID_HANDLE_VALUE ? nullptr : opened;
    return *file ? Failure::None : LastFailure();
}

}  // namespace once

namespace {
constexpr DWORD kDecidingBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
}

bool FileAttributeBits(const std::string& path, unsigned* attributes) {
    DWORD now = GetFileAttributesA(path.c_str());
    if (now == INVALID_FILE_ATTRIBUTES) return false;
    *attributes = now & kDecidingBits;
    return true;
}

bool SetFileAttributeBits(const std::string& path, unsigned attributes) {
    DWORD now = GetFileAttributesA(path.c_str());
    if (now == INVALID_FILE_ATTRIBUTES) return false;
    DWORD wanted = (now & ~(kDecidingBits | FILE_ATTRIBUTE_NORMAL)) | (attributes & kDecidingBits);
    // FILE_ATTRIBUTE_NORMAL means "no attribute" and is valid only alone.
    return SetFileAttributesA(path.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL) != 0;
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
    const char* text = path.c_str();
    return static_cast<std::size_t>(PathFindFileNameA(text) - text);
}

bool SystemFontsFolder(std::string* folder) {
    char buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_FONTS, FALSE)) return false;
    *folder = buffer;
    // The shell gives the folder without a trailing backslash except for a drive root.
    if (!folder->empty() && folder->back() == '\\') folder->pop_back();
    return true;
}

std::string AbsolutePath(const std::string& path) {
    // The first call asks for the size; a path too long for it comes back unchanged.
    DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::string full(needed, '\0');
    DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

std::string CurrentFolder() {
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return std::string();
    std::string folder(needed, '\0');
    DWORD length = GetCurrentDirectoryA(needed, folder.data());
    if (length == 0 || length >= needed) return std::string();
    folder.resize(length);
    return folder;
}

bool SetCurrentFolder(const std::string& folder) {
    return SetCurrentDirectoryA(folder.c_str()) != 0;
}

}  // namespace platform
