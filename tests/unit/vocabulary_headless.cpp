// The headless control model keeps the vocabulary's semantics, which the program's tests
// rely on: modal loops and re-enabling, deferred closing, who may receive a click, and
// the rules of combo boxes, page containers, list views, sizes and the file dialog.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "forms/vocabulary.h"
#include "platform/dpi_scale.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/standin/headless.h"
#include "platform/standin/standin.h"

namespace {

std::vector<std::string> events;

extern const ui::Form kOuter;
extern const ui::Form kInner;
extern const ui::Form kThird;
extern const ui::Form kKinds;

void OuterCreated() {
    events.push_back("outer created");
}
void OuterDestroyed() {
    events.push_back("outer destroyed");
}
void OpenInner() {
    ui::LoadWindow(kInner, true);
    events.push_back("inner load returned");
}
void InnerCreated() {
    events.push_back("inner created");
}
void InnerDestroyed() {
    events.push_back("inner destroyed");
}
void OpenThird() {
    ui::LoadWindow(kThird, true);
}
void CloseInner() {
    ui::CloseWindow(kInner);
    events.push_back(ui::IsLoaded(kInner) ? "still loaded after CloseWindow" : "gone at once");
}
void ThirdDestroyed() {
    events.push_back("third destroyed");
}
void Record() {
    events.push_back("click");
}
void RecordR1() {
    events.push_back(ui::Checked({kKinds, "r1"}) ? "r1 on" : "r1 off");
}
void RecordR2() {
    events.push_back(ui::Checked({kKinds, "r2"}) ? "r2 on" : "r2 off");
}
void RecordList() {
    events.push_back("list " + std::to_string(ui::SelectedIndex({kKinds, "list"})));
}

ui::ControlSpec Child(ui::Kind kind, const char* name, const char* parent, int page,
                      ui::Handler onClick = nullptr) {
    ui::ControlSpec def{};
    def.kind = kind;
    def.name = name;
    def.parent = parent;
    def.page = page;
    def.left = 1;
    def.top = 1;
    def.width = 40;
    def.height = 20;
    def.caption = "";
    def.visible = true;
    def.onClick = onClick;
    return def;
}

ui::ControlSpec Button(const char* name, ui::Handler onClick, bool disabled = false) {
    ui::ControlSpec def = Child(ui::Kind::Button, name, nullptr, -1, onClick);
    def.disabled = disabled;
    return def;
}

const ui::ControlSpec kOuterControls[] = {Button("open", OpenInner), Button("off", Record, true)};
const ui::ControlSpec kInnerControls[] = {Button("open", OpenThird), Button("close", CloseInner)};
const ui::ControlSpec kThirdControls[] = {Button("ok", Record)};

ui::Form MakeForm(const char* name, ui::Handler created, ui::Handler destroyed,
                  const ui::ControlSpec* controls, std::size_t count, bool escapeCloses) {
    ui::Form form{};
    form.className = name;
    form.title = name;
    form.width = 300;
    form.height = 200;
    form.centred = true;
    form.border = ui::BorderStyle::FixedSingle;
    form.controlBox = true;
    form.escapeCloses = escapeCloses;
    form.onCreated = created;
    form.onDestroyed = destroyed;
    form.controls = controls;
    form.controlCount = count;
    return form;
}

const ui::Form kOuter = MakeForm("Outer", OuterCreated, OuterDestroyed, kOuterControls, 2, false);
const ui::Form kInner = MakeForm("Inner", InnerCreated, InnerDestroyed, kInnerControls, 2, true);
const ui::Form kThird = MakeForm("Third", nullptr, ThirdDestroyed, kThirdControls, 1, false);

constexpr const char* kPages[] = {"a", "b"};
constexpr ui::ColumnSpec kColumns[] = {{"one", 50, ui::Align::Left}, {"two", 50, ui::Align::Left}};
constexpr ui::FileDialogSpec kMovingDialog = {"pick", "all|*.*", 0,     ".\\", true,
                                              true,   true,      false, false};
constexpr ui::FileDialogSpec kKeepingDialog = {"",   "all|*.*", 0,     ".\\", true,
                                               true, true,      false, true};

ui::ControlSpec WithColumns(ui::ControlSpec def) {
    def.columns = kColumns;
    def.columnCount = 2;
    return def;
}
ui::ControlSpec WithPages(ui::ControlSpec def) {
    def.pageNames = kPages;
    def.pageCount = 2;
    return def;
}
ui::ControlSpec WithDialog(ui::ControlSpec def, const ui::FileDialogSpec* dialog) {
    def.dialog = dialog;
    def.visible = false;
    return def;
}

const ui::ControlSpec kKindControls[] = {
    Child(ui::Kind::GroupBox, "frame", nullptr, -1),
    Child(ui::Kind::RadioBox, "r1", "frame", -1, RecordR1),
    Child(ui::Kind::RadioBox, "r2", "frame", -1, RecordR2),
    Child(ui::Kind::RadioBox, "lone", nullptr, -1, Record),
    WithPages(Child(ui::Kind::Tab, "tabs", "frame", -1)),
    Child(ui::Kind::Button, "on0", "tabs", 0, Record),
    Child(ui::Kind::Button, "on1", "tabs", 1, Record),
    Child(ui::Kind::EditBox, "edit1", "tabs", 1),
    Child(ui::Kind::ComboBox, "combo", nullptr, -1),
    WithColumns(Child(ui::Kind::ListView, "list", nullptr, -1, RecordList)),
    WithDialog(Child(ui::Kind::CommonDlg, "moving", nullptr, -1), &kMovingDialog),
    WithDialog(Child(ui::Kind::CommonDlg, "keeping", nullptr, -1), &kKeepingDialog),
};
const ui::Form kKinds = MakeForm("Kinds", nullptr, nullptr, kKindControls,
                                 sizeof kKindControls / sizeof kKindControls[0], false);

class VocabularyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        events.clear();
    }
    void TearDown() override { headless::Reset(); }
};

