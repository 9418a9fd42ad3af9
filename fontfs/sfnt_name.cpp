// The family-name reader: the collection header, the table directory of one face and its
// name table, each checked against the source's size before it is read.
#include "fontfs/sfnt_name.h"

#include <cstring>

namespace {

constexpr std::uint32_t Tag(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d));
}

constexpr std::uint32_t kTrueType = 0x00010000;
constexpr std::uint32_t kCollection = Tag('t', 't', 'c', 'f');
// A name table beyond this is not a font's; it is not read at all.
constexpr std::uint32_t kMaxNameTable = 4u << 20;

constexpr unsigned kPlatformMac = 1;
constexpr unsigned kPlatformWindows = 3;
constexpr unsigned kUsEnglish = 0x0409;
constexpr unsigned kFamilyNameId = 1;

// The high half of Macintosh Roman.
constexpr char16_t kMacRoman[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3,
    0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3,
    0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA,
    0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D,
    0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE,
    0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

// Big-endian fields of a block that is known to hold them.
unsigned U16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<unsigned>(b[at]) << 8 | b[at + 1];
}
std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint32_t>(U16(b, at)) << 16 | U16(b, at + 2);
}

// Reads count bytes at offset when they lie inside the source.
bool ReadBlock(const SfntSource& source, std::uint64_t offset, std::uint64_t count,
               std::vector<unsigned char>* bytes) {
    if (!source.read || offset > source.size || count > source.size - offset) return false;
    if (!source.read(offset, static_cast<std::size_t>(count), bytes)) return false;
    return bytes->size() == count;
}

bool IsSfntVersion(std::uint32_t version) {
    return version == kTrueType || version == Tag('O', 'T', 'T', 'O') ||
           version == Tag('t', 'r', 'u', 'e');
}

// The offset of face faceIndex's offset table, or false.
bool FaceOffset(const SfntSource& source, unsigned faceIndex, std::uint64_t* offset) {
    std::vector<unsigned char> head;
    if (!ReadBlock(source, 0, 12, &head)) return false;
    std::uint32_t tag = U32(head, 0);
    if (IsSfntVersion(tag)) {
        *offset = 0;
        return faceIndex == 0;
    }
    if (tag != kCollection || faceIndex >= U32(head, 8)) return false;
    std::vector<unsigned char> entry;
    if (!ReadBlock(source, 12 + 4ull * faceIndex, 4, &entry)) return false;
    *offset = U32(entry, 0);
    return true;
}

// Finds the name table of the face at faceOffset and reads it whole.
bool ReadNameTable(const SfntSource& source, std::uint64_t faceOffset,
                   std::vector<unsigned char>* table) {
    std::vector<unsigned char> head;
    if (!ReadBlock(source, faceOffset, 12, &head) || !IsSfntVersion(U32(head, 0))) return false;
    // A directory that claims more tables than the file holds is read as far as it goes.
    std::uint64_t room = (source.size - faceOffset - 12) / 16;
    std::uint64_t tables = U16(head, 4);
    if (tables > room) tables = room;
    std::vector<unsigned char> directory;
    if (!ReadBlock(source, faceOffset + 12, tables * 16, &directory)) return false;
    for (std::size_t i = 0; i < tables; ++i) {
        if (U32(directory, i * 16) != Tag('n', 'a', 'm', 'e')) continue;
        std::uint32_t offset = U32(directory, i * 16 + 8);
        std::uint32_t length = U32(directory, i * 16 + 12);
        if (length < 6 || length > kMaxNameTable) return false;
        return ReadBlock(source, offset, length, table);
    }
    return false;
}

std::u16string DecodeUtf16Be(const std::vector<unsigned char>& table, std::size_t at,
                             std::size_t length) {
    std::u16string text;
    // An odd last byte is half a unit; it is dropped.
    for (std::size_t i = 0; i + 1 < length; i += 2) {
        char16_t unit = static_cast<char16_t>(U16(table, at + i));
        if (unit == 0) break;
        text += unit;
    }
    return text;
}

std::u16string DecodeMacRoman(const std::vector<unsigned char>& table, std::size_t at,
                              std::size_t length) {
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char byte = table[at + i];
        if (byte == 0) break;
        text += byte < 0x80 ? static_cast<char16_t>(byte) : kMacRoman[byte - 0x80];
    }
    return text;
}

// Lower is better; 0 means the record is not a usable family name.
int Rank(unsigned platformId, unsigned encodingId, unsigned languageId, unsigned preferred) {
    if (platformId == kPlatformWindows) {
        if (encodingId == 1 && languageId == preferred) return 1;
        if (encodingId == 1 && languageId == kUsEnglish) return 2;
        // Symbol fonts (encoding 0) keep their names in UTF-16 too.
        if (encodingId == 0 || encodingId == 1 || encodingId == 10) return 3;
        return 0;
    }
    if (platformId == kPlatformMac && encodingId == 0) return 4;
    return 0;
}

std::u16string PickFamilyName(const std::vector<unsigned char>& table, unsigned preferred) {
    std::size_t count = U16(table, 2);
    std::size_t storage = U16(table, 4);
    // Records that would run past the table are not there.
    std::size_t fit = (table.size() - 6) / 12;
    if (count > fit) count = fit;
    std::u16string best;
    int bestRank = 5;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t record = 6 + i * 12;
        if (U16(table, record + 6) != kFamilyNameId) continue;
        unsigned platformId = U16(table, record);
        int rank = Rank(platformId, U16(table, record + 2), U16(table, record + 4), preferred);
        if (rank == 0 || rank >= bestRank) continue;
        std::size_t length = U16(table, record + 8);
        std::size_t at = storage + U16(table, record + 10);
        if (at > table.size() || length > table.size() - at) continue;
        std::u16string text = platformId == kPlatformMac ? DecodeMacRoman(table, at, length)
                                                         : DecodeUtf16Be(table, at, length);
        if (text.empty()) continue;
        best = text;
        bestRank = rank;
    }
    return best;
}

}  // namespace

SfntSource MemorySfntSource(const unsigned char* data, std::size_t size) {
    SfntSource source;
    source.size = data ? size : 0;
    source.read = [data, size](std::uint64_t offset, std::size_t count,
                               std::vector<unsigned char>* bytes) {
        if (!data || offset > size || count > size - offset) return false;
        bytes->assign(data + offset, data + offset + count);
        return true;
    };
    return source;
}

unsigned CountSfntFaces(const SfntSource& source) {
    std::vector<unsigned char> head;
    if (!ReadBlock(source, 0, 12, &head)) return 0;
    if (IsSfntVersion(U32(head, 0))) return 1;
    if (U32(head, 0) != kCollection) return 0;
    std::uint64_t faces = U32(head, 8);
    if (faces == 0 || 12 + 4 * faces > source.size) return 0;
    return static_cast<unsigned>(faces);
}

std::u16string ReadSfntFamilyName(const SfntSource& source, unsigned preferredLanguage,
                                  unsigned faceIndex) {
    std::uint64_t faceOffset = 0;
    std::vector<unsigned char> table;
    if (!FaceOffset(source, faceIndex, &faceOffset) || !ReadNameTable(source, faceOffset, &table))
        return u"";
    return PickFamilyName(table, preferredLanguage);
}
