// The backup folder, relative to the working folder: flat, one file per font file name.
// Backup\<name> always holds the newest copy; an older copy with different content is
// kept beside it as <name>.1.bak, <name>.2.bak, ... (the highest number the newest), so
// that no version is ever lost. Every copy stands under its name only whole and on the
// disk (fontfs/whole_copy.h); a "<name>.tmp" is a copy that was cut short. Neither of
// those names matches "*.ttf", so the restore leaves them alone.
#pragma once

#include <string>

constexpr const char* kBackupFolder = ".\\Backup\\";

// Backs up the fonts folder's file named by a task row's font cell (trailing spaces
// included, as the file calls drop them). True when the backup folder holds a whole copy
// of it under its name: written now, or already there with the same bytes (then nothing
// is written). False when the copy failed, when an older different backup of the name
// could not be kept aside, or when the existing backup could not be compared with the
// font; the fonts folder is then untouched.
bool BackUpFontFile(const std::string& fontCell);

// What stands under the restore's destination before a backup is copied over it.
enum class RestoreTarget {
    Missing,       // nothing: the backup may be copied in, never over another file
    SameAsBackup,  // already the backup's bytes: nothing to copy
    Kept,          // different, and now also kept in the backup folder: may be overwritten
    NotKept,       // different, and it could not be read or kept: leave it alone
};
// Before the restore copies the backup of name over the fonts folder's file of that
// name, a different file there is kept as <name>.N.bak, unless a kept copy holds it
// already: the restore too overwrites nothing that is not backed up.
RestoreTarget KeepRestoreTarget(const std::string& backup, const std::string& font,
                                const std::string& name);
