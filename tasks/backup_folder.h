// The backup folder, relative to the working folder: flat, one file per font file name.
// Backup\<name> always holds the newest copy; an older copy with different content is
// kept beside it as <name>.1.bak, <name>.2.bak, ... so that no original is ever lost.
// Those names never match "*.ttf", so the restore leaves them alone.
#pragma once

#include <string>

constexpr const char* kBackupFolder = ".\\Backup\\";

// Copies the fonts folder's file named by a task row's font cell (trailing spaces
// included, as the file calls drop them) to the backup folder, as a plain file (not
// read-only, hidden or system). False when the copy failed, when an older different
// backup of the same name could not be kept, or when the existing backup could not be
// compared with the font; the fonts folder is then untouched.
bool BackUpFontFile(const std::string& fontCell);
