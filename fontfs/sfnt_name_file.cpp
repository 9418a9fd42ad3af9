// The family-name reader on font files: the file-backed source and the face name read
// through it, kept apart so that the reader itself builds without the platform layer (the
// fuzz target and the stand-in font manager link it alone).
#include "fontfs/sfnt_name.h"
#include "platform/files.h"
#include "platform/font_manager.h"

#include <memory>

SfntSource FileSfntSource(const std::string& path) {
    SfntSource source;
    // One open for the whole read: the reader asks for several ranges, and opening a file
    // costs more than reading its name table.
    std::shared_ptr<void> file(platform::OpenForReading(path), platform::CloseForReading);
    unsigned long long size = 0;
    if (!file || !platform::SizeOfOpenFile(file.get(), &size)) return source;
    source.size = size;
    source.read = [file](std::uint64_t offset, std::size_t count,
                         std::vector<unsigned char>* bytes) {
        return platform::ReadAt(file.get(), offset, count, bytes) && bytes->size() == count;
    };
    return source;
}

std::string ReadFaceNameOfFile(const std::string& path) {
    return platform::FaceNameIn936(
        ReadSfntFamilyName(FileSfntSource(path), platform::UserDefaultUiLanguage()));
}
