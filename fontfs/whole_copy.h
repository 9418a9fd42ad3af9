// Copies that stand under their name only when they are whole and on the disk. The copy
// is written under a temporary name beside its destination, made a plain file (not
// read-only, hidden or system), flushed, and only then renamed to its name: a copy cut
// short by a kill, a crash or a power cut leaves at most a temporary file, never a
// fragment under the name. The temporary name is the destination (without the trailing
// spaces the file calls would drop) and ".tmp", which never matches "*.ttf", not even
// through its 8.3 alias (A.TTF.TMP is ATTF~1.TMP).
#pragma once

#include <string>

// Writes a whole, plain, flushed copy of source under the temporary name, clearing away
// a temporary file that an earlier copy cut short left there. When a step fails the
// temporary file is removed and the result is false.
bool PrepareWholeCopy(const std::string& source, const std::string& destination);
// Renames the prepared copy to destination, replacing a file of that name only when
// replaceExisting. When the rename fails the temporary file is removed.
bool CommitWholeCopy(const std::string& destination, bool replaceExisting);
// Removes a prepared copy that is not to be committed.
void DiscardWholeCopy(const std::string& destination);

// PrepareWholeCopy, then CommitWholeCopy.
bool CopyWhole(const std::string& source, const std::string& destination, bool replaceExisting);
