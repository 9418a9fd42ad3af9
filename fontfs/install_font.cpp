// Font installation: copy into the system fonts folder without overwriting, register the
// copy, announce. Every failing step gives 0 and leaves what was done in place.
#include "fontfs/install_font.h"

#include "fontfs/whole_copy.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/font_manager.h"

namespace {

constexpr std::size_t kMaxFileName = 255;

// The part of an absolute path after its last "\", "/" or ":", double-byte characters
// stepped over whole, cut to 255 bytes.
std::string InstalledFileName(const std::string& absolutePath) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < absolutePath.size(); i += platform::CharSize936(absolutePath, i)) {
        char c = absolutePath[i];
        if (c == '\\' || c == '/' || c == ':') start = i + 1;
    }
    std::string name = absolutePath.substr(start);
    if (name.size() > kMaxFileName) {
        std::size_t keep = 0;
        // Cut before a double-byte character that would not fit whole.
        for (std::size_t i = 0; i < kMaxFileName;) {
            std::size_t step = platform::CharSize936(name, i);
            if (i + step > kMaxFileName) break;
            i += step;
            keep = i;
        }
        name.resize(keep);
    }
    return name;
}

}  // namespace

int InstallFontFile(const std::string& sourcePath) {
    std::string fontsFolder;
    if (!platform::SystemFontsFolder(&fontsFolder)) return 0;
    platform::FileHandle source = platform::OpenExclusive(sourcePath);
    if (!source) return 0;
    std::string destination =
        fontsFolder + "\\" + InstalledFileName(platform::AbsolutePath(sourcePath));
    platform::CloseFile(source);
    // Never overwrite: a font of that name in the fonts folder stays as it is. The copy
    // stands under its name only whole and on the disk.
    if (!CopyWhole(sourcePath, destination, false)) return 0;
    // The copy is registered, not the source: Windows holds a loaded font file open
    // until the user signs out, and the user's own file (in Downloads, on a USB stick)
    // must stay free to be moved, deleted or ejected.
    int fonts = platform::RegisterFontFile(destination);
    if (fonts != 0) platform::BroadcastFontChange();
    return fonts;
}