TEST_F(VocabularyTest, ModalLoadsNestDisableTheOthersAndGiveBackTheirEarlierState) {
    ASSERT_TRUE(ui::LoadWindow(kOuter, false));
    headless::Script({
        [] {
            EXPECT_FALSE(headless::WindowEnabled(kOuter));
            EXPECT_TRUE(headless::WindowEnabled(kInner));
            EXPECT_FALSE(headless::Click(kOuter, "open"));  // disabled behind the modal
            EXPECT_TRUE(headless::Click(kInner, "open"));   // runs the next steps inside
            EXPECT_FALSE(ui::IsLoaded(kThird));
            EXPECT_TRUE(headless::WindowEnabled(kInner));
            EXPECT_FALSE(headless::WindowEnabled(kOuter));
        },
        [] {
            EXPECT_FALSE(headless::WindowEnabled(kOuter));
            EXPECT_FALSE(headless::WindowEnabled(kInner));
            EXPECT_TRUE(headless::Click(kThird, "ok"));
            // No steps left afterwards: the user closes Third, then Inner.
        },
    });
    ASSERT_TRUE(headless::Click(kOuter, "open"));
    EXPECT_EQ(events, (std::vector<std::string>{"outer created", "inner created", "click",
                                                "third destroyed", "inner destroyed",
                                                "inner load returned"}));
    EXPECT_TRUE(headless::WindowEnabled(kOuter));
    EXPECT_FALSE(ui::IsLoaded(kInner));
    EXPECT_EQ(headless::StepsLeft(), 0u);
}

TEST_F(VocabularyTest, AWindowDisabledBeforeAModalLoadStaysDisabledAfterIt) {
    ASSERT_TRUE(ui::LoadWindow(kOuter, false));
    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    headless::Script({[] { ui::LoadWindow(kThird, true); }});
    ASSERT_TRUE(headless::Click(kOuter, "open"));  // Inner: Kinds and Outer disabled
    EXPECT_TRUE(headless::WindowEnabled(kOuter));
    EXPECT_TRUE(headless::WindowEnabled(kKinds));
}

TEST_F(VocabularyTest, CloseWindowTakesEffectAfterTheRunningHandler) {
    headless::Script({[] {
        EXPECT_TRUE(headless::Click(kInner, "close"));
        EXPECT_FALSE(ui::IsLoaded(kInner));
    }});
    ASSERT_TRUE(ui::LoadWindow(kInner, true));
    EXPECT_EQ(events, (std::vector<std::string>{"inner created", "still loaded after CloseWindow",
                                                "inner destroyed"}));
}

TEST_F(VocabularyTest, LoadingALoadedFormOnlyBringsItToTheFront) {
    ASSERT_TRUE(ui::LoadWindow(kOuter, false));
    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    EXPECT_EQ(headless::FrontWindow(), &kKinds);
    ui::SetTitle(kOuter, "kept");
    EXPECT_FALSE(ui::LoadWindow(kOuter, true));  // returns at once, no modal loop
    EXPECT_EQ(headless::FrontWindow(), &kOuter);
    EXPECT_EQ(headless::WindowTitle(kOuter), "kept");
    EXPECT_EQ(events, (std::vector<std::string>{"outer created"}));
    EXPECT_TRUE(headless::WindowEnabled(kKinds));
}

