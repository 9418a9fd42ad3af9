// A reader of our own for the family name of the first face in a TrueType/OpenType
// file or collection. It trusts nothing in the file: every offset and length is checked
// against the bytes it was given.
#pragma once

#include <cstddef>
#include <string>

// The family name (name ID 1) of the first face, picked the way the font manager names
// faces: Windows platform with Unicode encoding in preferredLanguage, then US English,
// then any Windows-platform record, Macintosh Roman last. Empty when none can be read.
std::u16string ReadSfntFamilyName(const unsigned char* data, std::size_t size,
                                  unsigned preferredLanguage);
