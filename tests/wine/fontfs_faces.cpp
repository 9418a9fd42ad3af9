// Face names and installation on the real font manager: where its face query gives no
// name (Wine's is a stub), our own reader names the fonts and the round trip stops.
#include <windows.h>

#include "fontfs/face_name.h"
#include "fontfs/install_font.h"
#include "fontfs/walk_folder.h"
#include "harness/check.h"
#include "platform/files.h"
#include "support/ttf_writer.h"

namespace {

std::vector<std::string> seen;
void Record(const std::string& path) {
    seen.push_back(path);
}

}  // namespace

TEST_CASE("fontfs_faces.face_names_of_generated_fonts") {
    ResetFaceNameSource();
    std::string latin = check::Scratch() + "\\faces_latin.ttf";
    std::string chinese = check::Scratch() + "\\faces_中文.ttf";
    REQUIRE(ttf::WriteBytes(latin, ttf::MakeFont(u"Faces Latin Test")));
    REQUIRE(ttf::WriteBytes(chinese, ttf::MakeFont(u"面孔测试体")));
    CHECK_EQ(ReadFontFaceName(latin), std::string("Faces Latin Test"));
    CHECK_EQ(ReadFontFaceName(chinese), std::string("面孔测试体"));
    CHECK_EQ(ReadFontFaceName(check::Scratch() + "\\none.ttf"), std::string(""));
    // Every temporary registration was taken back: the file can be deleted.
    CHECK(DeleteFileA(latin.c_str()));
}

TEST_CASE("fontfs_faces.walk_passes_only_files") {
    seen.clear();
    std::string folder = check::Scratch() + "\\walk";
    REQUIRE(CreateDirectoryA(folder.c_str(), nullptr));
    REQUIRE(CreateDirectoryA((folder + "\\dir.ttf").c_str(), nullptr));
    REQUIRE(ttf::WriteBytes(folder + "\\A.TTF", ttf::MakeFont(u"Walk Face")));
    WalkFolder(folder, Record, "*.ttf", true, 0, true);
    CHECK_EQ(seen.size(), 1u);
    if (!seen.empty()) CHECK_EQ(seen[0], folder + "\\A.TTF");
}

TEST_CASE("fontfs_faces.install_copies_registers_and_refuses_twice") {
    std::string source = check::Scratch() + "\\fontfs_install_probe.ttf";
    REQUIRE(ttf::WriteBytes(source, ttf::MakeFont(u"Fontfs Install Probe")));
    std::string fonts;
    REQUIRE(platform::SystemFontsFolder(&fonts));
    std::string installed = fonts + "\\fontfs_install_probe.ttf";
    DeleteFileA(installed.c_str());
    CHECK_EQ(InstallFontFile(source), 1);
    CHECK(GetFileAttributesA(installed.c_str()) != INVALID_FILE_ATTRIBUTES);
    CHECK_EQ(InstallFontFile(source), 0);  // never overwrites
    RemoveFontResourceA(source.c_str());
    CHECK(DeleteFileA(installed.c_str()));
}
