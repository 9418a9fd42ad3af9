// Backups of fonts-folder files, taken before a delete, a replace or a restore touches
// them.
#include "tasks/backup_folder.h"

#include <algorithm>
#include <vector>

#include "fontfs/catalogue.h"
#include "fontfs/whole_copy.h"
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
    // The buffers stay from one comparison to the next (the program has one thread): under
    // Wine each fresh buffer of this size is mapped anew and costs half a millisecond, more
    // than reading a whole font, and a restore compares hundreds of files.
    static std::vector<unsigned char> chunkA, chunkB;
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

// Whether a file is there. Its attributes answer with one look at the file, where
// FileExists' directory search lists the folder (ten times as long under Wine).
bool Present(const std::string& path) {
    unsigned attributes = 0;
    return platform::FileAttributeBits(path, &attributes);
}

// N of a kept copy's file name "<name>.N.bak", 0 for any other name. The search that
// found it already matched "<name>." and ".bak".
int KeptNumber(const std::string& fileName, std::size_t nameSize) {
    constexpr std::size_t kSuffix = 4;  // ".bak"
    if (fileName.size() <= nameSize + 1 + kSuffix) return 0;
    std::string digits = fileName.substr(nameSize + 1, fileName.size() - nameSize - 1 - kSuffix);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stoi(digits);
}

// The kept copies of name, as file names in the backup folder. One search lists them
// all, so every loop over them ends.
std::vector<std::string> KeptCopies(const std::string& name) {
    std::vector<std::string> kept;
    platform::DirEntry entry;
    platform::SearchHandle search =
        platform::FindFirstEntry(kBackupFolder + name + ".*.bak", &entry);
    if (!search) return kept;
    do {
        if (!entry.isDirectory && KeptNumber(entry.name, name.size()) > 0)
            kept.push_back(entry.name);
    } while (platform::FindNextEntry(search, &entry));
    platform::CloseSearch(search);
    return kept;
}

// The next kept copy's path, given the kept copies of name: one above the highest number
// there, so the numbers keep the order the copies were made in. A name taken after all
// makes the rename or copy to it fail instead of overwriting.
std::string NextKeptPath(const std::string& name, const std::vector<std::string>& keptCopies) {
    int highest = 0;
    for (const std::string& kept : keptCopies)
        highest = std::max(highest, KeptNumber(kept, name.size()));
    return kBackupFolder + name + "." + std::to_string(highest + 1) + ".bak";
}

}  // namespace

bool BackUpFontFile(const std::string& fontCell) {
    // The backup's name loses the cell's trailing spaces: with ".tmp" or ".N.bak" after
    // them they would no longer be dropped.
    const std::string name = platform::WithoutTrailingSpaces(fontCell);
    const std::string target = kFontsFolder + fontCell;
    const std::string backup = kBackupFolder + name;
    bool keepOlder = false;
    if (Present(backup)) {
        switch (CompareContent(backup, target)) {
            case Comparison::Same:
                return true;
            // Overwriting a backup that differs from the file about to be backed up would
            // lose the only copy of an earlier original (a second replace of the same font).
            case Comparison::Different:
                keepOlder = true;
                break;
            // Without reading both files nobody knows whether the older backup is worth
            // keeping; touching nothing is the only safe answer.
            case Comparison::Unreadable:
                return false;
        }
    }
    if (!PrepareWholeCopy(target, backup)) return false;
    // The older backup moves aside only once the new one is whole and on the disk, so a
    // failed copy leaves the backup folder as it was. The move needs no flush of its own:
    // both renames are in the backup folder's volume, whose log keeps them in order, and
    // the flush that ends the commit puts both on the disk before the font is touched.
    if (keepOlder && !platform::RenameFile(backup, NextKeptPath(name, KeptCopies(name)), false)) {
        DiscardWholeCopy(backup);
        return false;
    }
    // Never over a taken name: a backup that the look above missed stays. The font is
    // touched only on the strength of a backup whose name is on the disk.
    return CommitWholeCopy(backup, false) == Committed::Lasting;
}

RestoreTarget KeepRestoreTarget(const std::string& backup, const std::string& font,
                                const std::string& name) {
    if (!Present(font)) return RestoreTarget::Missing;
    switch (CompareContent(backup, font)) {
        case Comparison::Same:
            return RestoreTarget::SameAsBackup;
        case Comparison::Unreadable:
            return RestoreTarget::NotKept;
        case Comparison::Different:
            break;
    }
    // One search finds the kept copies for both the comparisons and the next number: each
    // search reads through the backup folder, which holds hundreds of files.
    const std::vector<std::string> keptCopies = KeptCopies(name);
    for (const std::string& kept : keptCopies) {
        if (CompareContent(kBackupFolder + kept, font) == Comparison::Same)
            return RestoreTarget::Kept;
    }
    const std::string keptPath = NextKeptPath(name, keptCopies);
    return CopyWhole(font, keptPath, false) ? RestoreTarget::Kept : RestoreTarget::NotKept;
}
