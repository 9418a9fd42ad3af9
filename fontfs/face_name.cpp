// Face names: a short registration with the font manager and its face query, falling
// back to our own name-table reader when the manager has shown it cannot name fonts.
#include "fontfs/face_name.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "fontfs/file_utils.h"
#include "fontfs/sfnt_name.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/font_manager.h"

namespace {

// The working record of one query: the fixed head of a LOGFONTW, then room for the name
// of the first face and whatever further records the manager writes.
struct FaceQueryRecord {
    std::int32_t head[7];
    char16_t names[1024];
};
static_assert(sizeof(FaceQueryRecord) == 2076, "the query buffer is 2076 bytes");

constexpr std::uint32_t kQueryLogFonts = 2;
// LOGFONTW holds at most 31 units of a face name.
constexpr std::size_t kFaceNameLimit = 31;

std::string QueryFontManager(const std::string& path, FaceNameSource& source) {
    FaceQueryRecord record;
    std::memset(&record, 0, sizeof record);
    std::uint32_t byteCount = 0;
    bool available = true;
    // The first call learns the byte count, the second fetches the records.
    for (int call = 0; call < 2; ++call) {
        std::u16string widePath = AnsiToWide(path);
        std::vector<unsigned char> buffer(sizeof record);
        std::memcpy(buffer.data(), &record, sizeof record);
        // More than 22 faces would not fit; the buffer is never announced larger than it is.
        if (byteCount > sizeof record) byteCount = sizeof record;
        platform::QueryFontResourceInfo(widePath.c_str(), &byteCount, buffer.data(), kQueryLogFonts,
                                        &available);
        std::memcpy(&record, buffer.data(), sizeof record);
    }
    if (!available) source.managerNamesFaces = false;
    return WideToAnsi(std::u16string(record.names, std::size(record.names)));
}

std::string ReadOwnFaceName(const std::string& path) {
    std::u16string name =
        ReadSfntFamilyName(FileSfntSource(path), platform::UserDefaultUiLanguage());
    if (name.size() > kFaceNameLimit) {
        std::size_t keep = kFaceNameLimit;
        // Never keep half of a surrogate pair.
        if (name[keep - 1] >= 0xD800 && name[keep - 1] <= 0xDBFF) --keep;
        name.resize(keep);
    }
    return WideToAnsi(name);
}

// Without the font manager nothing is registered, so the existence test that decides the
// registration is left to the read itself; it is made only when the read names nothing.
std::string ReadFaceNameWithoutManager(const std::string& path) {
    std::string name = ReadOwnFaceName(path);
    if (!name.empty() || FileExists(path)) return name;
    std::string fonts;
    if (!platform::SystemFontsFolder(&fonts)) return "";
    return ReadOwnFaceName(fonts + "\\" + path);
}

}  // namespace

std::string ReadFontFaceName(std::string path, FaceNameSource& source) {
    if (!source.managerNamesFaces) return ReadFaceNameWithoutManager(path);
    int facesAdded = 0;
    if (FileExists(path)) {
        facesAdded = platform::RegisterFontFile(path);
    } else {
        // A bare file name is looked for in the system fonts folder.
        std::string fonts;
        if (platform::SystemFontsFolder(&fonts)) path = fonts + "\\" + path;
    }
    std::string name = QueryFontManager(path, source);
    // Only a registration of our own is taken back. Windows counts registrations per
    // file, and taking back one that failed would remove the system's own registration of
    // a font in its folder: the font would vanish from every program until sign-out.
    if (facesAdded != 0) platform::UnregisterFontFile(path);
    if (!name.empty()) return name;
    name = ReadOwnFaceName(path);
    // Only a font the manager accepted and then left unnamed proves that its query cannot
    // answer; a file it refused says nothing about the next one.
    if (!name.empty() && facesAdded > 0) source.managerNamesFaces = false;
    return name;
}

std::u16string AnsiToWide(const std::string& text) {
    int units = platform::MultiByteToWide936(text.c_str(), -1, nullptr, 0);
    if (units <= 0) return std::u16string(1, u'\0');
    std::u16string block(static_cast<std::size_t>(units), u'\0');
    platform::MultiByteToWide936(text.c_str(), -1, block.data(), units);
    return block;
}

std::string WideToAnsi(const std::u16string& block) {
    if (block.empty()) return "";
    int bytes = platform::WideToMultiByte936(block.data(), static_cast<int>(block.size()), nullptr,
                                             0, platform::kCompositeCheck);
    if (bytes <= 0) return "";
    // One byte more than the block needs, so that a block without a NUL unit still has
    // room for the terminating NUL of the second conversion.
    std::vector<char> text(static_cast<std::size_t>(bytes) + 1, '\0');
    platform::WideToMultiByte936(block.c_str(), -1, text.data(), bytes + 1,
                                 platform::kCompositeCheck);
    return std::string(text.data());
}
