// The control vocabulary as the logic relies on it: what loading, closing and modal
// loops do, which clicks reach a handler and in what state, and the rules of the
// properties, pages, lists and combo boxes, read back as a user sees them.
#include <string>
#include <vector>

#include "contract/contract.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/vocabulary.h"

namespace {

using contract::See;
using contract::SeeWindow;

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
// Letting events run, as a folder walk does, must not carry out the close either.
void CloseInner() {
    ui::CloseWindow(kInner.className);
    platform::ProcessPendingEvents();
    events.push_back(ui::IsLoaded(kInner.className) ? "still loaded after CloseWindow"
                                                    : "gone at once");
}
void ThirdDestroyed() {
    events.push_back("third destroyed");
}
void Record() {
    events.push_back("click");
}
void RecordR1() {
    events.push_back(ui::Checked({kKinds.className, "r1"}) ? "r1 on" : "r1 off");
}
void RecordR2() {
    events.push_back(ui::Checked({kKinds.className, "r2"}) ? "r2 on" : "r2 off");
}
void RecordList() {
    events.push_back("list " + std::to_string(ui::SelectedIndex({kKinds.className, "list"})));
}

struct Place {
    int left, top, width, height;
};

// One row of a form: its parent (none: the window) and page come last, as few rows have
// them.
ui::ControlSpec Row(ui::Kind kind, const char* name, Place place, const char* caption = "",
                    ui::Handler onClick = nullptr, const char* parent = nullptr, int page = -1) {
    return {.kind = kind,
            .name = name,
            .parent = parent,
            .page = page,
            .left = place.left,
            .top = place.top,
            .width = place.width,
            .height = place.height,
            .caption = caption,
            .onClick = onClick};
}
ui::ControlSpec Disabled(ui::ControlSpec row) {
    row.disabled = true;
    return row;
}

ui::Form Window(const char* name, int width, int height, const ui::ControlSpec* controls,
                std::size_t count, ui::Handler created = nullptr, ui::Handler destroyed = nullptr) {
    return {.className = name,
            .title = name,
            .width = width,
            .height = height,
            .onCreated = created,
            .onDestroyed = destroyed,
            .controls = controls,
            .controlCount = count};
}
ui::Form ClosedByEscape(ui::Form form) {
    form.escapeCloses = true;
    return form;
}

using ui::Kind;
constexpr Place kFirstButton = {10, 10, 80, 24}, kSecondButton = {100, 10, 80, 24};

const ui::ControlSpec kOuterControls[] = {
    Row(Kind::Button, "open", kFirstButton, "打开", OpenInner),
    Disabled(Row(Kind::Button, "off", kSecondButton, "停用", Record))};
const ui::ControlSpec kInnerControls[] = {
    Row(Kind::Button, "open", kFirstButton, "打开", OpenThird),
    Row(Kind::Button, "close", kSecondButton, "关闭", CloseInner)};
const ui::ControlSpec kThirdControls[] = {Row(Kind::Button, "ok", kFirstButton, "确定", Record)};

const ui::Form kOuter =
    Window("ContractOuter", 300, 200, kOuterControls, 2, OuterCreated, OuterDestroyed);
const ui::Form kInner = ClosedByEscape(
    Window("ContractInner", 300, 200, kInnerControls, 2, InnerCreated, InnerDestroyed));
const ui::Form kThird =
    Window("ContractThird", 300, 200, kThirdControls, 1, nullptr, ThirdDestroyed);

const char* const kPages[] = {"甲", "乙"};
const ui::ColumnSpec kColumns[] = {{"一", 120, ui::Align::Left}, {"二", 100, ui::Align::Left}};

ui::ControlSpec WithPages(ui::ControlSpec row) {
    row.pageNames = kPages;
    row.pageCount = 2;
    return row;
}
ui::ControlSpec WithColumns(ui::ControlSpec row) {
    row.columns = kColumns;
    row.columnCount = 2;
    return row;
}
ui::ControlSpec WithDropDown(ui::ControlSpec row) {
    row.dropHeight = 160;
    return row;
}
// The dialog without the option meant to keep the working folder, as the task window's.
constexpr ui::FileDialogSpec kFontDialog = {"选择", "字体|*.ttf", 0,    ".\\", true,
                                            true,   true,         true, false};
ui::ControlSpec FileDialog(ui::ControlSpec row) {
    row.dialog = &kFontDialog;
    row.visible = false;
    return row;
}

const ui::ControlSpec kKindControls[] = {
    Row(Kind::GroupBox, "frame", {10, 10, 260, 150}, "框"),
    Row(Kind::RadioBox, "r1", {10, 16, 60, 16}, "一", RecordR1, "frame"),
    Row(Kind::RadioBox, "r2", {80, 16, 60, 16}, "二", RecordR2, "frame"),
    WithPages(Row(Kind::Tab, "tabs", {4, 40, 250, 100}, "", nullptr, "frame")),
    Row(Kind::Button, "on0", {8, 30, 80, 24}, "第一页", Record, "tabs", 0),
    Row(Kind::Button, "on1", {8, 30, 80, 24}, "第二页", Record, "tabs", 1),
    Row(Kind::EditBox, "edit1", {100, 30, 100, 24}, "", nullptr, "tabs", 1),
    Row(Kind::RadioBox, "lone", {280, 10, 100, 16}, "独", Record),
    WithDropDown(Row(Kind::ComboBox, "combo", {280, 40, 120, 24})),
    Row(Kind::TransLabel, "label", {280, 80, 120, 20}, "标签"),
    Row(Kind::EditBox, "edit", {280, 110, 120, 24}),
    WithColumns(Row(Kind::ListView, "list", {10, 170, 260, 180}, "", RecordList)),
    FileDialog(Row(Kind::CommonDlg, "dialog", {0, 0, 0, 0})),
};
const ui::Form kKinds = Window("ContractKinds", 420, 400, kKindControls,
                               sizeof kKindControls / sizeof kKindControls[0]);

}  // namespace

