// The font generator: builds each table as big-endian bytes, lays them out behind a
// sorted table directory, and fixes up the checksums.
#include "ttf_writer.h"

#include <cstdint>
#include <cstdio>
#include <map>

namespace ttf {
namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, unsigned value) {
    b.push_back(static_cast<unsigned char>(value >> 8));
    b.push_back(static_cast<unsigned char>(value));
}
void Put32(Bytes& b, std::uint32_t value) {
    Put16(b, value >> 16);
    Put16(b, value & 0xFFFF);
}
void PutTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(tag[i]));
}
void Set32(Bytes& b, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

std::uint32_t CheckSum(const Bytes& b, std::size_t begin, std::size_t length) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < length; i += 4) {
        std::uint32_t word = 0;
        for (std::size_t k = 0; k < 4; ++k)
            word = word << 8 | (i + k < length ? b[begin + i + k] : 0);
        sum += word;
    }
    return sum;
}

// Glyph outlines: .notdef and "A" are the same square.
constexpr int kXMin = 50, kXMax = 450, kYMin = 0, kYMax = 700, kAdvance = 500;

Bytes Head() {
    Bytes b;
    Put32(b, 0x00010000);                     // version
    Put32(b, 0x00010000);                     // fontRevision
    Put32(b, 0);                              // checkSumAdjustment, set once the font is laid out
    Put32(b, 0x5F0F3CF5);                     // magicNumber
    Put16(b, 0x000B);                         // flags: baseline at 0, lsb at 0, integer scaling
    Put16(b, 1000);                           // unitsPerEm
    for (int i = 0; i < 4; ++i) Put32(b, 0);  // created, modified
    Put16(b, kXMin);
    Put16(b, kYMin);
    Put16(b, kXMax);
    Put16(b, kYMax);
    Put16(b, 0);  // macStyle
    Put16(b, 8);  // lowestRecPPEM
    Put16(b, 2);  // fontDirectionHint
    Put16(b, 0);  // indexToLocFormat: short offsets
    Put16(b, 0);  // glyphDataFormat
    return b;
}

Bytes Hhea() {
    Bytes b;
    Put32(b, 0x00010000);
    Put16(b, 800);                            // ascender
    Put16(b, 0x10000 - 200);                  // descender
    Put16(b, 0);                              // lineGap
    Put16(b, kAdvance);                       // advanceWidthMax
    Put16(b, kXMin);                          // minLeftSideBearing
    Put16(b, kAdvance - kXMax);               // minRightSideBearing
    Put16(b, kXMax);                          // xMaxExtent
    Put16(b, 1);                              // caretSlopeRise
    Put16(b, 0);                              // caretSlopeRun
    for (int i = 0; i < 5; ++i) Put16(b, 0);  // caretOffset, reserved
    Put16(b, 0);                              // metricDataFormat
    Put16(b, 2);                              // numberOfHMetrics
    return b;
}

Bytes Maxp() {
    Bytes b;
    Put32(b, 0x00010000);
    Put16(b, 2);  // numGlyphs
    Put16(b, 4);  // maxPoints
    Put16(b, 1);  // maxContours
    Put16(b, 0);  // maxCompositePoints
    Put16(b, 0);  // maxCompositeContours
    Put16(b, 2);  // maxZones
    for (int i = 0; i < 8; ++i) Put16(b, 0);
    return b;
}

Bytes Os2() {
    Bytes b;
    Put16(b, 3);                                                            // version
    Put16(b, kAdvance);                                                     // xAvgCharWidth
    Put16(b, 400);                                                          // usWeightClass
    Put16(b, 5);                                                            // usWidthClass
    Put16(b, 0);                                                            // fsType: installable
    for (int value : {650, 600, 0, 75, 650, 600, 0, 350}) Put16(b, value);  // sub/superscript
    Put16(b, 50);                                                           // yStrikeoutSize
    Put16(b, 300);                                                          // yStrikeoutPosition
    Put16(b, 0);                                                            // sFamilyClass
    for (int i = 0; i < 10; ++i) b.push_back(0);                            // panose
    Put32(b, 1);  // ulUnicodeRange1: Basic Latin
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    PutTag(b, "NONE");  // achVendID
    Put16(b, 0x0040);   // fsSelection: regular
    Put16(b, 'A');      // usFirstCharIndex
    Put16(b, 'A');      // usLastCharIndex
    Put16(b, 800);      // sTypoAscender
    Put16(b, 0x10000 - 200);
    Put16(b, 0);    // sTypoLineGap
    Put16(b, 800);  // usWinAscent
    Put16(b, 200);  // usWinDescent
    // ulCodePageRange1: Latin 1 only. A double-byte code page would make the font manager
    // add a vertical "@" face as well, doubling the count it reports.
    Put32(b, 1);
    Put32(b, 0);
    Put16(b, 500);    // sxHeight
    Put16(b, kYMax);  // sCapHeight
    Put16(b, 0);      // usDefaultChar
    Put16(b, ' ');    // usBreakChar
    Put16(b, 1);      // usMaxContext
    return b;
}

