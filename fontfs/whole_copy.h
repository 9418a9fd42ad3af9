// Copies that stand under their name only when they are whole and on the disk. The copy
// is written under a temporary name beside its destination, made a plain file (not
// read-only, hidden or system), flushed, and only then renamed to its name: a copy cut
// short by a kill, a crash or a power cut leaves at most a temporary file, never a
// fragment under the name. After the rename the copy is flushed again, under its name:
// NTFS writes its log of renames lazily, so a power cut can undo a rename that returned,
// and when the backups are on another volume than the fonts (the program unzipped to D:)
// nothing orders the two volumes' logs. A flush of the file commits its volume's log up
// to the rename (MOVEFILE_WRITE_THROUGH does not: it is for a move done as a copy). The
// temporary name is the destination (without the trailing spaces the file calls would
// drop) and ".tmp", which never matches "*.ttf", not even through its 8.3 alias
// (A.TTF.TMP is ATTF~1.TMP).
#pragma once

#include <string>

// Writes a whole, plain, flushed copy of source under the temporary name, clearing away
// a temporary file that an earlier copy cut short left there. When a step fails the
// temporary file is removed and the result is false.
bool PrepareWholeCopy(const std::string& source, const std::string& destination);
// How far a commit got.
enum class Committed {
    No,          // not renamed: the temporary file is removed, the destination as it was
    NotLasting,  // renamed, but the flush under the name failed: a power cut may undo it
    Lasting,     // renamed and flushed: only now may a step rely on it
};
// Renames the prepared copy to destination, replacing a file of that name only when
// replaceExisting, and flushes it under that name.
Committed CommitWholeCopy(const std::string& destination, bool replaceExisting);
// Removes a prepared copy that is not to be committed.
void DiscardWholeCopy(const std::string& destination);

// PrepareWholeCopy, then CommitWholeCopy: true when the copy stands under its name for good.
bool CopyWhole(const std::string& source, const std::string& destination, bool replaceExisting);