TEST_F(VocabularyTest, EscapeClosesOnlyWhereTheFormSaysSo) {
    ASSERT_TRUE(ui::LoadWindow(kOuter, false));
    EXPECT_FALSE(headless::PressEscape(kOuter));
    EXPECT_TRUE(ui::IsLoaded(kOuter));
    headless::Script({[] { EXPECT_TRUE(headless::PressEscape(kInner)); },
                      [] { ADD_FAILURE() << "Inner should be gone"; }});
    ASSERT_TRUE(headless::Click(kOuter, "open"));
    EXPECT_FALSE(ui::IsLoaded(kInner));
    EXPECT_EQ(headless::StepsLeft(), 1u);
    EXPECT_TRUE(headless::PressCloseBox(kOuter));
    EXPECT_FALSE(ui::IsLoaded(kOuter));
    EXPECT_EQ(events.back(), "outer destroyed");
}

TEST_F(VocabularyTest, ClicksReachOnlyShownEnabledControls) {
    ASSERT_TRUE(ui::LoadWindow(kOuter, false));
    EXPECT_FALSE(headless::Click(kOuter, "off"));
    ui::SetDisabled({kOuter, "off"}, false);
    EXPECT_TRUE(headless::Click(kOuter, "off"));
    ui::SetVisible({kOuter, "off"}, false);
    EXPECT_FALSE(headless::Click(kOuter, "off"));
    EXPECT_FALSE(headless::Click(kOuter, "missing"));

    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    EXPECT_TRUE(headless::Click(kKinds, "on0"));
    EXPECT_FALSE(headless::Click(kKinds, "on1"));  // its page is not the current one
    ui::SetDisabled({kKinds, "frame"}, true);      // a disabled parent takes its children's input
    EXPECT_FALSE(headless::Click(kKinds, "on0"));
    EXPECT_EQ(events, (std::vector<std::string>{"outer created", "click", "click"}));
}

TEST_F(VocabularyTest, NamingAControlTheLoadedFormLacksFailsTheTest) {
    ASSERT_TRUE(ui::LoadWindow(kOuter, false));
    EXPECT_NONFATAL_FAILURE(ui::SetDisabled({kOuter, "opne"}, true),
                            "\"opne\" in the loaded form Outer");
    // A form that is not loaded has no controls to miss: the call does nothing.
    ui::SetDisabled({kInner, "opne"}, true);
}

TEST_F(VocabularyTest, RadioButtonsOfOneParentExcludeEachOtherBeforeTheHandlerRuns) {
    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    ASSERT_TRUE(headless::Click(kKinds, "lone"));
    ASSERT_TRUE(headless::Click(kKinds, "r1"));
    ASSERT_TRUE(headless::Click(kKinds, "r2"));
    EXPECT_EQ(events, (std::vector<std::string>{"click", "r1 on", "r2 on"}));
    EXPECT_FALSE(ui::Checked({kKinds, "r1"}));
    EXPECT_TRUE(ui::Checked({kKinds, "r2"}));
    EXPECT_TRUE(ui::Checked({kKinds, "lone"}));  // another parent, another group
    ASSERT_TRUE(headless::Click(kKinds, "r2"));  // clicking the checked one fires again
    EXPECT_EQ(events.back(), "r2 on");
}

TEST_F(VocabularyTest, ListClicksSelectThenFireAndTheKeyboardFiresNothing) {
    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    ui::Ctl list{kKinds, "list"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ui::AppendRow(list), i);
    ASSERT_TRUE(headless::ClickList(kKinds, "list", 1));
    ASSERT_TRUE(headless::ClickList(kKinds, "list", 7));  // empty space below the rows
    ASSERT_TRUE(headless::SelectRowWithKeyboard(kKinds, "list", 2));
    EXPECT_EQ(events, (std::vector<std::string>{"list 1", "list -1"}));
    EXPECT_EQ(ui::SelectedIndex(list), 2);

    // The selection follows its row when rows before it go, and goes with its row.
    ui::SetCellText(list, 2, 1, "third");
    ui::DeleteRow(list, 0);
    EXPECT_EQ(ui::SelectedIndex(list), 1);
    EXPECT_EQ(ui::CellText(list, 1, 1), "third");
    ui::DeleteRow(list, 1);
    EXPECT_EQ(ui::SelectedIndex(list), -1);
    EXPECT_EQ(ui::RowCount(list), 1);
    EXPECT_EQ(ui::CellText(list, 5, 0), "");
    EXPECT_EQ(ui::CellText(list, 0, 2), "");
}

