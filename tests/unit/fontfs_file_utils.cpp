// What only the stand-in file system has: its mapping of Windows paths onto the test
// root, its starting folder and drive letters. The file calls' behaviour itself is stated
// once, in tests/contract/file_services.cpp.
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

}  // namespace
