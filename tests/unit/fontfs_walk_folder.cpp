// The folder walker on the stand-in file system: what it passes, in which order, and how
// far down it goes.
#include "fontfs/walk_folder.h"

#include "tests/unit/fontfs_test_root.h"

namespace {

std::vector<std::string> seen;
void Record(const std::string& path) {
    seen.push_back(path);
}

class WalkFolderTest : public FontfsTest {
  protected:
    void SetUp() override {
        FontfsTest::SetUp();
        seen.clear();
    }
};

TEST_F(WalkFolderTest, FilesComeBeforeSubfoldersDepthFirst) {
    MakeFolder("C:\\t\\a\\deep");
    MakeFolder("C:\\t\\b");
    Write("C:\\t\\z.ttf", "x");
    Write("C:\\t\\a\\1.ttf", "x");
    Write("C:\\t\\a\\deep\\2.ttf", "x");
    Write("C:\\t\\b\\3.ttf", "x");
    Write("C:\\t\\note.txt", "x");
    WalkFolder("C:\\t", Record, "*.ttf", true, 0, false);
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\t\\z.ttf", "C:\\t\\a\\1.ttf",
                                              "C:\\t\\a\\deep\\2.ttf", "C:\\t\\b\\3.ttf"}));
}
}  // namespace
