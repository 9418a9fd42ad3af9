// The main window of the real program, seen from outside: its frame, every control
// with its class, place, caption and state, the task list's columns, and how it closes.
#include "e2e/driver/driver.h"
#include "harness/check.h"

namespace {

struct Expected {
    const char* className;
    int left, top, width, height;
    const char* text;
    bool visible, enabled;
};

// The controls in creation order, which is also their order from the top of the z-order.
constexpr Expected kControls[] = {
    {"Static", 8, 192, 576, 56, "正在还原字体", false, true},
    {"Button", 448, 392, 128, 32, "执行任务", true, true},
    {"Button", 280, 392, 128, 32, "还原", true, true},
    {"Button", 144, 392, 128, 32, "删除任务", true, false},
    {"Button", 8, 392, 128, 32, "添加任务", true, true},
    {"Static", -1, -1, 600, 70, "", true, true},
    {"SysListView32", 9, 85, 576, 296, "", true, true},
};

struct Column {
    const char* caption;
    int width, format;
};
constexpr Column kColumns[] = {{"字体", 180, LVCFMT_LEFT},
                               {"任务", 100, LVCFMT_CENTER},
                               {"替换为", 180, LVCFMT_LEFT},
                               {"执行结果", 80, LVCFMT_CENTER}};

HWND StartMainWindow(e2e::Program& program) {
    if (!program.Start(check::Scratch())) return nullptr;
    return e2e::WaitForWindow(program.Pid(), "QiroFont");
}

// The frame, every control and the list's columns where the form puts them, at a DPI.
void CheckLayout(HWND window, int dpi) {
    SIZE outer = e2e::OuterSize(window);
    CHECK(e2e::AtDpi(outer.cx, 600, dpi));
    CHECK(e2e::AtDpi(outer.cy, 460, dpi));
    std::vector<HWND> children = e2e::Children(window);
    REQUIRE(children.size() == sizeof kControls / sizeof kControls[0]);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const Expected& want = kControls[i];
        e2e::ControlInfo got = e2e::Inspect(children[i]);
        CHECK_EQ(got.className, std::string(want.className));
        CHECK(e2e::AtDpi(got.left, want.left, dpi));
        CHECK(e2e::AtDpi(got.top, want.top, dpi));
        CHECK(e2e::AtDpi(got.width, want.width, dpi));
        CHECK(e2e::AtDpi(got.height, want.height, dpi));
        CHECK_EQ(got.text, std::string(want.text));
        CHECK_EQ(got.visible, want.visible);
        CHECK_EQ(got.enabled, want.enabled);
    }
    std::vector<e2e::ListColumn> got = e2e::ListColumns(children[6]);
    REQUIRE(got.size() == 4);
    for (std::size_t i = 0; i < 4; ++i) {
        CHECK_EQ(got[i].caption, std::string(kColumns[i].caption));
        CHECK(e2e::AtDpi(got[i].width, kColumns[i].width, dpi));
        CHECK_EQ(got[i].format, kColumns[i].format);
    }
}

}  // namespace

TEST_CASE("main_window.layout") {
    e2e::Program program;
    HWND window = StartMainWindow(program);
    REQUIRE(window != nullptr);

    CheckLayout(window, 96);
    CHECK(!e2e::WindowCaption(window).empty());
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    CHECK((style & WS_SYSMENU) != 0);
    CHECK((style & WS_MINIMIZEBOX) != 0);
    CHECK((style & WS_MAXIMIZEBOX) == 0);
    CHECK((style & WS_THICKFRAME) == 0);
    CHECK((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    CHECK(GetWindow(window, GW_OWNER) == nullptr);  // has its own taskbar button

    std::vector<HWND> children = e2e::Children(window);
    REQUIRE(children.size() == sizeof kControls / sizeof kControls[0]);
    // The banner shows a bitmap; the buttons are plain push buttons and tab stops.
    CHECK_EQ(e2e::Inspect(children[5]).style & SS_TYPEMASK, SS_BITMAP);
    for (std::size_t i = 1; i <= 4; ++i) {
        e2e::ControlInfo button = e2e::Inspect(children[i]);
        CHECK_EQ(button.style & BS_TYPEMASK, BS_PUSHBUTTON);
        CHECK((button.style & WS_TABSTOP) != 0);
    }

    HWND list = children[6];
    e2e::ControlInfo listInfo = e2e::Inspect(list);
    CHECK_EQ(listInfo.style & LVS_TYPEMASK, LVS_REPORT);
    CHECK((listInfo.style & LVS_SINGLESEL) != 0);
    CHECK((listInfo.style & (LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_SHOWSELALWAYS)) == 0);
    CHECK((listInfo.exStyle & WS_EX_STATICEDGE) != 0);
    DWORD_PTR extended = 0;
    SendMessageTimeoutW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &extended);
    CHECK((extended & LVS_EX_FULLROWSELECT) != 0);
    CHECK((extended & LVS_EX_GRIDLINES) != 0);
    CHECK((extended & (LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP)) == 0);
    CHECK_EQ(e2e::ListRowCount(list), 0);
    CHECK(!e2e::SaveScreenshot(window, "main_window.bmp").empty());
}

// On a display scaled to 150 % the window and everything in it is half as large again.
TEST_CASE("main_window.layout_at_150_percent") {
    e2e::DisplayScaling scaling(144);
    e2e::Program program;
    HWND window = StartMainWindow(program);
    REQUIRE(window != nullptr);
    CheckLayout(window, 144);
    CHECK(!e2e::SaveScreenshot(window, "main_window_144dpi.bmp").empty());
}

TEST_CASE("main_window.list_click_on_empty_space_keeps_delete_disabled") {
    e2e::Program program;
    HWND window = StartMainWindow(program);
    REQUIRE(window != nullptr);
    HWND list = e2e::ChildAt(window, "SysListView32", 9, 85);
    HWND remove = e2e::ChildAt(window, "Button", 144, 392);
    REQUIRE(list != nullptr);
    REQUIRE(remove != nullptr);
    e2e::ClickListEmptySpace(list);
    // Clicking a header changes nothing either: no sorting, no rows.
    e2e::ClickAt(list, 60, 8);
    CHECK(!e2e::WaitUntil([&] { return e2e::Inspect(remove).enabled; }, 800));
    CHECK_EQ(e2e::ListRowCount(list), 0);
    CHECK(program.Running());
}

TEST_CASE("main_window.escape_does_not_close_but_the_close_box_ends_with_0") {
    e2e::Program program;
    HWND window = StartMainWindow(program);
    REQUIRE(window != nullptr);

    e2e::PressEscape(window);
    // Nothing should happen; give the program a moment to prove it.
    CHECK(!e2e::WaitUntil([&] { return !IsWindow(window); }, 1000));
    CHECK(program.Running());

    e2e::CloseWithCloseBox(window);
    DWORD exitCode = 12345;
    REQUIRE(program.WaitForExit(e2e::kWaitMs, &exitCode));
    CHECK_EQ(exitCode, DWORD{0});
}
