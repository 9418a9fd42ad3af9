// The Win32 control layer's own make and look, on a form of the test's own loaded without
// a modal loop and pumped with ProcessPendingEvents: the real controls and their
// structure, cells longer than the first buffers, the transparent label over the list,
// the banner, the Tab key, a DPI change, the program's icon and a queued quit. The vocabulary's
// behaviour itself is stated once, in tests/contract/control_vocabulary.cpp.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "harness/check.h"
#include "platform/dpi_scale.h"
#include "platform/process.h"
#include "platform/vocabulary.h"

namespace {

const ui::ColumnSpec kColumns[] = {{"甲", 120, ui::Align::Left}, {"乙", 80, ui::Align::Centre}};
const char* const kPages[] = {"一", "二"};
const ui::BannerSpec kBanner = {{0, 0, 255}, {255, 255, 255}, "标题"};

const ui::ControlSpec kControls[] = {
    {.kind = ui::Kind::TransLabel,
     .name = "label",
     .left = 10,
     .top = 100,
     .width = 300,
     .height = 40,
     .caption = "正在还原字体",
     .visible = false,
     .font = {20, 700, 134},
     .textColor = {255, 0, 0},
     .hasTextColor = true},
    {.kind = ui::Kind::PicBox,
     .name = "banner",
     .left = -1,
     .top = -1,
     .width = 400,
     .height = 50,
     .banner = &kBanner},
    {.kind = ui::Kind::ListView,
     .name = "list",
     .left = 10,
     .top = 60,
     .width = 300,
     .height = 150,
     .font = {14, 400, 134},
     .columns = kColumns,
     .columnCount = 2},
    {.kind = ui::Kind::Button,
     .name = "button",
     .left = 320,
     .top = 60,
     .width = 70,
     .height = 24,
     .caption = "按钮"},
    {.kind = ui::Kind::ComboBox,
     .name = "combo",
     .left = 320,
     .top = 90,
     .width = 70,
     .height = 20,
     .dropHeight = 160},
    {.kind = ui::Kind::EditBox,
     .name = "edit",
     .left = 10,
     .top = 215,
     .width = 200,
     .height = 24,
     .readOnly = true},
    {.kind = ui::Kind::GroupBox,
     .name = "frame",
     .left = 10,
     .top = 245,
     .width = 380,
     .height = 100,
     .caption = "框"},
    {.kind = ui::Kind::RadioBox,
     .name = "radio1",
     .parent = "frame",
     .left = 10,
     .top = 16,
     .width = 60,
     .height = 16,
     .caption = "一",
     .checked = true},
    {.kind = ui::Kind::RadioBox,
     .name = "radio2",
     .parent = "frame",
     .left = 80,
     .top = 16,
     .width = 60,
     .height = 16,
     .caption = "二"},
    {.kind = ui::Kind::Tab,
     .name = "tab",
     .parent = "frame",
     .left = 2,
     .top = 40,
     .width = 376,
     .height = 56,
     .pageNames = kPages,
     .pageCount = 2},
    {.kind = ui::Kind::Button,
     .name = "page0",
     .parent = "tab",
     .page = 0,
     .left = 4,
     .top = 4,
     .width = 80,
     .height = 24,
     .caption = "第一页"},
    {.kind = ui::Kind::Button,
     .name = "page1",
     .parent = "tab",
     .page = 1,
     .left = 4,
     .top = 4,
     .width = 80,
     .height = 24,
     .caption = "第二页"},
};

const ui::Form kForm = {.className = "UiVocabularyTest",
                        .title = "测试",
                        .width = 420,
                        .height = 400,
                        .centred = true,
                        .border = ui::BorderStyle::FixedSingle,
                        .controlBox = true,
                        .escapeCloses = true,
                        .controls = kControls,
                        .controlCount = sizeof kControls / sizeof kControls[0]};

ui::Ctl C(const char* name) {
    return {kForm.className, name};
}
HWND Hwnd() {
    return FindWindowW(L"UiVocabularyTest", nullptr);
}

void Pump() {
    for (int i = 0; i < 10; ++i) {
        platform::ProcessPendingEvents();
        Sleep(10);
    }
}

struct CaptionSearch {
    std::wstring text;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<CaptionSearch*>(data);
    wchar_t text[64];
    GetWindowTextW(hwnd, text, 64);
    if (search->text != text) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The control of the test window with that caption (code page 936).
HWND ControlHwnd(const char* caption) {
    CaptionSearch search = {std::wstring(64, L'\0'), nullptr};
    search.text.resize(
        static_cast<std::size_t>(MultiByteToWideChar(936, 0, caption, -1, search.text.data(), 64)));
    if (!search.text.empty()) search.text.pop_back();  // the NUL
    EnumChildWindows(Hwnd(), MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Load() {
    if (!ui::LoadWindow(kForm, false)) return false;
    Pump();
    return Hwnd() != nullptr;
}

void Unload() {
    ui::CloseWindow(kForm.className);
    for (int i = 0; i < 100 && ui::IsLoaded(kForm.className); ++i) Pump();
}

RECT Frame(HWND hwnd) {
    RECT frame = {};
    GetWindowRect(hwnd, &frame);
    return frame;
}

// Pixels of about that colour in a rectangle of the window's client area.
int CountColour(HWND window, RECT area, COLORREF colour, int tolerance) {
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = area.top; y < area.bottom; y += 1) {
        for (int x = area.left; x < area.right; x += 1) {
            COLORREF pixel = GetPixel(dc, x, y);
            if (pixel == CLR_INVALID) continue;
            if (abs(GetRValue(pixel) - GetRValue(colour)) <= tolerance &&
                abs(GetGValue(pixel) - GetGValue(colour)) <= tolerance &&
                abs(GetBValue(pixel) - GetBValue(colour)) <= tolerance)
                ++count;
        }
    }
    ReleaseDC(window, dc);
    return count;
}

// The side in pixels of the window's icon (WM_GETICON), 0 when it has none, -1 when the
// icon is not square.
int IconSide(HWND window, WPARAM which) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info;
    if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
    BITMAP colour = {};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth == colour.bmHeight ? colour.bmWidth : -1;
}

}  // namespace

TEST_CASE("ui_vocabulary.controls_follow_the_table") {
    REQUIRE(Load());
    // This program carries the product's manifest, so its buttons are those of common
    // controls 6, which alone answer BCM_GETIDEALSIZE.
    SIZE ideal = {};
    CHECK(SendMessageW(ControlHwnd("按钮"), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    HWND window = Hwnd();
    // Earlier rows lie above later ones.
    HWND first = GetWindow(window, GW_CHILD);
    REQUIRE(first != nullptr);
    wchar_t cls[64];
    GetClassNameW(first, cls, 64);
    CHECK(lstrcmpiW(cls, L"Static") == 0);
    CHECK(!IsWindowVisible(first));  // the hidden label
    HWND frame = ControlHwnd("框");
    REQUIRE(frame != nullptr);
    CHECK_EQ(GetParent(ControlHwnd("一")), frame);
    HWND tab = GetParent(ControlHwnd("第一页"));
    CHECK_EQ(GetParent(tab), frame);
    // The edit box is read-only and the radio group starts at its first button.
    HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    REQUIRE(edit != nullptr);
    CHECK((GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0);
    CHECK((GetWindowLongPtrW(ControlHwnd("一"), GWL_STYLE) & WS_GROUP) != 0);
    CHECK((GetWindowLongPtrW(ControlHwnd("二"), GWL_STYLE) & WS_GROUP) == 0);
    HWND combo = FindWindowExW(window, nullptr, L"ComboBox", nullptr);
    REQUIRE(combo != nullptr);
    CHECK(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0) > 0);
    Unload();
}

// What the real list view holds in a cell, asked of the control itself: the layer reads
// its cells back from its own copy, which says nothing of what the user sees.
std::wstring ShownCell(HWND list, int row, int column) {
    std::wstring text(8192, L'\0');
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                               reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

TEST_CASE("ui_vocabulary.cells_of_any_length") {
    REQUIRE(Load());
    ui::Ctl list = C("list");
    ui::AppendRow(list);
    ui::AppendRow(list);
    HWND listView = FindWindowExW(Hwnd(), nullptr, WC_LISTVIEWW, nullptr);
    // Around the first buffer sizes, and far beyond them, in double-byte characters.
    for (std::size_t chars : {1u, 510u, 511u, 512u, 1023u, 1024u, 3000u}) {
        std::string text;
        std::wstring shown;
        for (std::size_t i = 0; i < chars; ++i) {
            text += (i % 3 == 0) ? "字" : "a";
            shown += (i % 3 == 0) ? L'\u5B57' : L'a';
        }
        ui::SetCellText(list, 1, 1, text);
        CHECK_EQ(ShownCell(listView, 1, 1).size(), shown.size());
        CHECK(ShownCell(listView, 1, 1) == shown);
        CHECK(ShownCell(listView, 0, 1).empty());
    }
    Unload();
}

TEST_CASE("ui_vocabulary.transparent_label_appears_and_really_goes") {
    REQUIRE(Load());
    HWND window = Hwnd();
    SetForegroundWindow(window);
    ui::Ctl list = C("list");
    for (int i = 0; i < 8; ++i) ui::SetCellText(list, ui::AppendRow(list), 0, "一行文字");
    RECT labelArea = {10, 100, 310, 140};
    Pump();
    CHECK_EQ(CountColour(window, labelArea, RGB(255, 0, 0), 100), 0);

    ui::SetVisible(C("label"), true);
    Pump();
    int red = CountColour(window, labelArea, RGB(255, 0, 0), 100);
    CHECK(red > 30);
    // The list still shows through: its black row text is there beside the label's.
    CHECK(CountColour(window, labelArea, RGB(0, 0, 0), 60) > 10);

    // A shorter caption leaves none of the longer one's strokes behind.
    ui::SetCaption(C("label"), "一");
    Pump();
    int fewer = CountColour(window, labelArea, RGB(255, 0, 0), 100);
    CHECK(fewer > 0);
    CHECK(fewer < red / 3);

    ui::SetVisible(C("label"), false);
    Pump();
    CHECK_EQ(CountColour(window, labelArea, RGB(255, 0, 0), 100), 0);

    // The banner: blue on the left, near white on the right.
    HWND banner = nullptr;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) banner = child;
    }
    REQUIRE(banner != nullptr);
    RECT bannerFrame = Frame(banner);
    CHECK_EQ(bannerFrame.right - bannerFrame.left, 400);
    CHECK_EQ(bannerFrame.bottom - bannerFrame.top, 50);
    CHECK(CountColour(banner, RECT{1, 1, 4, 4}, RGB(0, 0, 255), 40) > 0);
    CHECK(CountColour(banner, RECT{394, 44, 397, 47}, RGB(255, 255, 255), 40) > 0);
    Unload();
}

TEST_CASE("ui_vocabulary.pending_events_leave_a_quit_queued") {
    REQUIRE(Load());
    HWND window = Hwnd();
    PostMessageW(window, WM_NULL, 0, 0);
    PostQuitMessage(7);
    platform::ProcessPendingEvents();
    MSG msg;
    CHECK(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE);
    CHECK_EQ(msg.wParam, WPARAM{7});
    Unload();
}

TEST_CASE("ui_vocabulary.tab_walks_into_frames_and_pages") {
    REQUIRE(Load());
    HWND window = Hwnd();
    SetForegroundWindow(window);
    HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    HWND radio = ControlHwnd("一");
    HWND pageButton = ControlHwnd("第一页");
    REQUIRE(edit != nullptr && radio != nullptr && pageButton != nullptr);
    auto pressTab = [] {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0x000F0001);
        PostMessageW(focus, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001u));
        Pump();
    };
    SetFocus(edit);
    pressTab();
    CHECK_EQ(GetFocus(), radio);
    pressTab();
    CHECK_EQ(GetFocus(), pageButton);
    Unload();
}

