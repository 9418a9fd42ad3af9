// Small file utilities shared by the catalogue, the task run and the restore.
#pragma once

#include <string>

// The file-name part of path as PathFindFileNameW gives it: the text after the last "\",
// "/" or ":" that is followed by neither the end nor another separator (so "C:\dir\"
// gives "dir\"); the whole text when there is no such separator.
std::string FileNameOfPath(const std::string& path);
// Copies source over destination, replacing an existing destination.
bool CopyFileOverwriting(const std::string& source, const std::string& destination);
// The text without the spaces at its end, which the Windows file calls drop from a path:
// a name that gets more after it (".tmp", ".1.bak") must lose them first.
std::string WithoutTrailingSpaces(std::string text);
// True when a directory search finds a match for path; false for the empty text.
bool FileExists(const std::string& path);
