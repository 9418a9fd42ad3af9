// A backup from the real fonts folder: the Windows copy hands a font's read-only, hidden
// and system attributes to its backup, and the backup must come out a plain file. The
// file calls' behaviour itself is stated once, in tests/contract/file_services.cpp.
#include "harness/check.h"
#include "platform/files.h"
#include "tasks/backup_folder.h"
#include "platform_test_files.h"

#include <string>

// A backup that kept the attributes could not be overwritten by the next backup on
// Windows. (Wine itself lets a copy replace a read-only file, so only the attributes
// show here.)
TEST_CASE("platform_files.backup_of_a_read_only_font_is_a_plain_file") {
    constexpr unsigned kProtected = platform::kReadOnly | platform::kHidden | platform::kSystem;
    const std::string name = "备份只读.ttf";
    const std::string font = "C:\\windows\\Fonts\\" + name;
    REQUIRE(testfiles::Write(font, "font bytes"));
    REQUIRE(platform::SetFileAttributeBits(font, kProtected));

    const std::string before = platform::CurrentFolder();
    REQUIRE(testfiles::MakeFolder(check::Scratch() + "\\Backup"));
    REQUIRE(platform::SetCurrentFolder(check::Scratch()));
    CHECK(BackUpFontFile(name));
    CHECK(BackUpFontFile(name));  // over the first backup
    platform::SetCurrentFolder(before);
    const std::string backup = check::Scratch() + "\\Backup\\" + name;
    unsigned attributes = 0;
    CHECK_EQ(testfiles::Read(backup), std::string("font bytes"));
    CHECK(platform::FileAttributeBits(backup, &attributes) && attributes == 0u);
    CHECK(platform::FileAttributeBits(font, &attributes) && attributes == kProtected);

    platform::SetFileAttributeBits(font, 0);
    DeleteFileA(font.c_str());
}
