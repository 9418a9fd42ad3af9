// Generates small but valid TrueType fonts and collections for tests: every required table
// (head, hhea, maxp, OS/2, hmtx, cmap, loca, glyf, name, post) with correct checksums, a
// .notdef glyph and a square glyph for "A", and the family names the test chooses.
// Portable: used by the native tests, the Wine tests and the benchmarks.
#pragma once

#include <string>
#include <vector>

namespace ttf {

struct FontNames {
    // Family name of the Windows-platform records, written for Chinese (PRC, 0x0804) and
    // US English (0x0409); no Windows records when empty.
    std::u16string family;
    // A different family name for the US English record; family when empty.
    std::u16string englishFamily;
    // A Macintosh Roman family record (platform 1, encoding 0), when not empty.
    std::string macRomanFamily;
};

// A single-face .ttf.
std::vector<unsigned char> MakeFont(const FontNames& names);
std::vector<unsigned char> MakeFont(const std::u16string& family);
// A .ttc holding one face per family, in order.
std::vector<unsigned char> MakeCollection(const std::vector<std::u16string>& families);

// Writes bytes to a host file; false when it cannot.
bool WriteBytes(const std::string& hostPath, const std::vector<unsigned char>& bytes);

}  // namespace ttf
