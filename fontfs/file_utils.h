// Small file utilities shared by the catalogue, the task run and the restore.
#pragma once

#include <string>

// The file-name part of path as PathFindFileNameW gives it: the text after the last "\",
// "/" or ":" that is followed by neither the end nor another separator (so "C:\dir\"
// gives "dir\"); the whole text when there is no such separator.
std::string FileNameOfPath(const std::string& path);
// True when a directory search finds a match for path; false for the empty text.
bool FileExists(const std::string& path);
