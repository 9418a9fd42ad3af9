// Installs a font file: copies it into the system fonts folder under its own name (never
// overwriting), registers it and announces the change.
#pragma once

#include <string>

// The number of fonts the font manager added, 0 when any step failed.
int InstallFontFile(const std::string& sourcePath);
