// Our own family-name reader: which record it picks, and that damaged or hostile files
// give an empty name rather than a crash or a read outside the bytes.
#include "fontfs/sfnt_name.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "support/ttf_writer.h"

namespace {

using Bytes = std::vector<unsigned char>;

unsigned Get16(const Bytes& b, std::size_t at) {
    return b[at] << 8 | b[at + 1];
}
std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return Get16(b, at) << 16 | Get16(b, at + 2);
}
void Set16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<unsigned char>(v >> 8);
    b[at + 1] = static_cast<unsigned char>(v);
}
void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
    Set16(b, at, v >> 16);
    Set16(b, at + 2, v & 0xFFFF);
}

// The directory entry of a table in a single-face font.
std::size_t DirectoryEntry(const Bytes& font, const char* tag) {
    for (std::size_t i = 0; i < Get16(font, 4); ++i) {
        std::size_t entry = 12 + 16 * i;
        if (std::equal(tag, tag + 4, font.begin() + entry)) return entry;
    }
    ADD_FAILURE() << "no table " << tag;
    return 0;
}

// Calls edit(record offset) for every family-name record of the font's name table.
template <typename Edit>
void EditFamilyRecords(Bytes& font, Edit edit) {
    std::size_t name = Get32(font, DirectoryEntry(font, "name") + 8);
    for (std::size_t i = 0; i < Get16(font, name + 2); ++i) {
        std::size_t record = name + 6 + 12 * i;
        if (Get16(font, record + 6) == 1) edit(record);
    }
}

std::u16string Read(const Bytes& bytes, unsigned language = 0x0804) {
    // A copy of exactly the given size, so that ASan sees any read past the end.
    auto* copy = static_cast<unsigned char*>(std::malloc(bytes.size() + 1));
    std::copy(bytes.begin(), bytes.end(), copy);
    std::u16string name = ReadSfntFamilyName(MemorySfntSource(copy, bytes.size()), language);
    std::free(copy);
    return name;
}

ttf::FontNames TwoLanguages() {
    ttf::FontNames names;
    names.family = u"测试黑体";
    names.englishFamily = u"Test Hei";
    names.macRomanFamily = "Test Hei Mac";
    return names;
}

TEST(SfntName, PicksUiLanguageThenEnglishThenAnyWindowsThenMac) {
    Bytes font = ttf::MakeFont(TwoLanguages());
    EXPECT_EQ(Read(font, 0x0804), u"测试黑体");
    EXPECT_EQ(Read(font, 0x0411), u"Test Hei");
    // Without a US English record, the first Windows-platform record is taken.
    EditFamilyRecords(font, [&](std::size_t r) {
        if (Get16(font, r + 4) == 0x0409) Set16(font, r + 4, 0x0407);
    });
    EXPECT_EQ(Read(font, 0x0411), u"Test Hei");
    EXPECT_EQ(Read(font, 0x0804), u"测试黑体");
    // Without Windows records, the Mac Roman one.
    EditFamilyRecords(font, [&](std::size_t r) {
        if (Get16(font, r) == 3) Set16(font, r, 7);
    });
    EXPECT_EQ(Read(font, 0x0804), u"Test Hei Mac");
}

TEST(SfntName, MacRomanHighHalfIsConverted) {
    ttf::FontNames names;
    names.macRomanFamily = "Caf\x8E \xA5";
    // Spelled in units: the test's own message text is code page 936, which lacks "•".
    const std::u16string expected = {u'C', u'a', u'f', 0x00E9, u' ', 0x2022};
    EXPECT_EQ(Read(ttf::MakeFont(names)), expected);
}

