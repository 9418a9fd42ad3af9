// Whole-call reads composed from the open-read-close primitives, the same on every
// platform.
#include "platform/files.h"

namespace platform {

bool ReadFileRange(const std::string& path, unsigned long long offset, std::size_t count,
                   std::vector<unsigned char>* bytes) {
    bytes->clear();
    ReadHandle file = OpenForReading(path);
    if (!file) return false;
    bool ok = ReadAt(file, offset, count, bytes);
    CloseForReading(file);
    return ok;
}

bool FileSize(const std::string& path, unsigned long long* size) {
    ReadHandle file = OpenForReading(path);
    if (!file) return false;
    bool ok = SizeOfOpenFile(file, size);
    CloseForReading(file);
    return ok;
}

}  // namespace platform