Bytes Hmtx() {
    Bytes b;
    for (int glyph = 0; glyph < 2; ++glyph) {
        Put16(b, kAdvance);
        Put16(b, kXMin);
    }
    return b;
}

// A format 4 subtable mapping "A" to glyph 1.
Bytes Cmap() {
    Bytes b;
    Put16(b, 0);   // version
    Put16(b, 1);   // numTables
    Put16(b, 3);   // Windows
    Put16(b, 1);   // Unicode BMP
    Put32(b, 12);  // offset
    Put16(b, 4);   // format
    Put16(b, 32);  // length
    Put16(b, 0);   // language
    Put16(b, 4);   // segCountX2
    Put16(b, 4);   // searchRange
    Put16(b, 1);   // entrySelector
    Put16(b, 0);   // rangeShift
    Put16(b, 'A');
    Put16(b, 0xFFFF);  // endCode
    Put16(b, 0);       // reservedPad
    Put16(b, 'A');
    Put16(b, 0xFFFF);              // startCode
    Put16(b, (1 - 'A') & 0xFFFF);  // idDelta
    Put16(b, 1);
    Put16(b, 0);
    Put16(b, 0);  // idRangeOffset
    return b;
}

Bytes Glyf() {
    Bytes b;
    for (int glyph = 0; glyph < 2; ++glyph) {
        Put16(b, 1);  // numberOfContours
        Put16(b, kXMin);
        Put16(b, kYMin);
        Put16(b, kXMax);
        Put16(b, kYMax);
        Put16(b, 3);                                    // endPtsOfContours
        Put16(b, 0);                                    // instructionLength
        for (int i = 0; i < 4; ++i) b.push_back(0x01);  // on curve, 16-bit deltas
        for (int dx : {kXMin, 0, kXMax - kXMin, 0}) Put16(b, dx & 0xFFFF);
        for (int dy : {0, kYMax, 0, -kYMax}) Put16(b, dy & 0xFFFF);
        Put16(b, 0);  // pad to an even length for short loca offsets
    }
    return b;
}

Bytes Loca(std::size_t glyfSize) {
    Bytes b;
    Put16(b, 0);
    Put16(b, static_cast<unsigned>(glyfSize / 4));
    Put16(b, static_cast<unsigned>(glyfSize / 2));
    return b;
}

Bytes Post() {
    Bytes b;
    Put32(b, 0x00030000);     // version 3: no glyph names
    Put32(b, 0);              // italicAngle
    Put16(b, 0x10000 - 100);  // underlinePosition
    Put16(b, 50);             // underlineThickness
    for (int i = 0; i < 5; ++i) Put32(b, 0);
    return b;
}

Bytes Utf16Be(const std::u16string& text) {
    Bytes b;
    for (char16_t unit : text) Put16(b, unit);
    return b;
}