TEST(SfntName, CollectionFacesAreReadByIndex) {
    Bytes ttc = ttf::MakeCollection({u"第一字体", u"Second Face"});
    SfntSource source = MemorySfntSource(ttc.data(), ttc.size());
    EXPECT_EQ(CountSfntFaces(source), 2u);
    EXPECT_EQ(ReadSfntFamilyName(source, 0x0804), u"第一字体");
    EXPECT_EQ(ReadSfntFamilyName(source, 0x0804, 1), u"Second Face");
    EXPECT_EQ(ReadSfntFamilyName(source, 0x0804, 2), u"");
}

TEST(SfntName, EveryTruncationGivesTheNameOrNothing) {
    Bytes font = ttf::MakeFont(u"Truncated");
    for (std::size_t size = 0; size <= font.size(); ++size) {
        std::u16string name = Read(Bytes(font.begin(), font.begin() + size));
        EXPECT_TRUE(name.empty() || name == u"Truncated") << size;
    }
    EXPECT_EQ(Read(font), u"Truncated");
}

TEST(SfntName, JunkGivesNothing) {
    EXPECT_EQ(Read({}), u"");
    EXPECT_EQ(Read(Bytes(4096, 0)), u"");
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        Bytes junk(random() % 2048);
        for (auto& b : junk) b = static_cast<unsigned char>(random());
        if (round % 2) Set32(junk.size() >= 12 ? junk : (junk = Bytes(12)), 0, 0x00010000);
        Read(junk);
    }
}

TEST(SfntName, LyingDirectoryAndNameTableAreNotFollowed) {
    const Bytes good = ttf::MakeFont(u"Liar");
    Bytes font = good;
    Set16(font, 4, 0xFFFF);  // thousands of tables claimed
    EXPECT_EQ(Read(font), u"Liar");

    std::size_t name = DirectoryEntry(good, "name");
    font = good;
    Set32(font, name + 8, 0xFFFFFFF0);  // name table offset past the end
    EXPECT_EQ(Read(font), u"");
    font = good;
    Set32(font, name + 12, 0x7FFFFFFF);  // and its length
    EXPECT_EQ(Read(font), u"");

    font = good;
    EditFamilyRecords(font, [&](std::size_t r) { Set16(font, r + 10, 0xFFF0); });
    EXPECT_EQ(Read(font), u"");
    font = good;
    EditFamilyRecords(font, [&](std::size_t r) { Set16(font, r + 8, 0xFFFF); });
    EXPECT_EQ(Read(font), u"");
    font = good;
    Set16(font, Get32(good, name + 8) + 2, 0xFFFF);  // record count past the table
    EXPECT_EQ(Read(font), u"Liar");

    font = good;  // an odd length keeps the whole units only
    EditFamilyRecords(font, [&](std::size_t r) { Set16(font, r + 8, 7); });
    EXPECT_EQ(Read(font), u"Lia");
}

TEST(SfntName, LyingCollectionIsNotFollowed) {
    const Bytes good = ttf::MakeCollection({u"Only Face"});
    Bytes ttc = good;
    Set32(ttc, 8, 0xFFFFFFFF);
    SfntSource source = MemorySfntSource(ttc.data(), ttc.size());
    EXPECT_EQ(CountSfntFaces(source), 0u);
    EXPECT_EQ(ReadSfntFamilyName(source, 0x0804, 70000), u"");
    ttc = good;
    Set32(ttc, 12, 0xFFFFFF00);  // first face past the end
    EXPECT_EQ(Read(ttc), u"");
    ttc = good;
    Set32(ttc, 12, 0);  // first face is the collection header itself
    EXPECT_EQ(Read(ttc), u"");
}

// Replays the fuzzing corpus, so that whatever the fuzzer once found stays fixed.
TEST(SfntName, FuzzCorpusReplays) {
    const char* folder = std::getenv("FONTTASKS_CORPUS");
    if (!folder) GTEST_SKIP() << "FONTTASKS_CORPUS is not set";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Read(bytes);
        ReadSfntFamilyName(MemorySfntSource(bytes.data(), bytes.size()), 0x0409, 1);
        ++files;
    }
    EXPECT_GT(files, 0);
}

}  // namespace
