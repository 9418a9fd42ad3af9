// The catalogue the real program builds at start-up from its fonts folder, as the task
// window's two font choosers show it: every "*.ttf" file lying directly in the folder
// (hidden and system files too, files that hold no font with an empty face name), the
// file name padded to 15 bytes of code page 936, then the face name in brackets;
// collections and subfolders are not listed. It is run under ANSI code pages other than
// 936 too, where the Chinese name must be listed the same.
#include <algorithm>
#include <string>
#include <vector>

#include "e2e/driver/driver.h"
#include "e2e/driver/scenario.h"
#include "harness/check.h"
#include "support/ttf_writer.h"

using scenario::FontsFolder;

namespace {

// The items of the shown page's font chooser that belong to this case.
std::vector<std::string> CaseItems(HWND combo) {
    std::vector<std::string> items;
    for (const std::string& item : e2e::ComboItems(combo)) {
        if (item.compare(0, 2, "cg") == 0) items.push_back(item);
    }
    return items;
}

int Selected(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

}  // namespace

TEST_CASE("catalogue.choosers_list_the_fonts_folder_with_face_names") {
    FontsFolder fonts;
    REQUIRE(!fonts.Put("cg目录测试.ttf", u"目录测试宋体").empty());
    REQUIRE(!fonts.Put("cgLatinLongName01.ttf", u"CG Catalogue Latin").empty());
    REQUIRE(!fonts.Put("cgHidden.ttf", u"CG Catalogue Hidden").empty());
    REQUIRE(SetFileAttributesA(FontsFolder::Path("cgHidden.ttf").c_str(),
                               FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    fonts.Track("cgBroken.ttf");
    REQUIRE(ttf::WriteBytes(FontsFolder::Path("cgBroken.ttf"), {'n', 'o', 't', ' ', 'a'}));
    fonts.Track("cgPair.ttc");
    REQUIRE(ttf::WriteBytes(FontsFolder::Path("cgPair.ttc"),
                            ttf::MakeCollection({u"CG Pair One", u"CG Pair Two"})));
    std::string folder = check::Scratch();
    REQUIRE(scenario::MakeFolder(folder + "\\Backup"));

    e2e::Program program;
    scenario::MainWindow main;
    REQUIRE(scenario::Start(program, folder, &main));
    scenario::TaskWindow task;
    REQUIRE(scenario::OpenTaskWindow(main, &task));

    REQUIRE(scenario::ShowPage(task, scenario::kDeletePage));
    HWND deleteChooser = scenario::PageControl(task, "ComboBox", 12, 34);
    REQUIRE(deleteChooser != nullptr);
    std::vector<std::string> listed = CaseItems(deleteChooser);
    REQUIRE(scenario::ShowPage(task, scenario::kReplacePage));
    HWND replaceChooser = scenario::PageControl(task, "ComboBox", 12, 83);
    REQUIRE(replaceChooser != nullptr);
    // Both choosers list the catalogue in the same (folder listing) order.
    CHECK(CaseItems(replaceChooser) == listed);
    CHECK_EQ(Selected(deleteChooser), 0);
    CHECK_EQ(Selected(replaceChooser), 0);

    // In byte order; the Chinese name is 14 bytes in code page 936.
    std::vector<std::string> expected = {
        "cgBroken.ttf   []",
        "cgHidden.ttf   [CG Catalogue Hidden]",
        "cgLatinLongName01.ttf[CG Catalogue Latin]",
        "cg目录测试.ttf [目录测试宋体]",
    };
    std::sort(listed.begin(), listed.end());
    CHECK_EQ(listed, expected);
    // Chosen by its name as a user chooses it, and seen, under the run's code page.
    CHECK(scenario::ChooseFont(main, task, "cg目录测试.ttf"));
    e2e::SaveScreenshot(task.window, "catalogue_cp" + std::to_string(GetACP()) + ".bmp");

    CHECK(scenario::CloseTaskWindow(main, task));
    CHECK(scenario::CloseAndExit(program, main));
}
