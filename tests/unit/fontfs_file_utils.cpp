// The small file utilities, and the stand-in file calls under them behaving the way the
// Windows file calls do (trailing spaces, case, relative paths, listings, held files).
#include "fontfs/file_utils.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "tests/unit/fontfs_test_root.h"

namespace {

using FileUtilsTest = FontfsTest;

TEST(FileNameOfPath, TakesThePartAfterTheLastSeparator) {
    EXPECT_EQ(FileNameOfPath("C:\\WINDOWS\\Fonts\\simsun.ttf"), "simsun.ttf");
    EXPECT_EQ(FileNameOfPath("plain.ttf"), "plain.ttf");
    EXPECT_EQ(FileNameOfPath("C:\\dir\\"), "dir\\");
    EXPECT_EQ(FileNameOfPath("C:x.ttf"), "x.ttf");
    EXPECT_EQ(FileNameOfPath(""), "");
    // "淺" is 9C 5C: its trail byte is no separator.
    EXPECT_EQ(FileNameOfPath("C:\\a\\淺色.ttf"), "淺色.ttf");
    EXPECT_EQ(FileNameOfPath("C:\\a\\淺"), "淺");
}

TEST_F(FileUtilsTest, CopyOverwritingReplacesAndMissingSourceCreatesNothing) {
    Write("C:\\work\\a.ttf", "new");
    Write("C:\\work\\b.ttf", "old");
    EXPECT_TRUE(CopyFileOverwriting("C:\\work\\a.ttf", "C:\\work\\b.ttf"));
    EXPECT_EQ(Read("C:\\work\\b.ttf"), "new");
    EXPECT_FALSE(CopyFileOverwriting("C:\\work\\none.ttf", "C:\\work\\c.ttf"));
    EXPECT_FALSE(Exists("C:\\work\\c.ttf"));
    EXPECT_FALSE(CopyFileOverwriting("C:\\work\\a.ttf", "C:\\work\\NoFolder\\a.ttf"));
    standin::HoldFile("C:\\work\\b.ttf", true);
    EXPECT_FALSE(CopyFileOverwriting("C:\\work\\a.ttf", "C:\\work\\b.ttf"));
    EXPECT_TRUE(CopyFileOverwriting("C:\\work\\b.ttf", "C:\\work\\d.ttf"));  // reads work
}

TEST_F(FileUtilsTest, FileExistsFindsFilesAndFoldersButNotEmptyText) {
    Write("C:\\work\\a.ttf", "x");
    EXPECT_TRUE(FileExists("C:\\work\\a.ttf"));
    EXPECT_TRUE(FileExists("C:\\work\\A.TTF"));
    EXPECT_TRUE(FileExists("a.ttf   "));  // relative, trailing spaces dropped
    EXPECT_TRUE(FileExists("C:\\work"));
    EXPECT_FALSE(FileExists("C:\\work\\"));
    EXPECT_FALSE(FileExists("C:\\work\\b.ttf"));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(FileUtilsTest, PathsResolveLikeTheWindowsFileCalls) {
    EXPECT_EQ(platform::CurrentFolder(), "C:\\work");
    EXPECT_EQ(platform::AbsolutePath(".\\Backup\\x.ttf"), "C:\\work\\Backup\\x.ttf");
    EXPECT_EQ(platform::AbsolutePath("..\\..\\..\\a/b.ttf "), "C:\\a\\b.ttf");
    EXPECT_EQ(platform::AbsolutePath("\\top"), "C:\\top");
    EXPECT_EQ(platform::AbsolutePath("d:\\x\\"), "D:\\x\\");
    EXPECT_FALSE(platform::SetCurrentFolder("C:\\missing"));
    MakeFolder("C:\\Other");
    EXPECT_TRUE(platform::SetCurrentFolder("c:\\other\\"));
    EXPECT_EQ(platform::AbsolutePath("f.ttf"), "C:\\other\\f.ttf");
    EXPECT_EQ(standin::HostPath("f.ttf"), root_.string() + "/C/Other/f.ttf");
}

TEST_F(FileUtilsTest, ListingsReportDotEntriesAndFlagFolders) {
    MakeFolder("C:\\work\\sub.ttf");
    Write("C:\\work\\File.TTF", "x");
    std::vector<std::string> names;
    std::vector<bool> folders;
    platform::DirEntry entry;
    platform::SearchHandle search = platform::FindFirstEntry("C:\\work\\*.*", &entry);
    ASSERT_NE(search, nullptr);
    do {
        names.push_back(entry.name);
        folders.push_back(entry.isDirectory);
    } while (platform::FindNextEntry(search, &entry));
    platform::CloseSearch(search);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "File.TTF", "sub.ttf"}));
    EXPECT_EQ(folders, (std::vector<bool>{true, true, false, true}));
    search = platform::FindFirstEntry("C:\\work\\?ile.t*", &entry);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(entry.name, "File.TTF");
    EXPECT_FALSE(platform::FindNextEntry(search, &entry));
    platform::CloseSearch(search);
    EXPECT_EQ(platform::FindFirstEntry("C:\\work\\*.otf", &entry), nullptr);
}

