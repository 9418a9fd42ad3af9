// The file calls that another program can refuse for a moment, each tried once and
// telling why it failed. platform/files.h offers them to the logic with the retries that
// such refusals need (platform/file_retry.cpp); only that file calls these.
#pragma once

#include <string>

#include "platform/files.h"

namespace platform::once {

// Why a call failed, as far as a retry cares (GetLastError sorted).
enum class Failure {
    None,          // it succeeded
    Sharing,       // ERROR_SHARING_VIOLATION or ERROR_LOCK_VIOLATION: another program has
                   // the file open without sharing what the call needs
    AccessDenied,  // ERROR_ACCESS_DENIED: no right to it, a read-only file, or a file
                   // another program holds in a way that reads as this
    Other,         // anything else: missing, a name taken, a full disk, ...
};

Failure CopyOneFile(const std::string& source, const std::string& destination, bool failIfExists);
Failure RemoveFile(const std::string& path);
Failure FlushToDisk(const std::string& path);
Failure RenameFile(const std::string& from, const std::string& to, bool replaceExisting);
// *file is null unless the result is Failure::None.
Failure OpenExclusive(const std::string& path, FileHandle* file);
// CreateFileW with DELETE access, sharing read, write and delete, closed again at once: a
// probe that another program holding the file without sharing delete access refuses (a
// sharing violation), as Windows holds a loaded font. A read-only file is told by its
// attribute, not by this probe.
Failure OpenForDeletion(const std::string& path);

// The retries count on what this program wrote; a test that starts the program afresh on
// new files makes it forget.
void ForgetWrittenFiles();

}  // namespace platform::once