CONTRACT_CASE(ControlVocabulary, ModalLoadsNestDisableTheOthersAndGiveBackTheirState) {
    events.clear();
    REQUIRE(ui::LoadWindow(kOuter, false));
    contract::InModalLoops({
        [] {
            CHECK(!SeeWindow(kOuter).enabled);
            CHECK(SeeWindow(kInner).enabled);
            CHECK(!contract::Click(kOuter, "open"));  // disabled behind the modal window
            CHECK(contract::Click(kInner, "open"));   // runs the next step inside Third
            CHECK(!ui::IsLoaded(kThird.className));
            CHECK(SeeWindow(kInner).enabled);
            // Disabled before Third was loaded, so still disabled after it.
            CHECK(!SeeWindow(kOuter).enabled);
        },
        [] {
            CHECK(!SeeWindow(kOuter).enabled);
            CHECK(!SeeWindow(kInner).enabled);
            CHECK(!ui::LoadWindow(kThird, true));  // loaded already: no second loop
            CHECK(contract::Click(kThird, "ok"));
            // No steps left: the user closes Third, then Inner.
        },
    });
    REQUIRE(contract::Click(kOuter, "open"));
    CHECK_EQ(events,
             (std::vector<std::string>{"outer created", "inner created", "click", "third destroyed",
                                       "inner destroyed", "inner load returned"}));
    CHECK(SeeWindow(kOuter).enabled);
    CHECK(!ui::IsLoaded(kInner.className));
    CHECK_EQ(contract::StepsLeft(), 0u);
}

CONTRACT_CASE(ControlVocabulary, LoadingALoadedFormOnlyBringsItToTheFront) {
    events.clear();
    REQUIRE(ui::LoadWindow(kOuter, false));
    REQUIRE(ui::LoadWindow(kKinds, false));
    CHECK(SeeWindow(kKinds).front);
    ui::SetTitle(kOuter.className, "kept");
    CHECK(!ui::LoadWindow(kOuter, true));  // returns at once, without a modal loop
    CHECK(SeeWindow(kOuter).front);
    CHECK_EQ(SeeWindow(kOuter).title, "kept");
    CHECK_EQ(events, std::vector<std::string>{"outer created"});
    CHECK(SeeWindow(kKinds).enabled);
}

