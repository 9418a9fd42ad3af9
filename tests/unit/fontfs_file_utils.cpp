// What only the stand-in file system has: its mapping of Windows paths onto the test
// root, its starting folder and drive letters; and the code page 936 conversions. The
// file calls' behaviour itself is stated once, in tests/contract/file_services.cpp.
#include "platform/codepage.h"
#include "platform/files.h"
#include "tests/unit/fontfs_test_root.h"

namespace {

using StandInPathsTest = FontfsTest;

TEST_F(StandInPathsTest, WindowsPathsMapOntoTheTestRoot) {
    EXPECT_EQ(platform::CurrentFolder(), "C:\\work");
    EXPECT_EQ(standin::HostPath(".\\Backup\\x.ttf"), root_.string() + "/C/work/Backup/x.ttf");
    // The drive letter is always written in upper case.
    EXPECT_EQ(platform::AbsolutePath("d:\\x\\"), "D:\\x\\");
    MakeFolder("C:\\Other");
    EXPECT_TRUE(platform::SetCurrentFolder("c:\\other\\"));
    EXPECT_EQ(platform::CurrentFolder(), "C:\\other");
    // An existing name is found whatever the case it is written in.
    EXPECT_EQ(standin::HostPath("f.ttf"), root_.string() + "/C/Other/f.ttf");
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
}

}  // namespace
