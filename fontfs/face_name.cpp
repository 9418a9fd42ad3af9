// Face names: a short registration with the font manager and its face query, falling
// back to our own name-table reader when the manager has shown it cannot name fonts.
#include "fontfs/face_name.h"

#include "fontfs/file_utils.h"
#include "fontfs/sfnt_name.h"
#include "platform/files.h"
#include "platform/font_manager.h"

namespace {

// Without the font manager nothing is registered, so the existence test that decides the
// registration is left to the read itself; it is made only when the read names nothing.
std::string ReadFaceNameWithoutManager(const std::string& path) {
    std::string name = ReadFaceNameOfFile(path);
    if (!name.empty() || FileExists(path)) return name;
    std::string fonts;
    if (!platform::SystemFontsFolder(&fonts)) return "";
    return ReadFaceNameOfFile(fonts + "\\" + path);
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
    bool available = true;
    std::string name = platform::FirstFaceName(path, &available);
    if (!available) source.managerNamesFaces = false;
    // Only a registration of our own is taken back. Windows counts registrations per
    // file, and taking back one that failed would remove the system's own registration of
    // a font in its folder: the font would vanish from every program until sign-out.
    if (facesAdded != 0) platform::UnregisterFontFile(path);
    if (!name.empty()) return name;
    name = ReadFaceNameOfFile(path);
    // Only a font the manager accepted and then left unnamed proves that its query cannot
    // answer; a file it refused says nothing about the next one.
    if (!name.empty() && facesAdded > 0) source.managerNamesFaces = false;
    return name;
}