CONTRACT_CASE(ControlVocabulary, CloseTakesEffectAfterTheRunningHandler) {
    events.clear();
    contract::InModalLoops({[] {
        CHECK(contract::Click(kInner, "close"));
        contract::LetEventsRun();
        CHECK(!ui::IsLoaded(kInner.className));
    }});
    REQUIRE(ui::LoadWindow(kInner, true));
    CHECK_EQ(events, (std::vector<std::string>{"inner created", "still loaded after CloseWindow",
                                               "inner destroyed"}));
}

CONTRACT_CASE(ControlVocabulary, EscapeClosesOnlyWhereTheFormSaysSoAndTheCloseBoxCloses) {
    events.clear();
    REQUIRE(ui::LoadWindow(kOuter, false));
    contract::PressEscape(kOuter);
    CHECK(ui::IsLoaded(kOuter.className));
    contract::InModalLoops({[] {
                                contract::PressEscape(kInner);
                                CHECK(!ui::IsLoaded(kInner.className));
                            },
                            [] { events.push_back("a step after Inner is gone"); }});
    REQUIRE(contract::Click(kOuter, "open"));
    CHECK(!ui::IsLoaded(kInner.className));
    CHECK_EQ(contract::StepsLeft(), 1u);
    contract::PressCloseBox(kOuter);
    CHECK(!ui::IsLoaded(kOuter.className));
    CHECK_EQ(events.back(), "outer destroyed");
}

CONTRACT_CASE(ControlVocabulary, ClicksReachOnlyShownEnabledControls) {
    events.clear();
    REQUIRE(ui::LoadWindow(kOuter, false));
    CHECK(!contract::Click(kOuter, "off"));
    ui::SetDisabled({kOuter.className, "off"}, false);
    CHECK(contract::Click(kOuter, "off"));
    ui::SetVisible({kOuter.className, "off"}, false);
    CHECK(!contract::Click(kOuter, "off"));

    REQUIRE(ui::LoadWindow(kKinds, false));
    CHECK(contract::Click(kKinds, "on0"));   // inside a frame and a page container
    CHECK(!contract::Click(kKinds, "on1"));  // its page is not the current one
    ui::SetDisabled({kKinds.className, "frame"},
                    true);  // a disabled parent takes its children's input
    CHECK(!contract::Click(kKinds, "on0"));
    CHECK_EQ(events, (std::vector<std::string>{"outer created", "click", "click"}));
}

CONTRACT_CASE(ControlVocabulary, RadioButtonsOfOneParentExcludeEachOtherBeforeTheHandler) {
    events.clear();
    REQUIRE(ui::LoadWindow(kKinds, false));
    REQUIRE(contract::Click(kKinds, "lone"));
    REQUIRE(contract::Click(kKinds, "r1"));
    REQUIRE(contract::Click(kKinds, "r2"));
    CHECK_EQ(events, (std::vector<std::string>{"click", "r1 on", "r2 on"}));
    CHECK(!ui::Checked({kKinds.className, "r1"}));
    CHECK(!See(kKinds, "r1").checked);
    CHECK(ui::Checked({kKinds.className, "r2"}));
    CHECK(See(kKinds, "r2").checked);
    CHECK(ui::Checked({kKinds.className, "lone"}));  // another parent, another group
    REQUIRE(contract::Click(kKinds, "r2"));          // clicking the checked one fires again
    CHECK_EQ(events.back(), "r2 on");
}

