// File calls the logic needs, as thin wrappers over the Windows file functions. Paths
// and names are byte strings in code page 936 on every Windows: the Win32 layer converts
// them exactly to and from the UTF-16 of the W functions, and a name that 936 cannot hold
// is passed over by a search. On Windows the calls drop trailing spaces at the end of a
// path; the stand-in does the same. The copy, delete,
// flush, rename and exclusive open are tried again while another program refuses them
// for a moment (platform/file_retry.cpp): a false result is a refusal that lasted.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The text without the spaces at its end, which the Windows file calls drop from a path:
// a name that gets more after it (".tmp", ".1.bak") must lose them first.
inline std::string WithoutTrailingSpaces(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

struct DirEntry {
    std::string name;
    bool isDirectory = false;
};

// A directory search (FindFirstFileW / FindNextFileW / FindClose).
using SearchHandle = void*;
// Null when nothing matches or the folder cannot be listed.
SearchHandle FindFirstEntry(const std::string& pattern, DirEntry* entry);
bool FindNextEntry(SearchHandle search, DirEntry* entry);
void CloseSearch(SearchHandle search);

// CopyFileW. The copy gets the source's attributes. On Windows it fails over an existing
// destination that is read-only or hidden, and deleting a read-only file fails.
bool CopyOneFile(const std::string& source, const std::string& destination, bool failIfExists);
// DeleteFileW.
bool RemoveFile(const std::string& path);

// FlushFileBuffers on the file, opened for writing for the call: the data that earlier
// calls (a CopyFileW) wrote to it is on the disk when this returns true, not only in the
// system's cache. A read-only file cannot be opened for writing, so it fails.
bool FlushToDisk(const std::string& path);
// MoveFileExW with MOVEFILE_WRITE_THROUGH, and MOVEFILE_REPLACE_EXISTING when
// replaceExisting: renames a file within its folder's volume. Without replaceExisting it
// fails when the new name is taken; Windows never replaces a read-only file.
bool RenameFile(const std::string& from, const std::string& to, bool replaceExisting);

// The file attributes that decide whether a file may be overwritten or deleted, with the
// values of FILE_ATTRIBUTE_READONLY, _HIDDEN and _SYSTEM.
enum FileAttribute : unsigned { kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4 };
// GetFileAttributesW, limited to those bits; false when the path names nothing.
bool FileAttributeBits(const std::string& path, unsigned* attributes);
// SetFileAttributesW: exactly these of the three bits set, any other attribute kept.
bool SetFileAttributeBits(const std::string& path, unsigned attributes);

// CreateFileW with GENERIC_READ, no sharing, OPEN_EXISTING. Null on failure.
using FileHandle = void*;
FileHandle OpenExclusive(const std::string& path);
void CloseFile(FileHandle file);

// A file opened for reading that shares read, write and delete access, so it never
// blocks others; several ranges of one file can be read through one open. Null on
// failure; closing null does nothing.
using ReadHandle = void*;
ReadHandle OpenForReading(const std::string& path);
// Reads up to count bytes at offset (fewer at the end of the file).
bool ReadAt(ReadHandle file, unsigned long long offset, std::size_t count,
            std::vector<unsigned char>* bytes);
bool SizeOfOpenFile(ReadHandle file, unsigned long long* size);
void CloseForReading(ReadHandle file);

// PathFindFileNameW: where the file-name part of path starts (after the last "\", "/"
// or ":" that is followed by more than another separator; a trail byte is never one).
std::size_t FileNameStart(const std::string& path);

// SHGetSpecialFolderPathW(CSIDL_FONTS), without a trailing backslash.
bool SystemFontsFolder(std::string* folder);

// GetFullPathNameW: the path made absolute against the current folder.
std::string AbsolutePath(const std::string& path);

// The process's working folder (GetCurrentDirectoryW / SetCurrentDirectoryW).
std::string CurrentFolder();
bool SetCurrentFolder(const std::string& folder);

}  // namespace platform
