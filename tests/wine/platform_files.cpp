// The Win32 file wrappers on real files: directory search, copy, delete, the exclusive
// open, ranged reads and the folders the system reports.
#include "harness/check.h"
#include "platform/files.h"
#include "tasks/backup_folder.h"
#include "platform_test_files.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// "淺" is 9C 5C in code page 936: its trail byte is the backslash.
const std::string kTrailBackslashName = "淺字.ttf";

struct Listing {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

Listing Search(const std::string& pattern) {
    Listing listing;
    platform::DirEntry entry;
    platform::SearchHandle search = platform::FindFirstEntry(pattern, &entry);
    if (!search) return listing;
    do {
        (entry.isDirectory ? listing.folders : listing.files).push_back(entry.name);
    } while (platform::FindNextEntry(search, &entry));
    platform::CloseSearch(search);
    std::sort(listing.files.begin(), listing.files.end());
    std::sort(listing.folders.begin(), listing.folders.end());
    return listing;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

TEST_CASE("platform_files.search_reports_names_and_directory_flag") {
    const std::string dir = check::Scratch() + "\\fonts";
    REQUIRE(testfiles::MakeFolder(dir));
    REQUIRE(testfiles::Write(dir + "\\a.ttf", "a"));
    REQUIRE(testfiles::Write(dir + "\\UPPER.TTF", "b"));
    REQUIRE(testfiles::Write(dir + "\\" + kTrailBackslashName, "c"));
    REQUIRE(testfiles::Write(dir + "\\other.otf", "d"));
    REQUIRE(testfiles::MakeFolder(dir + "\\x.ttf"));

    Listing listing = Search(dir + "\\*.ttf");
    CHECK_EQ(listing.files.size(), 3u);
    CHECK(Contains(listing.files, "a.ttf"));
    CHECK(Contains(listing.files, "UPPER.TTF"));
    CHECK(Contains(listing.files, kTrailBackslashName));
    CHECK_EQ(listing.folders.size(), 1u);
    CHECK(Contains(listing.folders, "x.ttf"));
}

TEST_CASE("platform_files.search_of_missing_folder_is_null") {
    platform::DirEntry entry;
    CHECK(platform::FindFirstEntry(check::Scratch() + "\\nowhere\\*.*", &entry) == nullptr);
    CHECK(platform::FindFirstEntry(check::Scratch() + "\\*.none", &entry) == nullptr);
    platform::CloseSearch(nullptr);  // closing "no search" is harmless
}

TEST_CASE("platform_files.copy_replaces_or_refuses") {
    const std::string src = check::Scratch() + "\\src.ttf";
    const std::string dst = check::Scratch() + "\\dst.ttf";
    REQUIRE(testfiles::Write(src, "new"));
    REQUIRE(testfiles::Write(dst, "old"));

    CHECK(!platform::CopyOneFile(src, dst, true));
    CHECK_EQ(testfiles::Read(dst), std::string("old"));
    CHECK(platform::CopyOneFile(src, dst, false));
    CHECK_EQ(testfiles::Read(dst), std::string("new"));

    const std::string missingTarget = check::Scratch() + "\\never.ttf";
    CHECK(!platform::CopyOneFile(check::Scratch() + "\\missing.ttf", missingTarget, false));
    CHECK(!testfiles::Exists(missingTarget));
}

TEST_CASE("platform_files.remove_deletes_files_only") {
    const std::string file = check::Scratch() + "\\gone.ttf";
    REQUIRE(testfiles::Write(file, "x"));
    CHECK(platform::RemoveFile(file));
    CHECK(!testfiles::Exists(file));
    CHECK(!platform::RemoveFile(file));

    const std::string folder = check::Scratch() + "\\folder.ttf";
    REQUIRE(testfiles::MakeFolder(folder));
    CHECK(!platform::RemoveFile(folder));
    CHECK(testfiles::Exists(folder));
}

// The task run forms paths from padded names; the Windows file calls must name the
// file without the trailing spaces.
TEST_CASE("platform_files.trailing_spaces_are_dropped") {
    const std::string file = check::Scratch() + "\\pad.ttf";
    REQUIRE(testfiles::Write(file, "x"));
    CHECK(Search(file + "    ").files.size() == 1u);
    CHECK(platform::CopyOneFile(file + "   ", check::Scratch() + "\\copy.ttf  ", false));
    CHECK_EQ(testfiles::Read(check::Scratch() + "\\copy.ttf"), std::string("x"));
    CHECK(platform::RemoveFile(file + "  "));
    CHECK(!testfiles::Exists(file));
}

TEST_CASE("platform_files.exclusive_open_fails_while_held") {
    const std::string file = check::Scratch() + "\\held.ttf";
    REQUIRE(testfiles::Write(file, "0123456789"));

    // Another program reading the file and letting others read too.
    HANDLE holder = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(holder != INVALID_HANDLE_VALUE);
    CHECK(platform::OpenExclusive(file) == nullptr);
    // The shared reads used for face names still get through.
    std::vector<unsigned char> bytes;
    CHECK(platform::ReadFileRange(file, 2, 3, &bytes));
    CHECK_EQ(std::string(bytes.begin(), bytes.end()), std::string("234"));
    CloseHandle(holder);

    platform::FileHandle mine = platform::OpenExclusive(file);
    CHECK(mine != nullptr);
    // While we hold it exclusively, nobody else may open it.
    HANDLE other = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    CHECK(other == INVALID_HANDLE_VALUE);
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    platform::CloseFile(mine);

    CHECK(platform::OpenExclusive(check::Scratch() + "\\missing.ttf") == nullptr);
    REQUIRE(testfiles::MakeFolder(check::Scratch() + "\\dir.ttf"));
    CHECK(platform::OpenExclusive(check::Scratch() + "\\dir.ttf") == nullptr);
}

TEST_CASE("platform_files.ranged_reads_and_size") {
    const std::string file = check::Scratch() + "\\data.bin";
    REQUIRE(testfiles::Write(file, "abcdefgh"));

    std::vector<unsigned char> bytes;
    CHECK(platform::ReadFileRange(file, 0, 8, &bytes));
    CHECK_EQ(bytes.size(), 8u);
    CHECK(platform::ReadFileRange(file, 6, 100, &bytes));
    CHECK_EQ(std::string(bytes.begin(), bytes.end()), std::string("gh"));
    CHECK(platform::ReadFileRange(file, 50, 4, &bytes));
    CHECK(bytes.empty());
    CHECK(!platform::ReadFileRange(check::Scratch() + "\\missing.bin", 0, 4, &bytes));
    CHECK(bytes.empty());

    unsigned long long size = 0;
    CHECK(platform::FileSize(file, &size));
    CHECK_EQ(size, 8ull);
    CHECK(!platform::FileSize(check::Scratch() + "\\missing.bin", &size));
}

TEST_CASE("platform_files.folders_and_absolute_paths") {
    const std::string before = platform::CurrentFolder();
    REQUIRE(!before.empty());
    REQUIRE(platform::SetCurrentFolder(check::Scratch()));
    CHECK(lstrcmpiA(platform::CurrentFolder().c_str(), check::Scratch().c_str()) == 0);
    CHECK(lstrcmpiA(platform::AbsolutePath("sub\\淺字.ttf").c_str(),
                    (check::Scratch() + "\\sub\\淺字.ttf").c_str()) == 0);
    CHECK(!platform::SetCurrentFolder(check::Scratch() + "\\nowhere"));
    REQUIRE(platform::SetCurrentFolder(before));

    std::string fonts;
    CHECK(platform::SystemFontsFolder(&fonts));
    CHECK(lstrcmpiA(fonts.c_str(), "C:\\windows\\Fonts") == 0);
}

// CopyFileA hands a file's read-only, hidden and system attributes to its copy; a backup
// of such a font is made a plain file, or no later backup could overwrite it on Windows.
// (Wine itself lets a copy replace a read-only file, so only the attributes show here.)
TEST_CASE("platform_files.backup_of_a_read_only_font_is_a_plain_file") {
    constexpr unsigned kProtected = platform::kReadOnly | platform::kHidden | platform::kSystem;
    const std::string name = "备份只读.ttf";
    const std::string font = "C:\\windows\\Fonts\\" + name;
    REQUIRE(testfiles::Write(font, "font bytes"));
    REQUIRE(platform::SetFileAttributeBits(font, kProtected));
    const std::string copy = check::Scratch() + "\\copy.ttf";
    unsigned attributes = 0;
    CHECK(platform::CopyOneFile(font, copy, true));
    CHECK(platform::FileAttributeBits(copy, &attributes) && attributes == kProtected);

    const std::string before = platform::CurrentFolder();
    REQUIRE(testfiles::MakeFolder(check::Scratch() + "\\Backup"));
    REQUIRE(platform::SetCurrentFolder(check::Scratch()));
    CHECK(BackUpFontFile(name));
    CHECK(BackUpFontFile(name));  // over the first backup
    platform::SetCurrentFolder(before);
    const std::string backup = check::Scratch() + "\\Backup\\" + name;
    CHECK_EQ(testfiles::Read(backup), std::string("font bytes"));
    CHECK(platform::FileAttributeBits(backup, &attributes) && attributes == 0u);
    CHECK(platform::FileAttributeBits(font, &attributes) && attributes == kProtected);

    platform::SetFileAttributeBits(font, 0);
    DeleteFileA(font.c_str());
    platform::SetFileAttributeBits(copy, 0);
}