CONTRACT_CASE(ControlVocabulary, ListClicksSelectThenFireAndKeysFireNothing) {
    events.clear();
    REQUIRE(ui::LoadWindow(kKinds, false));
    ui::Ctl list{kKinds.className, "list"};
    CHECK_EQ(ui::RowCount(list), 0);
    for (int i = 0; i < 3; ++i) CHECK_EQ(ui::AppendRow(list), i);
    CHECK_EQ(ui::CellText(list, 0, 0), "");
    REQUIRE(contract::ClickRow(kKinds, "list", 1));
    REQUIRE(contract::ClickRow(kKinds, "list", 7));  // the empty space below the rows
    contract::SelectRowWithKeyboard(kKinds, "list", 2);
    CHECK_EQ(events, (std::vector<std::string>{"list 1", "list -1"}));
    CHECK_EQ(ui::SelectedIndex(list), 2);

    // The selection follows its row when rows before it go, and goes with its row.
    ui::SetCellText(list, 2, 1, "第三行");
    ui::DeleteRow(list, 0);
    CHECK_EQ(ui::SelectedIndex(list), 1);
    CHECK_EQ(ui::CellText(list, 1, 1), "第三行");
    ui::DeleteRow(list, 1);
    CHECK_EQ(ui::SelectedIndex(list), -1);
    CHECK_EQ(ui::RowCount(list), 1);
    CHECK_EQ(ui::CellText(list, 5, 0), "");
    CHECK_EQ(ui::CellText(list, 0, 2), "");
}

CONTRACT_CASE(ControlVocabulary, ComboItemsKeepTheirOrderAndIndexesAreClamped) {
    REQUIRE(ui::LoadWindow(kKinds, false));
    ui::Ctl combo{kKinds.className, "combo"};
    CHECK_EQ(ui::CurrentIndex(combo), -1);
    ui::SetCurrentIndex(combo, 0);  // nothing to choose from
    CHECK_EQ(ui::CurrentIndex(combo), -1);
    CHECK_EQ(ui::ItemData(combo, -1), -1);
    CHECK_EQ(ui::AddItem(combo, "乙 b", 20), 0);
    CHECK_EQ(ui::AddItem(combo, "甲 a", 10), 1);  // appended, never sorted
    CHECK_EQ(ui::AddItem(combo, "丙 c", 30), 2);
    CHECK_EQ(ui::ItemData(combo, 0), 20);
    CHECK_EQ(ui::ItemData(combo, 1), 10);
    CHECK_EQ(ui::ItemData(combo, 3), -1);
    ui::SetCurrentIndex(combo, 99);
    CHECK_EQ(ui::CurrentIndex(combo), 2);
    ui::SetCurrentIndex(combo, 0);
    CHECK_EQ(ui::CurrentIndex(combo), 0);
    ui::SetCurrentIndex(combo, -3);
    CHECK_EQ(ui::CurrentIndex(combo), -1);
}

CONTRACT_CASE(ControlVocabulary, PagesShowOnlyTheCurrentPagesVisibleChildren) {
    REQUIRE(ui::LoadWindow(kKinds, false));
    ui::Ctl tabs{kKinds.className, "tabs"};
    CHECK(See(kKinds, "on0").shown);
    CHECK(!See(kKinds, "on1").shown);
    ui::SetVisible({kKinds.className, "edit1"}, false);
    ui::SetCurrentPage(tabs, 1);
    CHECK(!See(kKinds, "on0").shown);
    CHECK(See(kKinds, "on1").shown);
    CHECK(!See(kKinds, "edit1").shown);
    ui::SetCurrentPage(tabs, 0);
    ui::SetVisible({kKinds.className, "edit1"}, true);  // not its page's turn: stays hidden
    CHECK(!See(kKinds, "edit1").shown);
    ui::SetCurrentPage(tabs, 1);
    CHECK(See(kKinds, "edit1").shown);

    ui::SetVisible({kKinds.className, "on0"}, false);
    ui::SetCurrentPage(tabs, 0);
    CHECK(!See(kKinds, "on0").shown);  // its own Visible is false
    CHECK(!See(kKinds, "on1").shown);
    ui::SetVisible({kKinds.className, "on0"}, true);
    CHECK(See(kKinds, "on0").shown);
    ui::SetCurrentPage(tabs, 9);  // no such page: page 0 stays
    CHECK(See(kKinds, "on0").shown);
    CHECK(!See(kKinds, "on1").shown);
}

