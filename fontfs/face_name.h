// Reading the face name of a font file: through the font manager where it answers,
// otherwise from the file's own name table.
#pragma once

#include <string>

std::string ReadFontFaceName(std::string path);
// Code page 936 text to a NUL-terminated UTF-16 block, and back up to the first NUL.
std::u16string AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::u16string& block);
