// The task window of the real program, opened from the main window as a user would:
// its frames, radio buttons and pages, its heights per page, its modality, Esc, and a
// task queued through the system file dialog into the main window's list.
#include <string>

#include "e2e/driver/driver.h"
#include "harness/check.h"

namespace {

struct Opened {
    HWND main = nullptr;
    HWND task = nullptr;
};

Opened OpenTaskWindow(e2e::Program& program) {
    Opened windows;
    if (!program.Start(check::Scratch())) return windows;
    windows.main = e2e::WaitForWindow(program.Pid(), "QiroFont");
    if (windows.main == nullptr) return windows;
    HWND add = e2e::FindByText(windows.main, "Button", "添加任务");
    if (add == nullptr) return windows;
    e2e::Click(add);
    windows.task = e2e::WaitForWindow(program.Pid(), "QiruFont");
    return windows;
}

bool Checked(HWND radio) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(radio, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

struct PageControl {
    const char* className;
    int left, top, width;
    const char* text;
};

// The controls of each page inside the page container, in creation order.
const PageControl kAddPage[] = {{"Static", 13, 16, 128, "要安装的新字体文件："},
                                {"Edit", 12, 34, 368, ""},
                                {"Button", 386, 33, 52, "浏览"},
                                {"Button", 222, 73, 104, "确 定"},
                                {"Button", 334, 73, 104, "取 消"}};
const PageControl kDeletePage[] = {{"Static", 13, 16, 128, "要删除的字体文件名："},
                                   {"ComboBox", 12, 34, 418, ""},
                                   {"Button", 222, 73, 104, "确 定"},
                                   {"Button", 334, 73, 104, "取 消"}};
const PageControl kReplacePage[] = {{"Static", 13, 16, 128, "要替换的新字体文件："},
                                    {"Edit", 12, 34, 368, ""},
                                    {"Button", 386, 33, 52, "浏览"},
                                    {"Static", 13, 64, 128, "要替换的原字体文件："},
                                    {"ComboBox", 12, 83, 418, ""},
                                    {"Button", 222, 112, 104, "确 定"},
                                    {"Button", 334, 112, 104, "取 消"}};

struct Page {
    const PageControl* controls;
    std::size_t count;
};
const Page kPages[] = {{kAddPage, 5}, {kDeletePage, 4}, {kReplacePage, 7}};

// Checks every page's controls in the container (places at a DPI) and that only `shown`
// is visible.
void CheckPages(HWND container, int shown, int dpi = 96) {
    std::vector<HWND> children = e2e::Children(container);
    std::size_t next = 0;
    for (int page = 0; page < 3; ++page) {
        for (std::size_t i = 0; i < kPages[page].count; ++i, ++next) {
            const PageControl& want = kPages[page].controls[i];
            if (next >= children.size()) {
                CHECK(next < children.size());
                return;
            }
            e2e::ControlInfo got = e2e::Inspect(children[next]);
            CHECK_EQ(got.className, std::string(want.className));
            CHECK(e2e::AtDpi(got.left, want.left, dpi));
            CHECK(e2e::AtDpi(got.top, want.top, dpi));
            CHECK(e2e::AtDpi(got.width, want.width, dpi));
            CHECK_EQ(got.text, std::string(want.text));
            CHECK_EQ(got.visible, page == shown);
            CHECK(got.enabled);
        }
    }
    CHECK_EQ(children.size(), next);
}

// Red pixels in the top strip of the lower frame, where its caption is drawn.
int RedCaptionPixels(HWND frame) {
    RECT strip = {0, 0, 448, 14};
    // Anti-aliased strokes blend into the background, so "red" is generous.
    return e2e::CountPixels(frame, strip, RGB(255, 0, 0), 120);
}

}  // namespace

TEST_CASE("task_window.pages_heights_modality_and_escape") {
    e2e::Program program;
    Opened windows = OpenTaskWindow(program);
    REQUIRE(windows.task != nullptr);
    HWND task = windows.task;

    SIZE outer = e2e::OuterSize(task);
    CHECK_EQ(outer.cx, 457);
    CHECK_EQ(outer.cy, 220);
    CHECK(!IsWindowEnabled(windows.main));
    CHECK_EQ(e2e::WindowCaption(task), std::string("添加\\删除\\替换字体"));
    LONG_PTR style = GetWindowLongPtrW(task, GWL_STYLE);
    CHECK((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
    CHECK((style & WS_SYSMENU) != 0);
    LONG_PTR exStyle = GetWindowLongPtrW(task, GWL_EXSTYLE);
    CHECK((exStyle & WS_EX_TOPMOST) != 0);
    // Owned by the main window, so it stays above it, and without WS_EX_APPWINDOW: no
    // taskbar button of its own.
    CHECK_EQ(GetWindow(task, GW_OWNER), windows.main);
    CHECK((exStyle & WS_EX_APPWINDOW) == 0);

    std::vector<HWND> frames = e2e::Children(task);
    REQUIRE(frames.size() == 2);
    e2e::ControlInfo upper = e2e::Inspect(frames[0]);
    e2e::ControlInfo lower = e2e::Inspect(frames[1]);
    CHECK_EQ(upper.className, std::string("Button"));
    CHECK_EQ(upper.style & BS_TYPEMASK, BS_GROUPBOX);
    CHECK_EQ(upper.text, std::string());
    CHECK(upper.left == 0 && upper.top == 0 && upper.width == 448 && upper.height == 48);
    CHECK_EQ(lower.style & BS_TYPEMASK, BS_GROUPBOX);
    CHECK_EQ(lower.text, std::string("添加字体"));
    CHECK(lower.left == 0 && lower.top == 56 && lower.width == 448 && lower.height == 168);
    CHECK(RedCaptionPixels(frames[1]) > 20);

    std::vector<HWND> radios = e2e::Children(frames[0]);
    REQUIRE(radios.size() == 3);
    const char* captions[] = {"添加", "删除", "替换"};
    const int lefts[] = {13, 105, 197};
    for (std::size_t i = 0; i < 3; ++i) {
        e2e::ControlInfo radio = e2e::Inspect(radios[i]);
        CHECK_EQ(radio.style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
        CHECK_EQ(radio.text, std::string(captions[i]));
        CHECK(radio.left == lefts[i] && radio.top == 18 && radio.width == 56 && radio.height == 16);
        CHECK_EQ(Checked(radios[i]), i == 0);
    }
    CHECK((e2e::Inspect(radios[0]).style & WS_GROUP) != 0);

    std::vector<HWND> containers = e2e::Children(frames[1]);
    REQUIRE(containers.size() == 1);
    HWND container = containers[0];
    e2e::ControlInfo tab = e2e::Inspect(container);
    CHECK(tab.left == 2 && tab.top == 15 && tab.width == 444 && tab.height == 145);
    CheckPages(container, 0);
    HWND addPath = e2e::ChildAt(container, "Edit", 12, 34);
    REQUIRE(addPath != nullptr);
    CHECK((e2e::Inspect(addPath).style & ES_READONLY) != 0);
    e2e::SaveScreenshot(task, "task_window_add.bmp");

    e2e::Click(radios[2]);
    CHECK(e2e::WaitUntil([&] { return e2e::OuterSize(task).cy == 260; }));
    CHECK(Checked(radios[2]) && !Checked(radios[0]));
    CHECK_EQ(e2e::Inspect(frames[1]).text, std::string("替换字体"));
    CHECK_EQ(e2e::Inspect(frames[1]).height, 168);
    CHECK_EQ(e2e::Inspect(container).height, 145);
    CheckPages(container, 2);
    CHECK(RedCaptionPixels(frames[1]) > 20);
    e2e::SaveScreenshot(task, "task_window_replace.bmp");

    e2e::Click(radios[1]);
    CHECK(e2e::WaitUntil([&] { return e2e::OuterSize(task).cy == 220; }));
    CHECK_EQ(e2e::Inspect(frames[1]).text, std::string("删除字体"));
    CHECK_EQ(e2e::Inspect(frames[1]).height, 130);
    CHECK_EQ(e2e::Inspect(container).height, 110);
    CheckPages(container, 1);
    e2e::SaveScreenshot(task, "task_window_delete.bmp");

    // The main window stays disabled through every page change.
    CHECK(!IsWindowEnabled(windows.main));

    e2e::PressEscape(task);
    CHECK(e2e::WaitUntil([&] { return !IsWindow(task); }));
    CHECK(e2e::WaitUntil([&] { return IsWindowEnabled(windows.main) != FALSE; }));
    CHECK(program.Running());
}

TEST_CASE("task_window.add_task_through_the_file_dialog_then_remove_it") {
    std::string fontPath = check::Scratch() + "\\新字体.ttf";
    HANDLE file = CreateFileA(fontPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "\x00\x01\x00\x00", 4, &written, nullptr);
    CloseHandle(file);

    e2e::Program program;
    Opened windows = OpenTaskWindow(program);
    REQUIRE(windows.task != nullptr);
    HWND container = e2e::Children(e2e::Children(windows.task)[1])[0];
    HWND browse = e2e::ChildAt(container, "Button", 386, 33);
    HWND path = e2e::ChildAt(container, "Edit", 12, 34);
    HWND ok = e2e::ChildAt(container, "Button", 222, 73);
    REQUIRE(browse != nullptr && path != nullptr && ok != nullptr);

    // A cancelled dialog leaves the path box as it was.
    e2e::Click(browse);
    REQUIRE(e2e::CancelFileDialog(program.Pid()));
    CHECK_EQ(e2e::Inspect(path).text, std::string());

    // The dialog shows the browse button's title and the form's one filter entry.
    e2e::Click(browse);
    HWND dialog = e2e::WaitForWindow(program.Pid(), "#32770");
    REQUIRE(dialog != nullptr);
    CHECK_EQ(e2e::WindowCaption(dialog), std::string("选择添加的字体文件"));
    std::vector<std::string> types = e2e::FileDialogTypes(dialog);
    REQUIRE(types.size() == 1);
    CHECK_EQ(types[0], std::string("字体文件(*.otf;*.ttf;*.otc;*.ttc)"));
    e2e::SaveScreenshot(dialog, "file_dialog.bmp");
    REQUIRE(e2e::AnswerFileDialog(program.Pid(), fontPath));
    CHECK(e2e::WaitUntil([&] { return e2e::Inspect(path).text == fontPath; }));

    HWND list = e2e::ChildAt(windows.main, "SysListView32", 9, 85);
    REQUIRE(list != nullptr);
    e2e::Click(ok);
    REQUIRE(e2e::WaitUntil([&] { return e2e::ListRowCount(list) == 1; }));
    CHECK_EQ(e2e::ListCell(list, 0, 0), std::string("新字体.ttf"));
    CHECK_EQ(e2e::ListCell(list, 0, 1), std::string("添加字体"));
    CHECK_EQ(e2e::ListCell(list, 0, 2), std::string());
    CHECK_EQ(e2e::ListCell(list, 0, 3), std::string());
    CHECK(e2e::WaitUntil([&] { return e2e::Inspect(path).text.empty(); }));

    HWND cancel = e2e::ChildAt(container, "Button", 334, 73);
    REQUIRE(cancel != nullptr);
    e2e::Click(cancel);
    CHECK(e2e::WaitUntil([&] { return !IsWindow(windows.task); }));
    REQUIRE(e2e::WaitUntil([&] { return IsWindowEnabled(windows.main) != FALSE; }));

    // A click on the row selects it and enables the delete button, which removes it.
    HWND remove = e2e::ChildAt(windows.main, "Button", 144, 392);
    REQUIRE(remove != nullptr);
    e2e::ClickListRow(list, 0);
    CHECK(e2e::WaitUntil([&] { return e2e::ListSelectedRow(list) == 0; }));
    CHECK(e2e::WaitUntil([&] { return e2e::Inspect(remove).enabled; }));
    e2e::SaveScreenshot(windows.main, "main_window_one_task.bmp");
    e2e::Click(remove);
    CHECK(e2e::WaitUntil([&] { return e2e::ListRowCount(list) == 0; }));
    CHECK(e2e::WaitUntil([&] { return !e2e::Inspect(remove).enabled; }));
}

// On a display scaled to 150 %: the frames, radio buttons and page controls at 1.5 times
// the form's places and sizes, also the heights the page buttons set.
TEST_CASE("task_window.add_and_replace_pages_at_150_percent") {
    e2e::DisplayScaling scaling(144);
    e2e::Program program;
    Opened windows = OpenTaskWindow(program);
    REQUIRE(windows.task != nullptr);
    HWND task = windows.task;
    CHECK(e2e::AtDpi(e2e::OuterSize(task).cx, 457, 144));
    CHECK(e2e::AtDpi(e2e::OuterSize(task).cy, 220, 144));
    std::vector<HWND> frames = e2e::Children(task);
    REQUIRE(frames.size() == 2);
    e2e::ControlInfo lower = e2e::Inspect(frames[1]);
    CHECK(e2e::AtDpi(lower.top, 56, 144) && e2e::AtDpi(lower.width, 448, 144));
    std::vector<HWND> radios = e2e::Children(frames[0]);
    REQUIRE(radios.size() == 3);
    e2e::ControlInfo replaceRadio = e2e::Inspect(radios[2]);
    CHECK(e2e::AtDpi(replaceRadio.left, 197, 144) && e2e::AtDpi(replaceRadio.top, 18, 144));
    CHECK(e2e::AtDpi(replaceRadio.width, 56, 144) && e2e::AtDpi(replaceRadio.height, 16, 144));
    HWND container = e2e::Children(frames[1])[0];
    CheckPages(container, 0, 144);
    e2e::SaveScreenshot(task, "task_window_add_144dpi.bmp");

    e2e::Click(radios[2]);
    CHECK(e2e::WaitUntil([&] { return e2e::AtDpi(e2e::OuterSize(task).cy, 260, 144); }));
    CHECK(e2e::AtDpi(e2e::Inspect(frames[1]).height, 168, 144));
    CHECK(e2e::AtDpi(e2e::Inspect(container).height, 145, 144));
    CheckPages(container, 2, 144);
    e2e::SaveScreenshot(task, "task_window_replace_144dpi.bmp");
}
