// The restore: every "*.ttf" backup directly in the backup folder goes back into the
// fonts folder while the status label shows; a different file it overwrites is kept.
#include "tests/unit/app_program_fixture.h"

namespace {

using namespace forms::main_window;

class RestoreTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        LoadMainWindow();
    }
    void Restore() { ASSERT_TRUE(headless::Click(main_, kRestoreButton)); }
};

TEST_F(RestoreTest, WithoutABackupFolderTheLabelShowsAndHidesAndNothingHappens) {
    WriteFont("C:\\WINDOWS\\Fonts\\a.ttf", u"Alpha");
    Restore();
    EXPECT_FALSE(headless::State(main_, kStatusLabel).visible);
    EXPECT_EQ(headless::State(main_, kStatusLabel).caption, "正在还原字体");
    EXPECT_EQ(Listing("C:\\WINDOWS\\Fonts"), (std::vector<std::string>{"a.ttf"}));
}

TEST_F(RestoreTest, CopiesBackTheTtfFilesOnlyAndKeepsTheBackups) {
    WriteFont("C:\\WINDOWS\\Fonts\\a.ttf", u"Replacement");
    WriteFont("C:\\work\\Backup\\a.ttf", u"Original");
    WriteFont("C:\\work\\Backup\\UPPER.TTF", u"Upper");
    WriteFont("C:\\work\\Backup\\kept.ttf.1.bak", u"Kept");
    WriteFont("C:\\work\\Backup\\notes.otf", u"Other");
    WriteFont("C:\\work\\Backup\\sub\\deep.ttf", u"Deep");
    const auto replacement = Read("C:\\WINDOWS\\Fonts\\a.ttf");
    auto backupsAfter = Listing("C:\\work\\Backup");
    backupsAfter.insert(backupsAfter.begin() + 2, "a.ttf.1.bak");
    Restore();
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\a.ttf"), Read("C:\\work\\Backup\\a.ttf"));
    // The different file it overwrote is kept beside the backups, which all stay.
    EXPECT_EQ(Listing("C:\\work\\Backup"), backupsAfter);
    EXPECT_EQ(Read("C:\\work\\Backup\\a.ttf.1.bak"), replacement);
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\UPPER.TTF"), Read("C:\\work\\Backup\\UPPER.TTF"));
    EXPECT_EQ(Listing("C:\\WINDOWS\\Fonts"), (std::vector<std::string>{"UPPER.TTF", "a.ttf"}));
    EXPECT_FALSE(headless::State(main_, kStatusLabel).visible);
    EXPECT_EQ(headless::State(main_, kStatusLabel).caption, "正在还原字体备份");
    // Files only: nothing registered or announced, and the catalogue is not rebuilt.
    EXPECT_EQ(standin::FontManager().broadcasts, 0);
    EXPECT_TRUE(InstalledFontList().empty());

    Restore();  // a second pass gives the same fonts folder and keeps nothing more
    EXPECT_EQ(Listing("C:\\WINDOWS\\Fonts"), (std::vector<std::string>{"UPPER.TTF", "a.ttf"}));
    EXPECT_EQ(Listing("C:\\work\\Backup"), backupsAfter);
}

TEST_F(RestoreTest, AFailedCopyIsSkippedAndTheOthersStillGoBack) {
    WriteFont("C:\\WINDOWS\\Fonts\\a.ttf", u"InUse");
    WriteFont("C:\\work\\Backup\\a.ttf", u"Original");
    WriteFont("C:\\work\\Backup\\b.ttf", u"Beta");
    const auto inUse = Read("C:\\WINDOWS\\Fonts\\a.ttf");
    standin::HoldFile("C:\\WINDOWS\\Fonts\\a.ttf", true);
    Restore();
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\a.ttf"), inUse);
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\b.ttf"), Read("C:\\work\\Backup\\b.ttf"));
}

TEST_F(RestoreTest, ARestoreAfterAReplaceBringsBackTheReplacedFile) {
    WriteFont("C:\\WINDOWS\\Fonts\\a.ttf", u"Original");
    WriteFont("C:\\new\\a2.ttf", u"Replacement");
    MakeFolder("C:\\work\\Backup");
    const auto original = Read("C:\\WINDOWS\\Fonts\\a.ttf");
    RunTasks();  // fills the catalogue from the folder
    InTaskWindow([this] { BrowseAndReplace(0, "C:\\new\\a2.ttf"); });
    RunTasks();
    ASSERT_EQ(Result(0), "替换成功");
    Restore();
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\a.ttf"), original);
    // The choosers still list the catalogue of the last run.
    EXPECT_EQ(InstalledFontList()[0].faceName, "Replacement");
}

}  // namespace
