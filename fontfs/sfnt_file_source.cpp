// The file-backed source of the family-name reader, kept apart so that the reader itself
// builds without the platform layer (the fuzz target links it alone).
#include "fontfs/sfnt_name.h"
#include "platform/files.h"

SfntSource FileSfntSource(const std::string& path) {
    SfntSource source;
    unsigned long long size = 0;
    if (!platform::FileSize(path, &size)) return source;
    source.size = size;
    source.read = [path](std::uint64_t offset, std::size_t count,
                         std::vector<unsigned char>* bytes) {
        return platform::ReadFileRange(path, offset, count, bytes) && bytes->size() == count;
    };
    return source;
}
