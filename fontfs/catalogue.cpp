// The installed-font catalogue, filled by walking the fonts folder for "*.ttf" files.
#include "fontfs/catalogue.h"

#include "fontfs/face_name.h"
#include "fontfs/file_utils.h"
#include "fontfs/walk_folder.h"

namespace {

// The list, and where its face names come from: both start afresh with the list.
struct Catalogue {
    std::vector<InstalledFont> fonts;
    FaceNameSource faceNames;
};

Catalogue& TheCatalogue() {
    static Catalogue catalogue;
    return catalogue;
}

}  // namespace

std::vector<InstalledFont>& InstalledFontList() {
    return TheCatalogue().fonts;
}

void CreateInstalledFontList() {
    TheCatalogue().fonts.clear();
    TheCatalogue().faceNames = FaceNameSource();
}

void ReleaseInstalledFontList() {
    // Swapping with an empty list gives the memory back, not just the records.
    std::vector<InstalledFont>().swap(InstalledFontList());
}

void ScanFontsFolder() {
    WalkFolder(kFontsFolder, AddInstalledFont, "*.ttf", true, 0, true);
}

void AddInstalledFont(const std::string& path) {
    InstalledFont font;
    font.fileName = FileNameOfPath(path);
    font.faceName = ReadFontFaceName(path, TheCatalogue().faceNames);
    font.fullPath = path;
    InstalledFontList().push_back(std::move(font));
}

void RebuildInstalledFontList() {
    ReleaseInstalledFontList();
    ScanFontsFolder();
}
