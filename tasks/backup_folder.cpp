// Backups of fonts-folder files, taken before a delete or replace touches them.
#include "tasks/backup_folder.h"

#include <vector>

#include "fontfs/catalogue.h"
#include "platform/files.h"

namespace {

constexpr std::size_t kCompareChunk = 256 * 1024;

enum class Comparison { Same, Different, Unreadable };

Comparison CompareContent(const std::string& a, const std::string& b) {
    platform::ReadHandle fileA = platform::OpenForReading(a);
    platform::ReadHandle fileB = platform::OpenForReading(b);
    unsigned long long sizeA = 0, sizeB = 0;
    Comparison result = Comparison::Unreadable;
    if (platform::SizeOfOpenFile(fileA, &sizeA) && platform::SizeOfOpenFile(fileB, &sizeB))
        result = sizeA == sizeB ? Comparison::Same : Comparison::Different;
    std::vector<unsigned char> chunkA, chunkB;
    for (unsigned long long offset = 0; result == Comparison::Same && offset < sizeA;
         offset += kCompareChunk) {
        if (!platform::ReadAt(fileA, offset, kCompareChunk, &chunkA) ||
            !platform::ReadAt(fileB, offset, kCompareChunk, &chunkB)) {
            result = Comparison::Unreadable;
        } else if (chunkA != chunkB) {
            result = Comparison::Different;
        }
        // A file that shrank under us reads short; stop rather than loop on nothing.
        if (chunkA.empty()) break;
    }
    platform::CloseForReading(fileA);
    platform::CloseForReading(fileB);
    return result;
}

// CopyFileA gives the copy the source's attributes, and it refuses to overwrite a
// read-only or hidden file: a backup of a read-only or hidden font would block every
// later backup of that name. Backups are therefore made plain files.
bool CopyToPlainFile(const std::string& source, const std::string& destination, bool failIfExists) {
    if (!platform::CopyOneFile(source, destination, failIfExists)) return false;
    unsigned attributes = 0;
    if (platform::FileAttributeBits(destination, &attributes) && attributes != 0)
        platform::SetFileAttributeBits(destination, 0);
    return true;
}

// Whether a file of the backup folder is there. Its attributes answer with one look at the
// file, where FileExists' directory search lists the folder (ten times as long under Wine).
bool Present(const std::string& path) {
    unsigned attributes = 0;
    return platform::FileAttributeBits(path, &attributes);
}

enum class NewCopy { Made, NameTaken, Failed };

// A copy to a name that is usually free: one call makes it, where looking for the name
// first would cost a second lookup of a missing name (Wine lists the folder for each).
// Only when the copy fails is the name looked at, to tell a taken name from a failure.
NewCopy CopyToFreeName(const std::string& source, const std::string& destination) {
    if (CopyToPlainFile(source, destination, true)) return NewCopy::Made;
    return Present(destination) ? NewCopy::NameTaken : NewCopy::Failed;
}

std::string WithoutTrailingSpaces(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// Copies an existing backup to the first free "<name>.N.bak". The name loses the font
// cell's trailing spaces here: with ".N.bak" after them they would no longer be dropped.
bool KeepOlderBackup(const std::string& backup, const std::string& fontCell) {
    std::string stem = kBackupFolder + WithoutTrailingSpaces(fontCell);
    for (int n = 1;; ++n) {
        NewCopy copy = CopyToFreeName(backup, stem + "." + std::to_string(n) + ".bak");
        if (copy != NewCopy::NameTaken) return copy == NewCopy::Made;
    }
}

}  // namespace

bool BackUpFontFile(const std::string& fontCell) {
    std::string target = kFontsFolder + fontCell;
    std::string backup = kBackupFolder + fontCell;
    switch (CopyToFreeName(target, backup)) {
        case NewCopy::Made:
            return true;
        case NewCopy::Failed:
            return false;
        case NewCopy::NameTaken:
            break;
    }
    switch (CompareContent(backup, target)) {
        case Comparison::Same:
            break;
        // Overwriting a backup that differs from the file about to be backed up would lose
        // the only copy of an earlier original (a second replace of the same font).
        case Comparison::Different:
            if (!KeepOlderBackup(backup, fontCell)) return false;
            break;
        // Without reading both files nobody knows whether the older backup is worth
        // keeping; touching nothing is the only safe answer.
        case Comparison::Unreadable:
            return false;
    }
    return CopyToPlainFile(target, backup, false);
}
