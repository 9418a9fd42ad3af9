// The installed-font catalogue and its face names, through the fake font manager and,
// once that has shown it cannot name fonts, through our own reader alone.
#include "platform/font_manager.h"
#include "support/ttf_writer.h"
#include "tests/unit/fontfs_test_root.h"

namespace {

class CatalogueTest : public FontfsTest {
  protected:
    static void PutFont(const std::string& windowsPath, const std::u16string& family) {
        Write(windowsPath, ttf::MakeFont(family));
    }
    static std::vector<std::string> Column(std::string InstalledFont::*field) {
        std::vector<std::string> values;
        for (const InstalledFont& font : InstalledFontList()) values.push_back(font.*field);
        return values;
    }
};

TEST_F(CatalogueTest, ScanListsTtfFilesWithFaceNamesAndPaths) {
    PutFont("C:\\WINDOWS\\Fonts\\a.ttf", u"Alpha Sans");
    PutFont("C:\\WINDOWS\\Fonts\\b.TTF", u"宋体测试");  // Chinese comes out as code page 936
    Write("C:\\WINDOWS\\Fonts\\c.ttf", "not a font at all");
    Write("C:\\WINDOWS\\Fonts\\d.ttc", ttf::MakeCollection({u"Left Out"}));
    MakeFolder("C:\\WINDOWS\\Fonts\\sub");
    PutFont("C:\\WINDOWS\\Fonts\\sub\\e.ttf", u"Deeper");
    // A name that is no code page 936 text, as a Korean name is on Windows, is left out.
    PutFont("C:\\WINDOWS\\Fonts\\f\xFF.ttf", u"Unnamable");
    int listings = 0;
    standin::ObserveFileCalls([&listings](const standin::FileCall& call) {
        listings += call.path.find('*') != std::string::npos;
    });
    ScanFontsFolder();
    standin::ObserveFileCalls(nullptr);
    // The scan enters no subfolder, so it lists the folder once, not again for subfolders.
    EXPECT_EQ(listings, 1);
    EXPECT_EQ(Column(&InstalledFont::fileName),
              (std::vector<std::string>{"a.ttf", "b.TTF", "c.ttf"}));
    EXPECT_EQ(Column(&InstalledFont::faceName),
              (std::vector<std::string>{"Alpha Sans", "宋体测试", ""}));
    EXPECT_EQ(Column(&InstalledFont::fullPath),
              (std::vector<std::string>{"C:\\WINDOWS\\Fonts\\a.ttf", "C:\\WINDOWS\\Fonts\\b.TTF",
                                        "C:\\WINDOWS\\Fonts\\c.ttf"}));
    // Every temporary registration was taken back; nothing was announced.
    EXPECT_EQ(standin::FontManager().live, 0);
    EXPECT_EQ(standin::FontManager().registrations, 3);
    EXPECT_EQ(standin::FontManager().broadcasts, 0);
}

TEST_F(CatalogueTest, ScanAppendsAndRebuildStartsOver) {
    ScanFontsFolder();
    EXPECT_TRUE(InstalledFontList().empty());
    PutFont("C:\\WINDOWS\\Fonts\\a.ttf", u"Alpha");
    ScanFontsFolder();
    ScanFontsFolder();
    EXPECT_EQ(InstalledFontList().size(), 2u);
    PutFont("C:\\WINDOWS\\Fonts\\b.ttf", u"Beta");
    RebuildInstalledFontList();
    EXPECT_EQ(Column(&InstalledFont::faceName), (std::vector<std::string>{"Alpha", "Beta"}));
}

// Windows counts registrations per file; taking back one that failed would remove the
// system's own registration of a font in its folder.
TEST_F(CatalogueTest, ScansLeaveEveryFilesRegistrationsAsTheyFoundThem) {
    const std::vector<std::string> files = {"C:\\WINDOWS\\Fonts\\held.ttf",
                                            "C:\\WINDOWS\\Fonts\\new.ttf",
                                            "C:\\WINDOWS\\Fonts\\junk.ttf"};
    PutFont(files[0], u"Held");
    PutFont(files[1], u"New");
    Write(files[2], "not a font at all");
    ASSERT_EQ(platform::RegisterFontFile(files[0]), 1);  // the system holds this one
    const auto counts = [&] {
        std::vector<int> registrations;
        for (const std::string& file : files)
            registrations.push_back(standin::RegistrationsOf(file));
        return registrations;
    };
    ScanFontsFolder();
    EXPECT_EQ(counts(), (std::vector<int>{1, 0, 0}));
    // The manager now refuses every new registration, also of the font the system holds.
    standin::FontManager().failRegistration = true;
    RebuildInstalledFontList();
    EXPECT_EQ(counts(), (std::vector<int>{1, 0, 0}));
}

TEST_F(CatalogueTest, CollectionGivesTheFirstFaceName) {
    Write("C:\\WINDOWS\\Fonts\\pair.ttf", ttf::MakeCollection({u"第一", u"第二"}));
    FaceNameSource source;
    EXPECT_EQ(ReadFontFaceName("C:\\WINDOWS\\Fonts\\pair.ttf", source), "第一");
}

TEST_F(CatalogueTest, BareFileNameIsLookedForInTheSystemFontsFolder) {
    PutFont("C:\\WINDOWS\\Fonts\\bare.ttf", u"Bare Name");
    FaceNameSource source;
    EXPECT_EQ(ReadFontFaceName("bare.ttf", source), "Bare Name");
    // It was not found where given, so nothing was registered.
    EXPECT_EQ(standin::FontManager().registrations, 0);
    EXPECT_EQ(ReadFontFaceName("C:\\gone.ttf", source), "");
}

TEST_F(CatalogueTest, LongFaceNamesStopAtTheFaceNameLimit) {
    PutFont("C:\\WINDOWS\\Fonts\\long.ttf", u"An Extremely Long Family Name Of Forty Chars");
    FaceNameSource source;
    EXPECT_EQ(ReadFontFaceName("C:\\WINDOWS\\Fonts\\long.ttf", source),
              "An Extremely Long Family Name O");
    // Our own reader keeps the same limit.
    FaceNameSource withoutManager{.managerNamesFaces = false};
    EXPECT_EQ(ReadFontFaceName("C:\\WINDOWS\\Fonts\\long.ttf", withoutManager),
              "An Extremely Long Family Name O");
}

TEST_F(CatalogueTest, ManagerThatCannotNameFontsIsSkippedFromThenOn) {
    PutFont("C:\\WINDOWS\\Fonts\\a.ttf", u"Alpha");
    // Our own reader names it in the user's interface language, Chinese on the stand-in.
    Write("C:\\WINDOWS\\Fonts\\b.ttf", ttf::MakeFont(ttf::FontNames{u"贝塔", u"Beta", ""}));
    standin::FontManager().queryFails = true;  // Wine's stub: present, answers FALSE
    ScanFontsFolder();
    EXPECT_EQ(Column(&InstalledFont::faceName), (std::vector<std::string>{"Alpha", "贝塔"}));
    EXPECT_EQ(standin::FontManager().registrations, 1);
    EXPECT_EQ(standin::FontManager().queries, 1);
    EXPECT_EQ(standin::FontManager().live, 0);
}

TEST_F(CatalogueTest, ManagerIsKeptWhileItAnswersOrTheFileIsNoFont) {
    Write("C:\\WINDOWS\\Fonts\\junk.ttf", "junk");
    PutFont("C:\\WINDOWS\\Fonts\\ok.ttf", u"Fine");
    ScanFontsFolder();
    ScanFontsFolder();
    EXPECT_EQ(standin::FontManager().registrations, 4);
    // A font the manager refuses proves nothing about its query.
    standin::FontManager().failRegistration = true;
    standin::FontManager().queryFails = true;
    FaceNameSource source;
    EXPECT_EQ(ReadFontFaceName("C:\\WINDOWS\\Fonts\\ok.ttf", source), "Fine");
    EXPECT_TRUE(source.managerNamesFaces);
    EXPECT_EQ(standin::FontManager().registrations, 5);
    // Missing query function: one try, then the reader alone.
    standin::FontManager().queryMissing = true;
    EXPECT_EQ(ReadFontFaceName("C:\\WINDOWS\\Fonts\\junk.ttf", source), "");
    EXPECT_FALSE(source.managerNamesFaces);
    EXPECT_EQ(ReadFontFaceName("C:\\WINDOWS\\Fonts\\ok.ttf", source), "Fine");
    EXPECT_EQ(standin::FontManager().registrations, 6);
}

}  // namespace
