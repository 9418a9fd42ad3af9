// The installed-font catalogue: the "*.ttf" files directly in the fonts folder, each with
// its file name, the face name of its first face and its full path, in listing order.
#pragma once

#include <string>
#include <vector>

#include "fontfs/face_name.h"

// The fixed fonts folder that the scan, the task run and the restore work on.
constexpr const char* kFontsFolder = "C:\\WINDOWS\\Fonts\\";

struct InstalledFont {
    std::string fileName;  // may carry trailing spaces once the task window padded it
    std::string faceName;
    std::string fullPath;
};

// The global list; positions count from 1 for callers (index + 1).
std::vector<InstalledFont>& InstalledFontList();
// Creating the list also asks the font manager for face names again; releasing or
// rebuilding it does not.
void CreateInstalledFontList();
void ReleaseInstalledFontList();
void ScanFontsFolder();
void AddInstalledFont(const std::string& path);
void RebuildInstalledFontList();