// Moved to a monitor of another DPI, a window takes the frame the system suggests and
// lays its controls out again at the new DPI, heights set by the logic included.
TEST_CASE("ui_vocabulary.a_dpi_change_lays_the_window_out_again") {
    REQUIRE(Load());
    HWND window = Hwnd();
    ui::SetHeight(C("frame"), 120);
    RECT suggested = {100, 50, 100 + 630, 50 + 600};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT outer = Frame(window);
    CHECK(outer.left == 100 && outer.top == 50 && outer.right == 730 && outer.bottom == 650);
    RECT button = Frame(ControlHwnd("按钮"));
    CHECK_EQ(button.right - button.left, 105);  // 70 at 96 DPI
    CHECK_EQ(button.bottom - button.top, 36);
    RECT frame = Frame(ControlHwnd("框"));
    CHECK_EQ(frame.bottom - frame.top, 180);
    ui::SetHeight(C("frame"), 100);
    frame = Frame(ControlHwnd("框"));
    CHECK_EQ(frame.bottom - frame.top, 150);
    HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    CHECK_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), LRESULT{180});
    Unload();

    // The layer's scaling rule is MulDiv's, which the native tests take on trust.
    int differences = 0;
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        for (int value = -40; value <= 800; ++value)
            differences += platform::ScaleToDpi(value, dpi) != MulDiv(value, dpi, 96);
    }
    CHECK_EQ(differences, 0);
}

// The caption bar and Alt+Tab show the program's icon (this test program carries the
// product's resources), small and big at the window's DPI: 16 and 32 pixels at 96 DPI,
// 24 and 48 at 144. Asked inside this process: Wine answers neither WM_GETICON nor the
// class icon to another process.
TEST_CASE("ui_vocabulary.the_window_carries_the_program_icon_at_its_dpi") {
    REQUIRE(Load());
    HWND window = Hwnd();
    CHECK(GetClassLongPtrW(window, GCLP_HICON) != 0);
    CHECK(GetClassLongPtrW(window, GCLP_HICONSM) != 0);
    CHECK_EQ(IconSide(window, ICON_SMALL), 16);
    CHECK_EQ(IconSide(window, ICON_BIG), 32);
    RECT suggested = {100, 50, 100 + 630, 50 + 600};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    CHECK_EQ(IconSide(window, ICON_SMALL), 24);
    CHECK_EQ(IconSide(window, ICON_BIG), 48);
    Unload();
}
