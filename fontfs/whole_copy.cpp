// Whole copies: a temporary file, flushed, renamed to its name and flushed there again.
#include "fontfs/whole_copy.h"

#include "platform/files.h"

namespace {

// Removes what stands under a temporary name: true when a file was there and is gone. A
// copy takes its source's attributes, and DeleteFileW refuses a read-only file.
bool RemoveLeftover(const std::string& temporary) {
    unsigned attributes = 0;
    if (!platform::FileAttributeBits(temporary, &attributes)) return false;
    if ((attributes & platform::kReadOnly) != 0) platform::SetFileAttributeBits(temporary, 0);
    return platform::RemoveFile(temporary);
}

// A read-only copy cannot be opened for the flush, and a read-only or hidden file could
// never be copied over again; the copy is therefore made plain.
bool MakePlain(const std::string& path) {
    unsigned attributes = 0;
    if (!platform::FileAttributeBits(path, &attributes)) return false;
    return attributes == 0 || platform::SetFileAttributeBits(path, 0);
}

// The name a copy to destination is written under.
std::string TemporaryNameOf(const std::string& destination) {
    return platform::WithoutTrailingSpaces(destination) + ".tmp";
}

}  // namespace

bool PrepareWholeCopy(const std::string& source, const std::string& destination) {
    const std::string temporary = TemporaryNameOf(destination);
    // One try usually does it. When it fails, a file under the temporary name may be in
    // the way (a read-only one that CopyFileW will not replace) or may be the failed
    // copy's own partial destination (Wine leaves it): either is removed, and only when
    // something was there is the copy tried once more.
    bool copied = platform::CopyOneFile(source, temporary, false) ||
                  (RemoveLeftover(temporary) && platform::CopyOneFile(source, temporary, false));
    if (copied && MakePlain(temporary) && platform::FlushToDisk(temporary)) return true;
    // A full disk must not stay full of a copy that will never be used.
    RemoveLeftover(temporary);
    return false;
}

Committed CommitWholeCopy(const std::string& destination, bool replaceExisting) {
    const std::string temporary = TemporaryNameOf(destination);
    if (!platform::RenameFile(temporary, destination, replaceExisting)) {
        RemoveLeftover(temporary);
        return Committed::No;
    }
    // The copy was made plain and nobody else writes it, so the open for writing that the
    // flush needs is refused only by a holder that shares no writing; a scanner shares it.
    return platform::FlushToDisk(destination) ? Committed::Lasting : Committed::NotLasting;
}

void DiscardWholeCopy(const std::string& destination) {
    RemoveLeftover(TemporaryNameOf(destination));
}

bool CopyWhole(const std::string& source, const std::string& destination, bool replaceExisting) {
    return PrepareWholeCopy(source, destination) &&
           CommitWholeCopy(destination, replaceExisting) == Committed::Lasting;
}