CONTRACT_CASE(ControlVocabulary, HeightsAreClampedAndKeepTheWidth) {
    REQUIRE(ui::LoadWindow(kKinds, false));
    ui::SetHeight({kKinds.className, "frame"}, 40000);
    CHECK_EQ(See(kKinds, "frame").height, 32627);
    ui::SetHeight({kKinds.className, "frame"}, -5);
    CHECK_EQ(See(kKinds, "frame").height, 0);
    CHECK_EQ(See(kKinds, "frame").width, 260);
    ui::SetHeight({kKinds.className, "frame"}, 120);
    CHECK_EQ(See(kKinds, "frame").height, 120);
    ui::SetWindowHeight(kKinds.className, 300);
    CHECK_EQ(SeeWindow(kKinds).height, 300);
    CHECK_EQ(SeeWindow(kKinds).width, 420);
    // The system keeps a window within its tracking size: about the screen's height at
    // most, and at least its caption.
    ui::SetWindowHeight(kKinds.className, 99999);
    const int tallest = SeeWindow(kKinds).height;
    CHECK(tallest > 400 && tallest < 2000);
    ui::SetWindowHeight(kKinds.className, -1);
    const int lowest = SeeWindow(kKinds).height;
    CHECK(lowest > 0 && lowest < 60);
}

CONTRACT_CASE(ControlVocabulary, PropertiesReadBackAsShown) {
    REQUIRE(ui::LoadWindow(kKinds, false));
    contract::SeenWindow window = SeeWindow(kKinds);
    CHECK(window.exists);
    CHECK_EQ(window.title, "ContractKinds");
    CHECK_EQ(window.width, 420);
    CHECK_EQ(window.height, 400);
    ui::SetTitle(kKinds.className, "字体管理");
    CHECK_EQ(SeeWindow(kKinds).title, "字体管理");

    contract::Seen label = See(kKinds, "label");
    CHECK(label.shown);
    CHECK_EQ(label.text, "标签");
    CHECK_EQ(label.width, 120);
    CHECK_EQ(label.height, 20);
    ui::SetCaption({kKinds.className, "label"}, "正在还原字体");
    CHECK_EQ(See(kKinds, "label").text, "正在还原字体");
    ui::SetCaption({kKinds.className, "frame"}, "选项");
    CHECK_EQ(See(kKinds, "frame").text, "选项");
    ui::SetVisible({kKinds.className, "label"}, false);
    CHECK(!See(kKinds, "label").shown);

    ui::Ctl edit{kKinds.className, "edit"};
    CHECK_EQ(ui::Text(edit), "");
    ui::SetText(edit, "文字 text");
    CHECK_EQ(ui::Text(edit), "文字 text");
    CHECK_EQ(See(kKinds, "edit").text, "文字 text");
    CHECK(See(kKinds, "edit").enabled);
    ui::SetDisabled(edit, true);
    CHECK(!See(kKinds, "edit").enabled);
    CHECK(See(kKinds, "edit").shown);
    CHECK(!See(kKinds, "none").exists);
}

// The open dialog moves the working folder to the chosen file's, even with the option
// meant to prevent that; the program's backup folder is relative to it. Open puts it back,
// whatever the user does.
CONTRACT_CASE(ControlVocabulary, TheFileDialogLeavesTheWorkingFolderWhereItWas) {
    const std::string chosen = contract::CaseFolder() + "\\字体\\a.ttf";
    REQUIRE(contract::MakeFolder(contract::CaseFolder() + "\\字体"));
    REQUIRE(contract::Write(chosen, "font"));
    REQUIRE(platform::SetCurrentFolder(contract::CaseFolder()));
    const std::string working = platform::CurrentFolder();
    REQUIRE(ui::LoadWindow(kKinds, false));
    ui::Ctl dialog{kKinds.className, "dialog"};
    contract::AnswerNextFileDialog(chosen);
    CHECK(ui::Open(dialog));
    CHECK_EQ(ui::FileName(dialog), chosen);
    CHECK_EQ(platform::CurrentFolder(), working);
    contract::AnswerNextFileDialog("");
    CHECK(!ui::Open(dialog));
    CHECK_EQ(ui::FileName(dialog), chosen);
    CHECK_EQ(platform::CurrentFolder(), working);
}