TEST_F(VocabularyTest, ComboIndexAndItemDataRules) {
    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    ui::Ctl combo{kKinds, "combo"};
    EXPECT_EQ(ui::CurrentIndex(combo), -1);
    ui::SetCurrentIndex(combo, 0);  // empty: nothing to choose
    EXPECT_EQ(ui::CurrentIndex(combo), -1);
    EXPECT_EQ(ui::ItemData(combo, -1), -1);
    EXPECT_EQ(ui::AddItem(combo, "a", 10), 0);
    EXPECT_EQ(ui::AddItem(combo, "b", 20), 1);
    ui::SetCurrentIndex(combo, 5);
    EXPECT_EQ(ui::CurrentIndex(combo), 1);
    ui::SetCurrentIndex(combo, -3);
    EXPECT_EQ(ui::CurrentIndex(combo), -1);
    EXPECT_EQ(ui::ItemData(combo, 0), 10);
    EXPECT_EQ(ui::ItemData(combo, 1), 20);
    EXPECT_EQ(ui::ItemData(combo, 2), -1);
    EXPECT_FALSE(headless::ChooseItem(kKinds, "combo", 2));
    EXPECT_TRUE(headless::ChooseItem(kKinds, "combo", 0));
    EXPECT_EQ(ui::CurrentIndex(combo), 0);
}

TEST_F(VocabularyTest, TabShowsOnlyTheCurrentPagesVisibleChildren) {
    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    ui::Ctl tabs{kKinds, "tabs"};
    EXPECT_TRUE(headless::State(kKinds, "on0").shown);
    EXPECT_FALSE(headless::State(kKinds, "on1").shown);
    ui::SetVisible({kKinds, "edit1"}, false);
    ui::SetCurrentPage(tabs, 1);
    EXPECT_EQ(headless::CurrentPage(kKinds, "tabs"), 1);
    EXPECT_FALSE(headless::State(kKinds, "on0").shown);
    EXPECT_TRUE(headless::State(kKinds, "on1").shown);
    EXPECT_FALSE(headless::State(kKinds, "edit1").shown);
    ui::SetCurrentPage(tabs, 0);
    ui::SetVisible({kKinds, "edit1"}, true);  // set visible on a page not shown: stays hidden
    EXPECT_FALSE(headless::State(kKinds, "edit1").shown);
    ui::SetCurrentPage(tabs, 1);
    EXPECT_TRUE(headless::State(kKinds, "edit1").shown);
    ui::SetCurrentPage(tabs, 9);  // no such page
    EXPECT_EQ(headless::CurrentPage(kKinds, "tabs"), 1);
}

TEST_F(VocabularyTest, SizesAreClampedToTheRangeWindowsKeeps) {
    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    ui::SetHeight({kKinds, "frame"}, 40000);
    EXPECT_EQ(headless::State(kKinds, "frame").height, 32627);
    ui::SetHeight({kKinds, "frame"}, -5);
    EXPECT_EQ(headless::State(kKinds, "frame").height, 0);
    EXPECT_EQ(headless::State(kKinds, "frame").width, 40);
    ui::SetWindowHeight(kKinds, 99999);
    EXPECT_EQ(headless::WindowHeight(kKinds), 1036);
    ui::SetWindowHeight(kKinds, -1);
    EXPECT_EQ(headless::WindowHeight(kKinds), 27);
    EXPECT_EQ(headless::WindowWidth(kKinds), 300);
}

TEST_F(VocabularyTest, FileDialogAnswersTitlesAndTheWorkingFolder) {
    auto root =
        std::filesystem::temp_directory_path() / ("vocabulary-" + std::to_string(::getpid()));
    standin::UseTestRoot(root.string());
    std::filesystem::create_directories(standin::HostPath("C:\\fonts"));
    ASSERT_TRUE(ui::LoadWindow(kKinds, false));
    ui::Ctl moving{kKinds, "moving"};
    ui::Ctl keeping{kKinds, "keeping"};

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

TEST_F(VocabularyTest, EndingRunsEveryCleanupOnceAndStopsInput) {
    static int runs = 0;
    runs = 0;
    platform::RegisterExitCleanup([] { ++runs; });
    ASSERT_TRUE(ui::LoadWindow(kOuter, false));
    platform::EndProgram(3);
    platform::EndProgram(4);
    EXPECT_TRUE(headless::ProgramEnded());
    EXPECT_EQ(headless::ExitCode(), 3);
    EXPECT_EQ(headless::CleanupRuns(), 1);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(headless::Click(kOuter, "open"));
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
