// A reader of our own for the family name of a face in a TrueType/OpenType file or
// collection. It trusts nothing in the file: every offset and length is checked against
// the size of the source, and only the headers, the table directory and the name table
// are read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Bytes of a font file, read on demand. read() gives exactly count bytes at offset, or
// false; the reader never asks for bytes past size.
struct SfntSource {
    std::uint64_t size = 0;
    std::function<bool(std::uint64_t offset, std::size_t count, std::vector<unsigned char>*)> read;
};

// A source over bytes in memory (which must outlive it).
SfntSource MemorySfntSource(const unsigned char* data, std::size_t size);
// A source over a file, read with ranged reads; size 0 when the file cannot be read.
SfntSource FileSfntSource(const std::string& path);

// The number of faces: 1 for a single sfnt, the font count of a collection whose offset
// table fits in the file, 0 for anything else. The program leaves the count to the font
// manager; the stand-in font manager counts with this, reading the header as the name
// reader does.
unsigned CountSfntFaces(const SfntSource& source);

// The family name (name ID 1) of face faceIndex, picked the way the font manager names
// faces: Windows platform with Unicode encoding in preferredLanguage, then US English,
// then any Windows-platform Unicode record, Macintosh Roman last. Empty when none can be
// read. Stops at an embedded NUL.
std::u16string ReadSfntFamilyName(const SfntSource& source, unsigned preferredLanguage,
                                  unsigned faceIndex = 0);

// The family name of a font file's first face in the user's interface language, in code
// page 936 as the font manager's names are (platform::FaceNameIn936); "" when none can be
// read.
std::string ReadFaceNameOfFile(const std::string& path);