// An ASCII PostScript name that differs per family, so that each face is unique.
std::u16string PostScriptName(const std::u16string& family) {
    std::uint32_t hash = 2166136261u;
    for (char16_t unit : family) hash = (hash ^ unit) * 16777619u;
    char text[32];
    std::snprintf(text, sizeof text, "TestFont-%08X", static_cast<unsigned>(hash));
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

Bytes Name(const FontNames& names) {
    struct Record {
        unsigned platform, encoding, language, nameId;
        Bytes text;
    };
    std::vector<Record> records;
    if (!names.macRomanFamily.empty()) {
        Bytes mac(names.macRomanFamily.begin(), names.macRomanFamily.end());
        records.push_back({1, 0, 0, 1, mac});
    }
    if (!names.family.empty()) {
        const std::u16string& english =
            names.englishFamily.empty() ? names.family : names.englishFamily;
        // Records sorted by platform, encoding, language, name ID.
        for (unsigned language : {0x0409u, 0x0804u}) {
            const std::u16string& family = language == 0x0409 ? english : names.family;
            std::u16string ps = PostScriptName(family);
            records.push_back({3, 1, language, 1, Utf16Be(family)});
            records.push_back({3, 1, language, 2, Utf16Be(u"Regular")});
            records.push_back({3, 1, language, 3, Utf16Be(ps)});
            records.push_back({3, 1, language, 4, Utf16Be(family)});
            records.push_back({3, 1, language, 6, Utf16Be(ps)});
        }
    }
    Bytes b;
    Put16(b, 0);
    Put16(b, static_cast<unsigned>(records.size()));
    Put16(b, static_cast<unsigned>(6 + 12 * records.size()));
    Bytes storage;
    for (const Record& r : records) {
        Put16(b, r.platform);
        Put16(b, r.encoding);
        Put16(b, r.language);
        Put16(b, r.nameId);
        Put16(b, static_cast<unsigned>(r.text.size()));
        Put16(b, static_cast<unsigned>(storage.size()));
        storage.insert(storage.end(), r.text.begin(), r.text.end());
    }
    b.insert(b.end(), storage.begin(), storage.end());
    return b;
}

// One face laid out as if it started at base in the file: offset table, directory, then
// the tables on 4-byte boundaries, head's checkSumAdjustment fixed up last.
Bytes LayOutFace(const FontNames& names, std::size_t base) {
    Bytes glyf = Glyf();
    std::map<std::string, Bytes> tables = {
        {"OS/2", Os2()},
        {"cmap", Cmap()},
        {"glyf", glyf},
        {"head", Head()},
        {"hhea", Hhea()},
        {"hmtx", Hmtx()},
        {"loca", Loca(glyf.size())},
        {"maxp", Maxp()},
        {"name", Name(names)},
        {"post", Post()},
    };
    const unsigned count = static_cast<unsigned>(tables.size());
    Bytes font;
    Put32(font, 0x00010000);
    Put16(font, count);
    unsigned power = 1, log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    Put16(font, power * 16);
    Put16(font, log2);
    Put16(font, count * 16 - power * 16);
    std::size_t directory = font.size();
    font.resize(directory + 16 * count);
    std::size_t headAt = 0;
    std::size_t entry = directory;
    // std::map keeps the tags in ascending byte order, as the directory must be.
    for (const auto& [tag, bytes] : tables) {
        std::size_t at = font.size();
        if (tag == "head") headAt = at;
        font.insert(font.end(), bytes.begin(), bytes.end());
        while (font.size() % 4) font.push_back(0);
        for (int i = 0; i < 4; ++i) font[entry + i] = static_cast<unsigned char>(tag[i]);
        Set32(font, entry + 4, CheckSum(font, at, bytes.size()));
        Set32(font, entry + 8, static_cast<std::uint32_t>(base + at));
        Set32(font, entry + 12, static_cast<std::uint32_t>(bytes.size()));
        entry += 16;
    }
    Set32(font, headAt + 8, 0xB1B0AFBA - CheckSum(font, 0, font.size()));
    return font;
}

}  // namespace

std::vector<unsigned char> MakeFont(const FontNames& names) {
    return LayOutFace(names, 0);
}

std::vector<unsigned char> MakeFont(const std::u16string& family) {
    FontNames names;
    names.family = family;
    return MakeFont(names);
}

std::vector<unsigned char> MakeCollection(const std::vector<std::u16string>& families) {
    Bytes file;
    PutTag(file, "ttcf");
    Put32(file, 0x00010000);
    Put32(file, static_cast<std::uint32_t>(families.size()));
    std::size_t offsets = file.size();
    file.resize(offsets + 4 * families.size());
    for (std::size_t i = 0; i < families.size(); ++i) {
        FontNames names;
        names.family = families[i];
        Set32(file, offsets + 4 * i, static_cast<std::uint32_t>(file.size()));
        Bytes face = LayOutFace(names, file.size());
        file.insert(file.end(), face.begin(), face.end());
    }
    return file;
}

bool WriteBytes(const std::string& hostPath, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(hostPath.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace ttf
