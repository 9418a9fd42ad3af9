// Backups of fonts-folder files, taken before a delete or replace touches them.
#include "tasks/backup_folder.h"

#include <vector>

#include "fontfs/catalogue.h"
#include "fontfs/file_utils.h"
#include "platform/files.h"

namespace {

constexpr std::size_t kCompareChunk = 256 * 1024;

bool SameContent(const std::string& a, const std::string& b) {
    platform::ReadHandle fileA = platform::OpenForReading(a);
    platform::ReadHandle fileB = platform::OpenForReading(b);
    unsigned long long sizeA = 0, sizeB = 0;
    bool same = platform::SizeOfOpenFile(fileA, &sizeA) &&
                platform::SizeOfOpenFile(fileB, &sizeB) && sizeA == sizeB;
    std::vector<unsigned char> chunkA, chunkB;
    for (unsigned long long offset = 0; same && offset < sizeA; offset += kCompareChunk) {
        same = platform::ReadAt(fileA, offset, kCompareChunk, &chunkA) &&
               platform::ReadAt(fileB, offset, kCompareChunk, &chunkB) && chunkA == chunkB;
        // A file that shrank under us reads short; stop rather than loop on nothing.
        if (chunkA.empty()) break;
    }
    platform::CloseForReading(fileA);
    platform::CloseForReading(fileB);
    return same;
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
        std::string kept = stem + "." + std::to_string(n) + ".bak";
        if (!FileExists(kept)) return CopyFileOverwriting(backup, kept);
    }
}

}  // namespace

bool BackUpFontFile(const std::string& fontCell) {
    std::string target = kFontsFolder + fontCell;
    std::string backup = kBackupFolder + fontCell;
    // Overwriting a backup that differs from the file about to be backed up would lose
    // the only copy of an earlier original (a second replace of the same font, say).
    if (FileExists(backup) && !SameContent(backup, target) && !KeepOlderBackup(backup, fontCell)) {
        return false;
    }
    return CopyFileOverwriting(target, backup);
}
