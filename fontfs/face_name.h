// Reading the face name of a font file: through the font manager where it answers,
// otherwise from the file's own name table.
#pragma once

#include <string>

std::string ReadFontFaceName(std::string path);
// Code page 936 text to a NUL-terminated UTF-16 block, and back up to the first NUL.
std::u16string AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::u16string& block);

// Whether the font manager is still asked for face names; it is not once it has shown it
// cannot answer (its query is missing, or it registered a font that our own reader names
// and gave no name for it).
bool FontManagerNamesFaces();
// Asks the font manager again from the next face name on (for tests).
void ResetFaceNameSource();
