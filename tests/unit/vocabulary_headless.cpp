// The headless model's own test interface, which only the native tests have: how it
// reports a control name the loaded form lacks, the user's choice in a combo box, the
// answered file dialogs and the end of the program. The vocabulary's behaviour itself is
// stated once, in tests/contract/control_vocabulary.cpp.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/dpi_scale.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/standin/headless.h"
#include "platform/standin/standin.h"
#include "platform/vocabulary.h"

namespace {

void Nothing() {}

constexpr ui::FileDialogSpec kMovingDialog = {"pick", "all|*.*", 0,     ".\\", true,
                                              true,   true,      false, false};
constexpr ui::FileDialogSpec kKeepingDialog = {"",   "all|*.*", 0,     ".\\", true,
                                               true, true,      false, true};

const ui::ControlSpec kControls[] = {
    {.kind = ui::Kind::Button, .name = "open", .width = 40, .height = 20, .onClick = Nothing},
    {.kind = ui::Kind::ComboBox, .name = "combo", .width = 40, .height = 20},
    {.kind = ui::Kind::CommonDlg, .name = "moving", .visible = false, .dialog = &kMovingDialog},
    {.kind = ui::Kind::CommonDlg, .name = "keeping", .visible = false, .dialog = &kKeepingDialog},
};
const ui::Form kForm = {.className = "Headless",
                        .width = 300,
                        .height = 200,
                        .controls = kControls,
                        .controlCount = sizeof kControls / sizeof kControls[0]};
const ui::Form kNotLoaded = {.className = "NotLoaded", .controls = kControls, .controlCount = 1};

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { headless::Reset(); }
};

TEST_F(HeadlessTest, NamingAControlTheLoadedFormLacksFailsTheTest) {
    ASSERT_TRUE(ui::LoadWindow(kForm, false));
    EXPECT_NONFATAL_FAILURE(ui::SetDisabled({kForm, "opne"}, true),
                            "\"opne\" in the loaded form Headless");
    // A form that is not loaded has no controls to miss: the call does nothing.
    ui::SetDisabled({kNotLoaded, "opne"}, true);
    // A user cannot click what is not there; that is no call of the program's.
    EXPECT_FALSE(headless::Click(kForm, "missing"));
}

TEST_F(HeadlessTest, ChoosingAComboItemSetsTheIndexAndFiresNothing) {
    ASSERT_TRUE(ui::LoadWindow(kForm, false));
    ui::Ctl combo{kForm, "combo"};
    ui::AddItem(combo, "a", 10);
    ui::AddItem(combo, "b", 20);
    EXPECT_FALSE(headless::ChooseItem(kForm, "combo", 2));
    EXPECT_TRUE(headless::ChooseItem(kForm, "combo", 1));
    EXPECT_EQ(ui::CurrentIndex(combo), 1);
    EXPECT_EQ(headless::Items(kForm, "combo"), (std::vector<std::string>{"a", "b"}));
}

TEST_F(HeadlessTest, FileDialogAnswersTitlesAndTheWorkingFolder) {
    auto root =
        std::filesystem::temp_directory_path() / ("vocabulary-" + std::to_string(::getpid()));
    standin::UseTestRoot(root.string());
    std::filesystem::create_directories(standin::HostPath("C:\\fonts"));
    ASSERT_TRUE(ui::LoadWindow(kForm, false));
    ui::Ctl moving{kForm, "moving"};
    ui::Ctl keeping{kForm, "keeping"};

    EXPECT_FALSE(ui::Open(moving));  // no answer: cancelled
    EXPECT_EQ(headless::LastDialogTitle(), "pick");
    headless::AnswerFileDialog("C:\\fonts\\a.ttf");
    ui::SetDialogTitle(moving, "choose");
    EXPECT_TRUE(ui::Open(moving));
    EXPECT_EQ(headless::LastDialogTitle(), "choose");
    EXPECT_EQ(ui::FileName(moving), "C:\\fonts\\a.ttf");
    // Confirming moves the working folder to the file's folder, as the open dialog does.
    EXPECT_EQ(platform::CurrentFolder(), "C:\\fonts");
    headless::CancelFileDialog();
    EXPECT_FALSE(ui::Open(moving));
    EXPECT_EQ(ui::FileName(moving), "C:\\fonts\\a.ttf");

    platform::SetCurrentFolder("C:\\work");
    headless::AnswerFileDialog("C:\\fonts\\b.ttf");
    EXPECT_TRUE(ui::Open(keeping));
    EXPECT_EQ(headless::LastDialogTitle(), "");
    EXPECT_EQ(platform::CurrentFolder(), "C:\\work");
    EXPECT_EQ(headless::DialogsShown(), 4);
    std::filesystem::remove_all(root);
}

TEST_F(HeadlessTest, EndingRunsEveryCleanupOnceAndStopsInput) {
    static int runs = 0;
    runs = 0;
    platform::RegisterExitCleanup([] { ++runs; });
    ASSERT_TRUE(ui::LoadWindow(kForm, false));
    platform::EndProgram(3);
    platform::EndProgram(4);
    EXPECT_TRUE(headless::ProgramEnded());
    EXPECT_EQ(headless::ExitCode(), 3);
    EXPECT_EQ(headless::CleanupRuns(), 1);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(headless::Click(kForm, "open"));
}

// The forms' 96-DPI pixels reach the screen scaled by DPI / 96 with MulDiv's rounding:
// halves go away from zero, so -1 (the banner's place) becomes -2 at 144 DPI.
TEST(DpiScale, RoundsLikeMulDiv) {
    struct Case {
        int value, dpi, scaled;
    };
    constexpr Case kCases[] = {{600, 96, 600},  {457, 120, 571}, {14, 120, 18}, {1, 120, 1},
                               {145, 144, 218}, {-1, 144, -2},   {-1, 120, -1}, {15, 144, 23},
                               {168, 192, 336}, {-3, 192, -6},   {0, 192, 0},   {32627, 96, 32627}};
    for (const Case& c : kCases)
        EXPECT_EQ(platform::ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
}

}  // namespace
