// Font installation through the stand-in file system and the fake font manager: the
// result, what is left in the fonts folder, and when the change is announced.
#include "fontfs/install_font.h"

#include "platform/files.h"
#include "platform/font_manager.h"
#include "support/ttf_writer.h"
#include "tests/unit/fontfs_test_root.h"

namespace {

class InstallFontTest : public FontfsTest {
  protected:
    void SetUp() override {
        FontfsTest::SetUp();
        MakeFolder("C:\\src");
        Write("C:\\src\\new.ttf", ttf::MakeFont(u"Brand New"));
    }
    const standin::FakeFontManager& manager() { return standin::FontManager(); }
};

// The copy in the fonts folder is registered, so the user's own file is free the moment
// the add is done: Windows holds a loaded font file open, as the stand-in does.
TEST_F(InstallFontTest, CopiesRegistersTheCopyAndAnnounces) {
    EXPECT_EQ(InstallFontFile("C:\\src\\new.ttf"), 1);
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\new.ttf"), Read("C:\\src\\new.ttf"));
    EXPECT_EQ(manager().broadcasts, 1);
    EXPECT_EQ(standin::RegistrationsOf("C:\\WINDOWS\\Fonts\\new.ttf"), 1);
    EXPECT_TRUE(platform::RemoveFile("C:\\src\\new.ttf"));
    EXPECT_FALSE(platform::RemoveFile("C:\\WINDOWS\\Fonts\\new.ttf"));
}

TEST_F(InstallFontTest, CollectionCountsEveryFace) {
    Write("C:\\src\\two.ttc", ttf::MakeCollection({u"One", u"Two"}));
    EXPECT_EQ(InstallFontFile("C:\\src\\two.ttc"), 2);
}

TEST_F(InstallFontTest, RelativeSourceIsNamedFromItsAbsolutePath) {
    ASSERT_TRUE(platform::SetCurrentFolder("C:\\src"));
    EXPECT_EQ(InstallFontFile(".\\new.ttf"), 1);
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Fonts\\new.ttf"));
    EXPECT_EQ(standin::RegistrationsOf("C:\\WINDOWS\\Fonts\\new.ttf"), 1);
}

TEST_F(InstallFontTest, ExistingNameIsNeverOverwritten) {
    Write("C:\\WINDOWS\\Fonts\\new.ttf", "older");
    EXPECT_EQ(InstallFontFile("C:\\src\\new.ttf"), 0);
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\new.ttf"), "older");
    EXPECT_EQ(manager().registrations, 0);
    EXPECT_EQ(manager().broadcasts, 0);
}

TEST_F(InstallFontTest, UnopenableSourceFailsBeforeCopying) {
    standin::HoldFile("C:\\src\\new.ttf", true);
    EXPECT_EQ(InstallFontFile("C:\\src\\new.ttf"), 0);
    standin::ReleaseHeldFiles();
    EXPECT_EQ(InstallFontFile("C:\\src"), 0);
    EXPECT_EQ(InstallFontFile("C:\\src\\missing.ttf"), 0);
    EXPECT_FALSE(Exists("C:\\WINDOWS\\Fonts\\new.ttf"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\Fonts\\src"));
    standin::SetSystemFontsFolderAvailable(false);
    EXPECT_EQ(InstallFontFile("C:\\src\\new.ttf"), 0);
    EXPECT_EQ(manager().registrations, 0);
}

TEST_F(InstallFontTest, NotAFontIsCopiedButFails) {
    Write("C:\\src\\notes.ttf", "plain text");
    EXPECT_EQ(InstallFontFile("C:\\src\\notes.ttf"), 0);
    EXPECT_EQ(Read("C:\\WINDOWS\\Fonts\\notes.ttf"), "plain text");
    EXPECT_EQ(manager().broadcasts, 0);
    standin::FontManager().failRegistration = true;
    EXPECT_EQ(InstallFontFile("C:\\src\\new.ttf"), 0);
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Fonts\\new.ttf"));
    EXPECT_EQ(manager().broadcasts, 0);
}

TEST_F(InstallFontTest, DoubleByteNameWithTrailBackslashKeepsWhole) {
    Write("C:\\src\\淺色.ttf", ttf::MakeFont(u"Light Color"));
    EXPECT_EQ(InstallFontFile("C:\\src\\淺色.ttf"), 1);
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Fonts\\淺色.ttf"));
}

}  // namespace
