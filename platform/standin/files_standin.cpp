// The file calls on a host test root. Windows paths ("X:\...", or relative to the current
// folder) map onto <root>/X/...; lookups ignore ASCII case like the Windows file system,
// and trailing spaces at the end of a path are dropped as the Windows file calls do.
// Every call goes through the fault model (file_faults.h), which may fail it or end the
// process at it.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/files_once.h"
#include "platform/standin/file_faults.h"
#include "platform/standin/standin.h"

namespace {

// When the virus scanner holds a file: from the end of the turns before it.
struct ScanTurn {
    unsigned long long from, until;
};

struct State {
    std::string root;                     // host folder holding the drive folders
    std::string current = "C:\\work";     // Windows text, no trailing backslash
    std::map<std::string, bool> held;     // host path -> reads allowed
    std::set<std::string> openExclusive;  // host paths opened with no sharing
    unsigned scannerHoldMs = 0;           // 0: no virus scanner
    bool scannerDeniesRenames = false;
    std::map<std::string, ScanTurn> scanned;  // host path -> its turn with the scanner
    unsigned long long scannerFree = 0;       // when the scanner is done with every turn
    int openSearches = 0;
    bool fontsFolderAvailable = true;
};

State& S() {
    static State state;
    return state;
}

struct Search {
    std::vector<platform::DirEntry> entries;
    std::size_t next = 0;
};

struct OpenFile {
    std::string hostPath;
};

// A file open for shared reading.
struct ReadFile {
    int fd;
};

unsigned char Fold(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

// Splits at "\" and "/", stepping over double-byte characters so that a trail byte 0x5C is
// never taken for a separator. Empty parts are dropped, as Windows collapses "\\".
std::vector<std::string> SplitParts(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0, size = 0; i < text.size(); i += size) {
        size = platform::CharSize936(text, i);
        if (text[i] == '\\' || text[i] == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.append(text, i, size);
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// True when the last character is a separator; a trail byte 0x5C is not one.
bool EndsWithSeparator(const std::string& text) {
    bool separator = false;
    for (std::size_t i = 0; i < text.size(); i += platform::CharSize936(text, i))
        separator = text[i] == '\\' || text[i] == '/';
    return separator;
}

bool IsDriveAbsolute(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The drive letter (upper case) and the resolved parts of a Windows path, "." and ".."
// applied the way GetFullPathNameW applies them.
struct FullPath {
    char drive = 'C';
    std::vector<std::string> parts;
    bool trailingSeparator = false;
};

bool Resolve(const std::string& rawPath, FullPath* full) {
    std::string path = platform::WithoutTrailingSpaces(rawPath);
    if (path.empty()) return false;
    std::vector<std::string> raw;
    const std::string& current = S().current;
    if (IsDriveAbsolute(path)) {
        full->drive = static_cast<char>(Fold(static_cast<unsigned char>(path[0])));
        raw = SplitParts(path.substr(2));
    } else if (path[0] == '\\' || path[0] == '/') {
        full->drive = current[0];
        raw = SplitParts(path);
    } else {
        full->drive = current[0];
        raw = SplitParts(current.substr(2));
        std::vector<std::string> rel = SplitParts(path);
        raw.insert(raw.end(), rel.begin(), rel.end());
    }
    full->trailingSeparator = EndsWithSeparator(path);
    full->parts.clear();
    for (const std::string& part : raw) {
        if (part == ".") continue;
        if (part == "..") {
            if (!full->parts.empty()) full->parts.pop_back();
            continue;
        }
        full->parts.push_back(part);
    }
    return true;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0, size = 0; i < a.size(); i += size) {
        size = platform::CharSize936(a, i);
        // Double-byte characters compare whole and exactly.
        bool same = size == 2 ? a.compare(i, 2, b, i, 2) == 0 : Fold(a[i]) == Fold(b[i]);
        if (!same) return false;
    }
    return true;
}

// The name of the entry in hostFolder that part names, ignoring case; part itself when
// none exists (a name about to be created).
std::string MatchEntry(const std::string& hostFolder, const std::string& part) {
    struct stat info;
    if (::lstat((hostFolder + "/" + part).c_str(), &info) == 0) return part;
    DIR* dir = ::opendir(hostFolder.c_str());
    if (!dir) return part;
    std::string found = part;
    while (dirent* entry = ::readdir(dir)) {
        if (SameNameIgnoringCase(entry->d_name, part)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string HostOf(const FullPath& full) {
    std::string host = S().root + "/" + std::string(1, full.drive);
    for (const std::string& part : full.parts) host += "/" + MatchEntry(host, part);
    return host;
}

// The drive letter of a host path's drive folder: its volume.
char DriveOf(const std::string& host) {
    return host.size() > S().root.size() + 1 ? host[S().root.size() + 1] : '\0';
}

bool IsDirectory(const std::string& host) {
    struct stat info;
    return ::stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& host) {
    struct stat info;
    return ::stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The host path of a file the caller wants to open; empty when the path names no file
// (a trailing separator never names a file).
std::string HostFile(const std::string& path) {
    FullPath full;
    if (!Resolve(path, &full) || full.trailingSeparator || full.parts.empty()) return "";
    return HostOf(full);
}

bool Readable(const std::string& host) {
    if (S().openExclusive.count(host)) return false;
    auto held = S().held.find(host);
    return held == S().held.end() || held->second;
}

// Whether another holder keeps the file from being opened for writing: another program
// that holds it, this program's exclusive open, or the font manager that has it loaded.
// The virus scanner shares writing.
bool Writable(const std::string& host) {
    return !S().openExclusive.count(host) && !S().held.count(host) &&
           !standin::IsLoadedFontFile(host);
}

bool Scanning(const std::string& host) {
    auto turn = S().scanned.find(host);
    unsigned long long now = platform::Milliseconds();
    return turn != S().scanned.end() && turn->second.from <= now && now < turn->second.until;
}

// The virus scanner looks at one file at a time, in the order the program wrote them:
// a file waiting its turn is free, so a rename may land on an older file still held.
void Scan(const std::string& host) {
    if (S().scannerHoldMs == 0) return;
    unsigned long long now = platform::Milliseconds();
    auto turn = S().scanned.find(host);
    if (turn != S().scanned.end() && now < turn->second.until) return;  // it has one coming
    unsigned long long from = std::max(now, S().scannerFree);
    S().scannerFree = from + S().scannerHoldMs;
    S().scanned[host] = {from, S().scannerFree};
}

// Whether the file may be deleted, renamed or replaced: nobody holds it, and neither does
// the virus scanner, which shares no delete access.
bool Deletable(const std::string& host) {
    return Writable(host) && !Scanning(host);
}

void Written(const std::string& host) {
    standin::faults::DataWritten(host);
    Scan(host);
}

// The attributes live in the host file's mode bits, so that they are part of what a
// process leaves on the disk: read-only is a missing owner-write bit, hidden the others'
// execute bit, system the group's execute bit. Folders have none of them.
unsigned AttributesOf(const std::string& host) {
    struct stat info;
    if (::stat(host.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
    unsigned attributes = 0;
    if ((info.st_mode & S_IWUSR) == 0) attributes |= platform::kReadOnly;
    if ((info.st_mode & S_IXOTH) != 0) attributes |= platform::kHidden;
    if ((info.st_mode & S_IXGRP) != 0) attributes |= platform::kSystem;
    return attributes;
}

void SetAttributesOf(const std::string& host, unsigned attributes) {
    struct stat info;
    if (::stat(host.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    mode_t mode = info.st_mode & 07777 & ~(S_IWUSR | S_IXOTH | S_IXGRP);
    if ((attributes & platform::kReadOnly) == 0) mode |= S_IWUSR;
    if ((attributes & platform::kHidden) != 0) mode |= S_IXOTH;
    if ((attributes & platform::kSystem) != 0) mode |= S_IXGRP;
    ::chmod(host.c_str(), mode);
}

bool ReadHostFile(const std::string& host, std::vector<unsigned char>* bytes) {
    FILE* in = std::fopen(host.c_str(), "rb");
    if (!in) return false;
    bytes->clear();
    unsigned char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, in))
        bytes->insert(bytes->end(), buffer, buffer + got);
    bool ok = std::ferror(in) == 0;
    std::fclose(in);
    return ok;
}

bool WriteHostFile(const std::string& host, const unsigned char* bytes, std::size_t count) {
    FILE* out = std::fopen(host.c_str(), "wb");
    if (!out) return false;
    bool written = count == 0 || std::fwrite(bytes, 1, count, out) == count;
    return std::fclose(out) == 0 && written;
}

// "*" and "?" against a name, ignoring ASCII case; "?" takes a double-byte character whole.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
        while (!pattern.empty() && pattern[0] == '*') pattern.remove_prefix(1);
        if (pattern.empty()) return true;
        for (std::string_view rest = name;;) {
            if (WildcardMatch(pattern, rest)) return true;
            if (rest.empty()) return false;
            rest.remove_prefix(platform::CharSize936(rest, 0));
        }
    }
    if (name.empty()) return false;
    std::size_t nameStep = platform::CharSize936(name, 0);
    if (pattern[0] == '?') return WildcardMatch(pattern.substr(1), name.substr(nameStep));
    std::size_t patternStep = platform::CharSize936(pattern, 0);
    if (patternStep != nameStep) return false;
    // Double-byte characters compare whole and exactly.
    bool same = nameStep == 2 ? pattern.substr(0, 2) == name.substr(0, 2)
                              : Fold(pattern[0]) == Fold(name[0]);
    return same && WildcardMatch(pattern.substr(patternStep), name.substr(nameStep));
}

bool Valid83Name(const std::string& name) {
    std::size_t dot = name.find('.');
    if (name.find(' ') != std::string::npos || dot == 0) return false;
    if (dot == std::string::npos) return !name.empty() && name.size() <= 8;
    return dot <= 8 && name.find('.', dot + 1) == std::string::npos && name.size() - dot - 1 <= 3;
}

// The 8.3 alias NTFS gives a name that is no 8.3 name itself: up to six characters of the
// name before its last dot (dots and spaces left out), "~1", and the first three
// characters after the last dot, upper-cased. Empty for an 8.3 name. A search pattern is
// matched against both names, so "*.ttf" finds "x.ttfpart" (X~1.TTF).
std::string ShortAlias(const std::string& name) {
    if (name == "." || name == ".." || Valid83Name(name)) return "";
    std::size_t lastDot = name.rfind('.');
    std::string base, extension;
    for (std::size_t i = 0; i < name.size() && i < lastDot; ++i) {
        if (name[i] != '.' && name[i] != ' ') base += static_cast<char>(Fold(name[i]));
    }
    if (lastDot != std::string::npos) {
        for (std::size_t i = lastDot + 1; i < name.size() && extension.size() < 3; ++i) {
            if (name[i] != ' ') extension += static_cast<char>(Fold(name[i]));
        }
    }
    std::string alias = base.substr(0, 6) + "~1";
    return extension.empty() ? alias : alias + "." + extension;
}

// Whether a host name is code page 936 text: bytes below 0x80 and 0x80 (the euro sign)
// alone, and each lead byte followed by a trail byte (0x40-0xFE, not 0x7F). The Win32
// layer cannot convert any other name exactly, so its searches pass over it; so do these.
bool IsCodePage936Text(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == 0xFF) return false;
        if (!platform::IsLeadByte936(c)) continue;
        unsigned char trail = i + 1 < name.size() ? static_cast<unsigned char>(name[++i]) : 0;
        if (!platform::IsTrailByte936(trail)) return false;
    }
    return true;
}

std::string WindowsText(const FullPath& full) {
    std::string text(1, full.drive);
    text += ":";
    for (const std::string& part : full.parts) text += "\\" + part;
    if (full.parts.empty() || full.trailingSeparator) text += "\\";
    return text;
}

}  // namespace

namespace platform {

using standin::faults::Act;
using standin::faults::Enter;
using standin::faults::Fate;
using standin::faults::Kind;

SearchHandle FindFirstEntry(const std::string& pattern, DirEntry* entry) {
    return Act(Enter(Kind::Read, "FindFirstFileW", pattern), [&]() -> SearchHandle {
        FullPath full;
        // A search needs a name part: "C:\dir\" and "C:\" list nothing, as on Windows.
        if (!Resolve(pattern, &full) || full.trailingSeparator || full.parts.empty())
            return nullptr;
        std::string namePattern = full.parts.back();
        full.parts.pop_back();
        std::string folder = HostOf(full);
        // Windows reads "*.*" as "every name", dotless names included.
        if (namePattern == "*.*") namePattern = "*";
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return nullptr;
        auto* search = new Search;
        while (dirent* found = ::readdir(dir)) {
            std::string name = found->d_name;
            // The drive folder stands for a root, which has no "." and ".." entries.
            if ((name == "." || name == "..") && full.parts.empty()) continue;
            if (!IsCodePage936Text(name)) continue;
            std::string alias = ShortAlias(name);
            if (!WildcardMatch(namePattern.c_str(), name.c_str()) &&
                (alias.empty() || !WildcardMatch(namePattern.c_str(), alias.c_str())))
                continue;
            search->entries.push_back({name, IsDirectory(folder + "/" + name)});
        }
        ::closedir(dir);
        // NTFS lists names in order; sorting keeps the stand-in's listings reproducible.
        std::sort(search->entries.begin(), search->entries.end(),
                  [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
        if (search->entries.empty()) {
            delete search;
            return nullptr;
        }
        ++S().openSearches;
        *entry = search->entries[search->next++];
        return search;
    });
}

bool FindNextEntry(SearchHandle handle, DirEntry* entry) {
    return Act(Enter(Kind::Read, "FindNextFileW", ""), [&] {
        auto* search = static_cast<Search*>(handle);
        if (!search || search->next >= search->entries.size()) return false;
        *entry = search->entries[search->next++];
        return true;
    });
}

void CloseSearch(SearchHandle handle) {
    if (!handle) return;
    // A close lets go of the search even when it reports a failure.
    if (Enter(Kind::Read, "FindClose", "") == Fate::Cut) standin::faults::EndHere();
    delete static_cast<Search*>(handle);
    --S().openSearches;
}

}  // namespace platform

namespace platform::once {

namespace {

// A call's work under its fate, for the calls that say why they failed: a failing call
// does nothing and fails for a reason no retry mends (a full disk, a broken drive).
template <typename Work>
Failure ActOnce(Fate fate, Work work) {
    if (fate == Fate::Fail) return Failure::Other;
    return Act(fate, work);
}

}  // namespace

// The reasons follow Windows: a file another holder keeps open refuses with a sharing
// violation, a folder or a read-only file with "access denied", anything else (missing,
// a name taken) otherwise.
Failure CopyOneFile(const std::string& source, const std::string& destination, bool failIfExists) {
    Fate fate = Enter(Kind::Copy, "CopyFileW", destination, source);
    if (fate == Fate::Fail && !standin::faults::FailLeavesPartial()) return Failure::Other;
    std::string from = HostFile(source);
    std::string to = HostFile(destination);
    bool exists = !to.empty() && ::access(to.c_str(), F_OK) == 0;
    Failure refusal = Failure::None;
    std::vector<unsigned char> bytes;
    if (from.empty() || to.empty() || !IsRegularFile(from)) refusal = Failure::Other;
    // Copying a file onto itself fails on Windows: the open source shares no writing.
    else if (!Readable(from) || from == to)
        refusal = Failure::Sharing;
    else if (IsDirectory(to))
        refusal = Failure::AccessDenied;
    else if (failIfExists && exists)
        refusal = Failure::Other;
    else if (exists && !Deletable(to))
        refusal = Failure::Sharing;
    // CopyFileW refuses to replace a read-only or hidden file.
    else if (exists && (AttributesOf(to) & (kReadOnly | kHidden)) != 0)
        refusal = Failure::AccessDenied;
    else if (!ReadHostFile(from, &bytes))
        refusal = Failure::Other;
    if (refusal != Failure::None) {
        if (fate == Fate::Cut) standin::faults::EndHere();
        return refusal;
    }
    // The copy takes the source's attributes along, from its start.
    std::size_t count = bytes.size();
    if (fate == Fate::Fail || (fate == Fate::Cut && standin::faults::CutLate())) count /= 2;
    if (fate == Fate::Cut && !standin::faults::CutLate()) count = 0;
    bool written = WriteHostFile(to, bytes.data(), count);
    Written(to);
    if (exists)
        standin::faults::AttributesChanging(to);
    else
        standin::faults::Created(to);
    SetAttributesOf(to, AttributesOf(from));
    if (fate == Fate::Cut) standin::faults::EndHere();
    return fate == Fate::Proceed && written ? Failure::None : Failure::Other;
}

Failure RemoveFile(const std::string& path) {
    return ActOnce(Enter(Kind::Change, "DeleteFileW", path), [&] {
        std::string host = HostFile(path);
        if (host.empty() || ::access(host.c_str(), F_OK) != 0) return Failure::Other;
        if (!IsRegularFile(host)) return Failure::AccessDenied;
        if (!Deletable(host)) return Failure::Sharing;
        // DeleteFileW refuses a read-only file.
        if ((AttributesOf(host) & kReadOnly) != 0) return Failure::AccessDenied;
        if (!standin::faults::Remove(host)) return Failure::Other;
        S().scanned.erase(host);
        return Failure::None;
    });
}

Failure FlushToDisk(const std::string& path) {
    return ActOnce(Enter(Kind::Change, "FlushFileBuffers", path), [&] {
        std::string host = HostFile(path);
        // It opens the file for writing: not a folder, a read-only file or a held one.
        if (host.empty() || ::access(host.c_str(), F_OK) != 0) return Failure::Other;
        if (!IsRegularFile(host)) return Failure::AccessDenied;
        if (!Writable(host)) return Failure::Sharing;
        if ((AttributesOf(host) & kReadOnly) != 0) return Failure::AccessDenied;
        standin::faults::Flushed(host);
        // Closing a handle that could write has the scanner look at the file again.
        Scan(host);
        return Failure::None;
    });
}

Failure RenameFile(const std::string& from, const std::string& to, bool replaceExisting) {
    return ActOnce(Enter(Kind::Change, "MoveFileExW", to, from), [&] {
        std::string fromHost = HostFile(from);
        std::string toHost = HostFile(to);
        if (fromHost.empty() || toHost.empty() || !IsRegularFile(fromHost)) return Failure::Other;
        // Scanners refuse the rename of a file they hold with a sharing violation or with
        // "access denied".
        if (!Deletable(fromHost))
            return Writable(fromHost) && S().scannerDeniesRenames ? Failure::AccessDenied
                                                                  : Failure::Sharing;
        if (fromHost == toHost) return Failure::None;  // the name it already has
        // MoveFileExW without MOVEFILE_COPY_ALLOWED renames within a volume only.
        if (DriveOf(fromHost) != DriveOf(toHost)) return Failure::Other;
        if (::access(toHost.c_str(), F_OK) == 0) {
            if (!replaceExisting) return Failure::Other;
            // Windows never replaces a folder, a file another holder keeps open, or a
            // read-only file, and says "access denied" to each.
            if (!IsRegularFile(toHost) || !Deletable(toHost) ||
                (AttributesOf(toHost) & kReadOnly) != 0)
                return Failure::AccessDenied;
        }
        if (!standin::faults::Rename(fromHost, toHost)) return Failure::Other;
        // The scanner's hold goes with the file.
        auto scanned = S().scanned.extract(fromHost);
        S().scanned.erase(toHost);
        if (scanned) S().scanned.emplace(toHost, scanned.mapped());
        return Failure::None;
    });
}

Failure OpenForDeletion(const std::string& path) {
    return ActOnce(Enter(Kind::Read, "CreateFileW", path), [&] {
        std::string host = HostFile(path);
        if (host.empty() || ::access(host.c_str(), F_OK) != 0) return Failure::Other;
        if (!IsRegularFile(host)) return Failure::AccessDenied;
        return Deletable(host) ? Failure::None : Failure::Sharing;
    });
}

Failure OpenExclusive(const std::string& path, FileHandle* file) {
    *file = nullptr;
    return ActOnce(Enter(Kind::Read, "CreateFileW", path), [&] {
        std::string host = HostFile(path);
        if (host.empty() || ::access(host.c_str(), F_OK) != 0) return Failure::Other;
        // A folder cannot be opened as a file, and a file open anywhere else cannot be
        // taken without sharing.
        if (!IsRegularFile(host)) return Failure::AccessDenied;
        if (!Deletable(host) || !Readable(host)) return Failure::Sharing;
        S().openExclusive.insert(host);
        *file = new OpenFile{host};
        return Failure::None;
    });
}

}  // namespace platform::once

namespace platform {

bool FileAttributeBits(const std::string& path, unsigned* attributes) {
    return Act(Enter(Kind::Read, "GetFileAttributesW", path), [&] {
        FullPath full;
        if (!Resolve(path, &full)) return false;
        std::string host = HostOf(full);
        if (::access(host.c_str(), F_OK) != 0) return false;
        *attributes = AttributesOf(host);
        return true;
    });
}

bool SetFileAttributeBits(const std::string& path, unsigned attributes) {
    return Act(Enter(Kind::Change, "SetFileAttributesW", path), [&] {
        FullPath full;
        if (!Resolve(path, &full)) return false;
        std::string host = HostOf(full);
        if (::access(host.c_str(), F_OK) != 0) return false;
        standin::faults::AttributesChanging(host);
        SetAttributesOf(host, attributes & (kReadOnly | kHidden | kSystem));
        return true;
    });
}

void CloseFile(FileHandle file) {
    if (!file) return;
    if (Enter(Kind::Read, "CloseHandle", "") == Fate::Cut) standin::faults::EndHere();
    auto* open = static_cast<OpenFile*>(file);
    S().openExclusive.erase(open->hostPath);
    delete open;
}

ReadHandle OpenForReading(const std::string& path) {
    return Act(Enter(Kind::Read, "CreateFileW", path), [&]() -> ReadHandle {
        std::string host = HostFile(path);
        if (host.empty() || !IsRegularFile(host) || !Readable(host)) return nullptr;
        int fd = ::open(host.c_str(), O_RDONLY);
        if (fd < 0) return nullptr;
        return new ReadFile{fd};
    });
}

namespace {

bool HostSize(ReadHandle file, unsigned long long* size) {
    struct stat info;
    if (!file || ::fstat(static_cast<ReadFile*>(file)->fd, &info) != 0) return false;
    *size = static_cast<unsigned long long>(info.st_size);
    return true;
}

}  // namespace

bool ReadAt(ReadHandle file, unsigned long long offset, std::size_t count,
            std::vector<unsigned char>* bytes) {
    bytes->clear();
    return Act(Enter(Kind::Read, "ReadFile", ""), [&] {
        unsigned long long size = 0;
        if (!HostSize(file, &size)) return false;
        if (offset >= size) return true;
        int fd = static_cast<ReadFile*>(file)->fd;
        std::size_t wanted =
            static_cast<std::size_t>(std::min<unsigned long long>(count, size - offset));
        bytes->resize(wanted);
        std::size_t done = 0;
        while (done < wanted) {
            ssize_t got =
                ::pread(fd, bytes->data() + done, wanted - done, static_cast<off_t>(offset + done));
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        bytes->resize(done);
        return true;
    });
}

bool SizeOfOpenFile(ReadHandle file, unsigned long long* size) {
    return Act(Enter(Kind::Read, "GetFileSizeEx", ""), [&] { return HostSize(file, size); });
}

void CloseForReading(ReadHandle file) {
    if (!file) return;
    if (Enter(Kind::Read, "CloseHandle", "") == Fate::Cut) standin::faults::EndHere();
    auto* open = static_cast<ReadFile*>(file);
    ::close(open->fd);
    delete open;
}

std::size_t FileNameStart(const std::string& path) {
    // As PathFindFileNameW: so "C:\dir\" gives "dir\". Double-byte characters are
    // stepped over whole: a trail byte 0x5C is not a separator.
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); i += CharSize936(path, i)) {
        char c = path[i];
        if (c != '\\' && c != '/' && c != ':') continue;
        if (i + 1 < path.size() && path[i + 1] != '\\' && path[i + 1] != '/') start = i + 1;
    }
    return start;
}

bool SystemFontsFolder(std::string* folder) {
    if (!S().fontsFolderAvailable) return false;
    *folder = "C:\\WINDOWS\\Fonts";
    return true;
}

std::string AbsolutePath(const std::string& path) {
    FullPath full;
    if (!Resolve(path, &full)) return "";
    return WindowsText(full);
}

std::string CurrentFolder() {
    return S().current;
}

bool SetCurrentFolder(const std::string& folder) {
    FullPath full;
    if (!Resolve(folder, &full) || !IsDirectory(HostOf(full))) return false;
    full.trailingSeparator = false;
    S().current = WindowsText(full);
    if (S().current.size() > 3 && S().current.back() == '\\') S().current.pop_back();
    return true;
}

}  // namespace platform

namespace standin {

void UseTestRoot(const std::string& hostRoot) {
    State& state = S();
    state.root = hostRoot;
    while (state.root.size() > 1 && state.root.back() == '/') state.root.pop_back();
    state.current = "C:\\work";
    state.held.clear();
    state.openExclusive.clear();
    state.scannerHoldMs = 0;
    state.scannerDeniesRenames = false;
    state.scanned.clear();
    state.scannerFree = 0;
    state.openSearches = 0;
    state.fontsFolderAvailable = true;
    ResetFontManager();
    faults::Reset(state.root);
    platform::once::ForgetWrittenFiles();
    for (const char* sub : {"", "/C", "/C/WINDOWS", "/C/WINDOWS/Fonts", "/C/work"}) {
        ::mkdir((state.root + sub).c_str(), 0755);
    }
}

std::string HostPath(const std::string& windowsPath) {
    FullPath full;
    if (!Resolve(windowsPath, &full)) return S().root;
    return HostOf(full);
}

void HoldFile(const std::string& windowsPath, bool allowRead) {
    S().held[HostPath(windowsPath)] = allowRead;
}

void ReleaseHeldFiles() {
    S().held.clear();
}

void RunScanner(unsigned holdMilliseconds, ScannerRefusal refusal) {
    S().scannerHoldMs = holdMilliseconds;
    S().scannerDeniesRenames = refusal == ScannerRefusal::AccessDenied;
    if (holdMilliseconds != 0) return;
    S().scanned.clear();
    S().scannerFree = 0;
}

int OpenSearches() {
    return S().openSearches;
}

void SetSystemFontsFolderAvailable(bool available) {
    S().fontsFolderAvailable = available;
}

}  // namespace standin
