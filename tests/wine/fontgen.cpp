// The generated test fonts are real fonts to Windows: the font manager registers one face
// for a .ttf and one per face for a .ttc, Chinese family names included.
#include <windows.h>

#include "harness/check.h"
#include "support/ttf_writer.h"

namespace {

int RegisterAndRemove(const std::string& path) {
    int faces = AddFontResourceA(path.c_str());
    if (faces != 0) RemoveFontResourceA(path.c_str());
    return faces;
}

int CALLBACK CountFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    ++*reinterpret_cast<int*>(found);
    return 1;
}

// Whether the font manager knows a family of that name right now.
bool FamilyKnown(const std::u16string& family) {
    LOGFONTW query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    family.copy(reinterpret_cast<char16_t*>(query.lfFaceName), LF_FACESIZE - 1);
    HDC screen = GetDC(nullptr);
    int found = 0;
    EnumFontFamiliesExW(screen, &query, CountFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found > 0;
}

}  // namespace

TEST_CASE("fontgen.ttf_registers_one_face") {
    std::string path = check::Scratch() + "\\gen_latin.ttf";
    REQUIRE(ttf::WriteBytes(path, ttf::MakeFont(u"Fontgen Latin Face")));
    CHECK_EQ(RegisterAndRemove(path), 1);
}

TEST_CASE("fontgen.chinese_family_registers") {
    std::string path = check::Scratch() + "\\gen_chinese.ttf";
    ttf::FontNames names;
    names.family = u"生成测试宋体";
    names.englishFamily = u"Fontgen Song";
    names.macRomanFamily = "Fontgen Song Mac";
    REQUIRE(ttf::WriteBytes(path, ttf::MakeFont(names)));
    CHECK_EQ(AddFontResourceA(path.c_str()), 1);
    // The family is listed under its names from the name table.
    CHECK(FamilyKnown(u"生成测试宋体"));
    CHECK(FamilyKnown(u"Fontgen Song"));
    RemoveFontResourceA(path.c_str());
    CHECK(!FamilyKnown(u"Fontgen Song"));
}

TEST_CASE("fontgen.ttc_registers_each_face") {
    std::string path = check::Scratch() + "\\gen_pair.ttc";
    REQUIRE(ttf::WriteBytes(path, ttf::MakeCollection({u"Fontgen Pair One", u"Fontgen Pair Two"})));
    CHECK_EQ(RegisterAndRemove(path), 2);
}
