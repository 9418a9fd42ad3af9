// The headless model's own test interface, which only the native tests have: how it
// reports a control name the loaded form lacks, the user's choice in a combo box, the
// answered file dialogs and the end of the program. The vocabulary's behaviour itself is
// stated once, in tests/contract/control_vocabulary.cpp.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/process.h"
#include "platform/standin/headless.h"
#include "platform/vocabulary.h"

namespace {

void Nothing() {}

constexpr ui::FileDialogSpec kDialog = {"pick", "all|*.*", 0,     ".\\", true,
                                        true,   true,      false, false};

const ui::ControlSpec kControls[] = {
    {.kind = ui::Kind::Button, .name = "open", .width = 40, .height = 20, .onClick = Nothing},
    {.kind = ui::Kind::ComboBox, .name = "combo", .width = 40, .height = 20},
    {.kind = ui::Kind::CommonDlg, .name = "dialog", .visible = false, .dialog = &kDialog},
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
    EXPECT_NONFATAL_FAILURE(ui::SetDisabled({kForm.className, "opne"}, true),
                            "\"opne\" in the loaded form Headless");
    // A form that is not loaded has no controls to miss: the call does nothing.
    ui::SetDisabled({kNotLoaded.className, "opne"}, true);
    // A user cannot click what is not there; that is no call of the program's.
    EXPECT_FALSE(headless::Click(kForm, "missing"));
}

TEST_F(HeadlessTest, ChoosingAComboItemSetsTheIndexAndFiresNothing) {
    ASSERT_TRUE(ui::LoadWindow(kForm, false));
    ui::Ctl combo{kForm.className, "combo"};
    ui::AddItem(combo, "a", 10);
    ui::AddItem(combo, "b", 20);
    EXPECT_FALSE(headless::ChooseItem(kForm, "combo", 2));
    EXPECT_TRUE(headless::ChooseItem(kForm, "combo", 1));
    EXPECT_EQ(ui::CurrentIndex(combo), 1);
    EXPECT_EQ(headless::Items(kForm, "combo"), (std::vector<std::string>{"a", "b"}));
}

TEST_F(HeadlessTest, FileDialogAnswersInTurnWithTheTitlesTheyWereShownWith) {
    ASSERT_TRUE(ui::LoadWindow(kForm, false));
    ui::Ctl dialog{kForm.className, "dialog"};
    EXPECT_FALSE(ui::Open(dialog));  // no answer: cancelled
    EXPECT_EQ(headless::LastDialogTitle(), "pick");
    headless::AnswerFileDialog("C:\\fonts\\a.ttf");
    ui::SetDialogTitle(dialog, "choose");
    EXPECT_TRUE(ui::Open(dialog));
    EXPECT_EQ(headless::LastDialogTitle(), "choose");
    EXPECT_EQ(ui::FileName(dialog), "C:\\fonts\\a.ttf");
    headless::CancelFileDialog();
    EXPECT_FALSE(ui::Open(dialog));
    EXPECT_EQ(ui::FileName(dialog), "C:\\fonts\\a.ttf");
    EXPECT_EQ(headless::DialogsShown(), 3);
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

}  // namespace