TEST_F(FileUtilsTest, HeldAndExclusiveFilesRefuseOthers) {
    Write("C:\\work\\a.ttf", "abcdef");
    std::vector<unsigned char> bytes;
    standin::HoldFile("C:\\work\\a.ttf", false);
    EXPECT_FALSE(platform::RemoveFile("C:\\work\\a.ttf"));
    EXPECT_FALSE(platform::ReadFileRange("C:\\work\\a.ttf", 0, 2, &bytes));
    standin::ReleaseHeldFiles();
    platform::FileHandle file = platform::OpenExclusive("C:\\work\\a.ttf");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(platform::OpenExclusive("C:\\work\\a.ttf"), nullptr);
    EXPECT_FALSE(platform::CopyOneFile("C:\\work\\a.ttf", "C:\\work\\b.ttf", false));
    platform::CloseFile(file);
    EXPECT_TRUE(platform::ReadFileRange("C:\\work\\a.ttf", 4, 10, &bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "ef");
    EXPECT_TRUE(platform::RemoveFile("C:\\work\\a.ttf "));
    EXPECT_FALSE(Exists("C:\\work\\a.ttf"));
}

TEST(CodePage936, FollowsTheWin32CountingRules) {
    char16_t wide[8];
    EXPECT_EQ(platform::MultiByteToWide936("字A", -1, nullptr, 0), 3);  // NUL included
    EXPECT_EQ(platform::MultiByteToWide936("字A", 3, nullptr, 0), 2);
    EXPECT_EQ(platform::MultiByteToWide936("字A", -1, wide, 2), 0);  // too small
    EXPECT_EQ(platform::MultiByteToWide936("字A", -1, wide, 8), 3);
    EXPECT_EQ(std::u16string(wide, 3), std::u16string(u"字A\0", 3));
    EXPECT_EQ(platform::MultiByteToWide936("\xFF", 1, wide, 8), 1);  // invalid -> "?"
    EXPECT_EQ(wide[0], u'?');
    char narrow[8];
    EXPECT_EQ(platform::WideToMultiByte936(u"字A", -1, nullptr, 0, platform::kCompositeCheck), 4);
    EXPECT_EQ(platform::WideToMultiByte936(u"字A", -1, narrow, 3, 0), 0);
    EXPECT_EQ(platform::WideToMultiByte936(u"字A", -1, narrow, 8, 0), 4);
    EXPECT_STREQ(narrow, "字A");
    EXPECT_EQ(platform::WideToMultiByte936(u"\xD800x", 2, narrow, 8, 0), 2);  // lone surrogate
    EXPECT_EQ(std::string(narrow, 2), "?x");
    EXPECT_EQ(platform::UserDefaultUiLanguage(), 0x0804);
}

}  // namespace
