// Small file utilities shared by the catalogue, the task run and the restore.
#pragma once

#include <string>

// The part of path after its last backslash (the whole text when there is none).
std::string FileNameOfPath(const std::string& path);
// Copies source over destination, replacing an existing destination.
bool CopyFileOverwriting(const std::string& source, const std::string& destination);
// True when a directory search finds a match for path; false for the empty text.
bool FileExists(const std::string& path);
