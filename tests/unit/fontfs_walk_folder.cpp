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
        // C:\t\z.ttf, C:\t\a\1.ttf, C:\t\a\deep\2.ttf, C:\t\b\3.ttf
        MakeFolder("C:\\t\\a\\deep");
        MakeFolder("C:\\t\\b");
        for (const char* file : {"C:\\t\\z.ttf", "C:\\t\\a\\1.ttf", "C:\\t\\a\\deep\\2.ttf",
                                 "C:\\t\\b\\3.ttf", "C:\\t\\note.txt"})
            Write(file, "x");
    }
};

TEST_F(WalkFolderTest, FilesComeBeforeSubfoldersDepthFirst) {
    WalkFolder("C:\\t", Record, "*.ttf", true, 0, false);
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\t\\z.ttf", "C:\\t\\a\\1.ttf",
                                              "C:\\t\\a\\deep\\2.ttf", "C:\\t\\b\\3.ttf"}));
}

TEST_F(WalkFolderTest, WithoutPatternEveryFileIsTaken) {
    WalkFolder("C:\\t\\", Record, "ignored", false, 0, true);
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\t\\note.txt", "C:\\t\\z.ttf"}));
}

TEST_F(WalkFolderTest, DepthLimitCountsPartsFromThePathStart) {
    // C:\t\a has 3 parts, C:\t\a\deep 4: limit 4 enters a and b but not deep.
    WalkFolder("C:\\t\\", Record, "*.ttf", true, 4, true);
    EXPECT_EQ(seen,
              (std::vector<std::string>{"C:\\t\\z.ttf", "C:\\t\\a\\1.ttf", "C:\\t\\b\\3.ttf"}));
    seen.clear();
    WalkFolder("C:\\t\\", Record, "*.ttf", true, 3, true);
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\t\\z.ttf"}));
    seen.clear();
    WalkFolder("C:\\t\\", Record, "*.ttf", true, 0, true);
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\t\\z.ttf"}));
}

TEST_F(WalkFolderTest, FolderGivenWithOrWithoutBackslashGivesTheSamePaths) {
    WalkFolder("C:\\t\\b", Record, "*.ttf", true, 0, true);
    WalkFolder("C:\\t\\b\\", Record, "*.ttf", true, 0, true);
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\t\\b\\3.ttf", "C:\\t\\b\\3.ttf"}));
}

TEST_F(WalkFolderTest, MissingFolderGivesNoCallback) {
    WalkFolder("C:\\nowhere\\", Record, "*.ttf", true, 0, false);
    WalkFolder("Q:\\", Record, "*.ttf", true, 0, false);
    EXPECT_TRUE(seen.empty());
}

TEST_F(WalkFolderTest, MatchingFolderIsNotAFileAndCaseIsIgnored) {
    MakeFolder("C:\\u\\folder.ttf");
    Write("C:\\u\\folder.ttf\\inner.ttf", "x");
    Write("C:\\u\\UPPER.TTF", "x");
    WalkFolder("C:\\u", Record, "*.ttf", true, 0, true);
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\u\\UPPER.TTF"}));
    seen.clear();
    WalkFolder("C:\\u", Record, "*.ttf", true, 0, false);
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\u\\UPPER.TTF", "C:\\u\\folder.ttf\\inner.ttf"}));
}

TEST_F(WalkFolderTest, TrailByteBackslashIsNoSeparator) {
    // "淺" is 9C 5C in code page 936: a folder name ending in it must still get its own
    // "\" appended, and must not count as an extra part.
    const std::string folder = "C:\\v\\淺";
    MakeFolder(folder + "\\表");
    Write(folder + "\\淺.ttf", "x");
    Write(folder + "\\表\\s.ttf", "x");
    WalkFolder(folder, Record, "*.ttf", true, 0, false);
    EXPECT_EQ(seen, (std::vector<std::string>{folder + "\\淺.ttf", folder + "\\表\\s.ttf"}));
    seen.clear();
    // C:\v\淺\表 has 4 parts; a trail byte counted as a separator would make it 5.
    WalkFolder(folder, Record, "*.ttf", true, 5, true);
    EXPECT_EQ(seen.size(), 2u);
}

}  // namespace
