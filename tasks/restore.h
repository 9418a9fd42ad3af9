// Restoring the backups: every "*.ttf" file directly in the backup folder is copied
// back into the fonts folder. The backups stay; older kept copies are never touched, and a
// different file that a backup replaces is first kept beside them.
#pragma once

#include <string>

// The restore button: copies every backed-up font file back into the fonts folder while
// the status label shows, keeping first what it would overwrite. It registers nothing and
// does not rebuild the catalogue.
void RestoreBackups();
// The walk's per-file callback: copies one backup file back over the fonts folder's
// file of the same name, once that file is kept in the backup folder too.
void RestoreBackupFile(const std::string& path);
