// The font manager wrappers, font installation, face names and the catalogue scan on the
// real fonts folder of the test prefix, with generated fonts. Every file a case puts into
// the fonts folder is unregistered and deleted when the case ends, because each Wine
// process start reads that folder.
#include "fontfs/catalogue.h"
#include "fontfs/face_name.h"
#include "fontfs/install_font.h"
#include "harness/check.h"
#include "platform/files.h"
#include "platform/font_manager.h"
#include "platform_test_files.h"
#include "support/ttf_writer.h"

#include <string>
#include <vector>

namespace {

std::string Bytes(const std::vector<unsigned char>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string FontsFolder() {
    std::string folder;
    platform::SystemFontsFolder(&folder);
    return folder;
}

// Files placed in the fonts folder during a case; taken out again, registration first,
// whatever way the case ends.
class FontsFolderGuard {
  public:
    std::string Add(const std::string& name) {
        names_.push_back(name);
        return FontsFolder() + "\\" + name;
    }
    void Registered(const std::string& path) { registered_.push_back(path); }
    ~FontsFolderGuard() {
        for (const std::string& path : registered_)
            while (RemoveFontResourceA(path.c_str())) {
            }
        for (const std::string& name : names_) {
            std::string path = FontsFolder() + "\\" + name;
            while (RemoveFontResourceA(path.c_str())) {
            }
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }

  private:
    std::vector<std::string> names_;
    std::vector<std::string> registered_;
};

bool WriteFont(const std::string& path, const std::u16string& family) {
    return testfiles::Write(path, Bytes(ttf::MakeFont(family)));
}

const InstalledFont* FindInCatalogue(const std::string& fileName) {
    for (const InstalledFont& font : InstalledFontList())
        if (font.fileName == fileName) return &font;
    return nullptr;
}

}  // namespace

TEST_CASE("platform_fonts.register_counts_faces") {
    const std::string ttf = check::Scratch() + "\\one.ttf";
    const std::string ttc = check::Scratch() + "\\two.ttc";
    const std::string junk = check::Scratch() + "\\junk.ttf";
    REQUIRE(WriteFont(ttf, u"Seam Single"));
    REQUIRE(testfiles::Write(ttc, Bytes(ttf::MakeCollection({u"Seam Pair A", u"Seam Pair B"}))));
    REQUIRE(testfiles::Write(junk, "not a font at all"));

    CHECK_EQ(platform::RegisterFontFile(ttf), 1);
    CHECK(platform::UnregisterFontFile(ttf));
    CHECK_EQ(platform::RegisterFontFile(ttc), 2);
    CHECK(platform::UnregisterFontFile(ttc));
    CHECK_EQ(platform::RegisterFontFile(junk), 0);
    CHECK(!platform::UnregisterFontFile(junk));

    // gdi32 exports the face query; whether it answers is the system's business (Wine's
    // is a stub that names nothing), but an answer must be the first face's name.
    bool available = false;
    CHECK_EQ(platform::RegisterFontFile(ttc), 2);
    const std::string name = platform::FirstFaceName(ttc, &available);
    platform::UnregisterFontFile(ttc);
    CHECK(available);
    CHECK(name.empty() || name == "Seam Pair A");
    // A face is named in the user's interface language: this prefix's is Chinese.
    CHECK_EQ(platform::UserDefaultUiLanguage(), static_cast<unsigned short>(0x0804));
}

TEST_CASE("platform_fonts.install_copies_registers_and_counts") {
    FontsFolderGuard guard;
    const std::string ttf = check::Scratch() + "\\seam_install_one.ttf";
    const std::string ttc = check::Scratch() + "\\seam_install_two.ttc";
    REQUIRE(WriteFont(ttf, u"安装测试黑体"));
    REQUIRE(testfiles::Write(ttc, Bytes(ttf::MakeCollection({u"Seam Coll A", u"Seam Coll B"}))));
    const std::string ttfCopy = guard.Add("seam_install_one.ttf");
    const std::string ttcCopy = guard.Add("seam_install_two.ttc");
    guard.Registered(ttf);
    guard.Registered(ttc);

    CHECK_EQ(InstallFontFile(ttf), 1);
    CHECK_EQ(testfiles::Read(ttfCopy), testfiles::Read(ttf));
    CHECK(InstallFontFile(ttc) > 1);
    CHECK_EQ(testfiles::Read(ttcCopy), testfiles::Read(ttc));
}

TEST_CASE("platform_fonts.install_never_overwrites") {
    FontsFolderGuard guard;
    const std::string source = check::Scratch() + "\\seam_taken.ttf";
    REQUIRE(WriteFont(source, u"Seam Newcomer"));
    const std::string existing = guard.Add("seam_taken.ttf");
    REQUIRE(testfiles::Write(existing, "the installed one"));
    guard.Registered(source);

    CHECK_EQ(InstallFontFile(source), 0);
    CHECK_EQ(testfiles::Read(existing), std::string("the installed one"));
}

TEST_CASE("platform_fonts.install_refuses_held_or_folder_sources") {
    FontsFolderGuard guard;
    const std::string source = check::Scratch() + "\\seam_held.ttf";
    REQUIRE(WriteFont(source, u"Seam Held"));
    const std::string copy = guard.Add("seam_held.ttf");
    guard.Registered(source);

    HANDLE holder = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(holder != INVALID_HANDLE_VALUE);
    CHECK_EQ(InstallFontFile(source), 0);
    CloseHandle(holder);
    CHECK(!testfiles::Exists(copy));

    const std::string folder = check::Scratch() + "\\seam_folder.ttf";
    REQUIRE(testfiles::MakeFolder(folder));
    CHECK_EQ(InstallFontFile(folder), 0);
    CHECK_EQ(InstallFontFile(check::Scratch() + "\\seam_missing.ttf"), 0);
}

// A file the font manager does not take is still copied (nothing is undone), and the
// result says it failed.
TEST_CASE("platform_fonts.install_of_a_non_font_leaves_the_copy") {
    FontsFolderGuard guard;
    const std::string source = check::Scratch() + "\\seam_junk.ttf";
    REQUIRE(testfiles::Write(source, "no font in here"));
    const std::string copy = guard.Add("seam_junk.ttf");

    CHECK_EQ(InstallFontFile(source), 0);
    CHECK_EQ(testfiles::Read(copy), std::string("no font in here"));
}

// The copy is named from the absolute form of the path, where the trail byte 0x5C of "淺"
// is no separator; the font manager gets the relative text.
TEST_CASE("platform_fonts.install_names_a_relative_source_from_the_current_folder") {
    FontsFolderGuard guard;
    REQUIRE(testfiles::MakeFolder(check::Scratch() + "\\sub"));
    REQUIRE(WriteFont(check::Scratch() + "\\sub\\seam_淺体.ttf", u"Seam Relative"));
    const std::string copy = guard.Add("seam_淺体.ttf");
    guard.Registered(check::Scratch() + "\\sub\\seam_淺体.ttf");

    const std::string before = platform::CurrentFolder();
    REQUIRE(platform::SetCurrentFolder(check::Scratch()));
    const int fonts = InstallFontFile("sub\\seam_淺体.ttf");
    platform::SetCurrentFolder(before);
    CHECK_EQ(fonts, 1);
    CHECK(testfiles::Exists(copy));
}

TEST_CASE("platform_fonts.face_names_from_generated_fonts") {
    FaceNameSource source;
    const std::string chinese = check::Scratch() + "\\seam_cn.ttf";
    const std::string pair = check::Scratch() + "\\seam_pair.ttf";
    const std::string junk = check::Scratch() + "\\seam_junk.ttf";
    REQUIRE(WriteFont(chinese, u"平台测试黑体"));
    REQUIRE(testfiles::Write(pair, Bytes(ttf::MakeCollection({u"Seam First", u"Seam Second"}))));
    REQUIRE(testfiles::Write(junk, "no font in here"));

    // Literals are compiled to code page 936, so this compares code page 936 bytes.
    CHECK_EQ(ReadFontFaceName(chinese, source), std::string("平台测试黑体"));
    CHECK_EQ(ReadFontFaceName(pair, source), std::string("Seam First"));
    CHECK_EQ(ReadFontFaceName(junk, source), std::string());
    CHECK_EQ(ReadFontFaceName(check::Scratch() + "\\seam_missing.ttf", source), std::string());

    // A bare file name is looked for in the system fonts folder.
    FontsFolderGuard guard;
    REQUIRE(WriteFont(guard.Add("seam_bare.ttf"), u"Seam Bare"));
    CHECK_EQ(ReadFontFaceName("seam_bare.ttf", source), std::string("Seam Bare"));
}

TEST_CASE("platform_fonts.catalogue_scan_of_the_fonts_folder") {
    FontsFolderGuard guard;
    REQUIRE(WriteFont(guard.Add("seam_scan_a.ttf"), u"扫描测试宋体"));
    REQUIRE(testfiles::Write(guard.Add("seam_scan_b.TTF"),
                             Bytes(ttf::MakeCollection({u"Seam Scan B1", u"Seam Scan B2"}))));
    REQUIRE(testfiles::Write(guard.Add("seam_scan_junk.ttf"), "no font in here"));
    REQUIRE(WriteFont(guard.Add("seam_scan_c.ttc"), u"Seam Not Listed"));

    CreateInstalledFontList();
    ScanFontsFolder();
    const InstalledFont* a = FindInCatalogue("seam_scan_a.ttf");
    const InstalledFont* b = FindInCatalogue("seam_scan_b.TTF");
    const InstalledFont* junk = FindInCatalogue("seam_scan_junk.ttf");
    REQUIRE(a && b && junk);
    CHECK_EQ(a->faceName, std::string("扫描测试宋体"));
    CHECK_EQ(a->fullPath, std::string(kFontsFolder) + "seam_scan_a.ttf");
    CHECK_EQ(b->faceName, std::string("Seam Scan B1"));
    CHECK_EQ(junk->faceName, std::string());
    CHECK(FindInCatalogue("seam_scan_c.ttc") == nullptr);

    // The scan appends; the rebuild starts from an empty list.
    const std::size_t once = InstalledFontList().size();
    ScanFontsFolder();
    CHECK_EQ(InstalledFontList().size(), 2 * once);
    RebuildInstalledFontList();
    CHECK_EQ(InstalledFontList().size(), once);
    ReleaseInstalledFontList();
}
