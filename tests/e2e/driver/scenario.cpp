// The scenario steps: the fonts folder of the prefix, files on disk, and the user's way
// through the program's two windows. Files are handled through the W calls, so that a
// path names the same file whatever the system's ANSI code page.
#include "e2e/driver/scenario.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "e2e/driver/internal.h"
#include "support/ttf_writer.h"

namespace scenario {
namespace {

using e2e::MouseInput;
using e2e::Send;
using e2e::Wide;

int CurrentItem(HWND combo) {
    return static_cast<int>(Send(combo, CB_GETCURSEL, 0, 0));
}

// The shown page's control of that class, wherever it sits on the page.
HWND ShownControl(const TaskWindow& task, const char* className) {
    for (HWND child : e2e::Children(task.pages)) {
        if (e2e::ClassIs(child, className) && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

// The shown page's OK button: the left one of the two in its bottom line.
HWND ShownOkButton(const TaskWindow& task) {
    for (HWND child : e2e::Children(task.pages)) {
        e2e::ControlInfo info = e2e::Inspect(child);
        if (info.visible && info.className == "Button" && info.left == 222) return child;
    }
    return nullptr;
}

// Says which step of a scenario did not get where it meant to, for the test's log.
bool Step(bool reached, const char* what) {
    if (!reached) std::printf("    step failed: %s\n", what);
    return reached;
}

// Clicks the shown page's OK button and waits for the queued row. Under Wine a real
// click right after the file dialog has closed is now and then lost (the button's handler
// never runs, the path stays in its box), so a click that queued nothing within a few
// seconds is made again; the program is idle then, so a late first click cannot follow.
bool ConfirmQueued(const MainWindow& main, const TaskWindow& task) {
    HWND ok = ShownOkButton(task);
    if (!Step(ok != nullptr, "find the page's OK button")) return false;
    int rows = e2e::ListRowCount(main.list);
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        e2e::Click(ok);
        if (e2e::WaitUntil([&] { return e2e::ListRowCount(main.list) == rows + 1; }, 3000))
            return true;
    }
    return Step(false, "see the queued row");
}

}  // namespace

FontsFolder::~FontsFolder() {
    for (const std::string& name : names_) {
        std::wstring path = Wide(Path(name));
        // Unregistering a file nobody registered is harmless.
        while (RemoveFontResourceW(path.c_str())) {
        }
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
}

std::vector<unsigned char> FontsFolder::Put(const std::string& fileName,
                                            const std::u16string& family) {
    Track(fileName);
    return WriteFont(Path(fileName), family);
}

void FontsFolder::Track(const std::string& fileName) {
    names_.push_back(fileName);
}

std::string FontsFolder::Path(const std::string& fileName) {
    return kFontsFolder + fileName;
}

std::vector<unsigned char> WriteFont(const std::string& path, const std::u16string& family) {
    std::vector<unsigned char> bytes = ttf::MakeFont(family);
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!ok) bytes.clear();
    return bytes;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFile(const std::string& path, std::vector<unsigned char>* bytes) {
    bytes->clear();
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, chunk, sizeof chunk, &got, nullptr) != FALSE) && got > 0)
        bytes->insert(bytes->end(), chunk, chunk + got);
    CloseHandle(file);
    return ok;
}

bool HoldsBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::vector<unsigned char> content;
    return ReadFile(path, &content) && content == bytes;
}

bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != FALSE;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    HANDLE search = FindFirstFileW(Wide(pattern + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(e2e::Bytes(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

HeldFile::HeldFile(const std::string& path) {
    handle_ = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
}

HeldFile::~HeldFile() {
    if (Held()) CloseHandle(handle_);
}

HungWindow::HungWindow() {
    resume_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    stopped_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    hung_ = thread_ != nullptr && WaitForSingleObject(stopped_, e2e::kWaitMs) == WAIT_OBJECT_0;
}

HungWindow::~HungWindow() {
    if (thread_ != nullptr) {
        SetEvent(resume_);
        WaitForSingleObject(thread_, e2e::kWaitMs);
        CloseHandle(thread_);
    }
    CloseHandle(stopped_);
    CloseHandle(resume_);
}

DWORD WINAPI HungWindow::Run(void* self) {
    auto* hung = static_cast<HungWindow*>(self);
    WNDCLASSW cls = {};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"FontTasksTestHungWindow";
    RegisterClassW(&cls);
    // In the bottom right corner, clear of the program's centred windows.
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"hung", WS_OVERLAPPED | WS_VISIBLE, 1150,
                                  920, 120, 80, nullptr, nullptr, cls.hInstance, nullptr);
    MSG msg;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 300; Sleep(10)) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    SetEvent(hung->stopped_);
    // From here on nothing reads this thread's messages until the test lets it go.
    WaitForSingleObject(hung->resume_, INFINITE);
    if (window != nullptr) DestroyWindow(window);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    return 0;
}

bool Start(e2e::Program& program, const std::string& workingFolder, MainWindow* main,
           const std::string& exePath) {
    *main = MainWindow();
    if (!program.Start(workingFolder, exePath)) return false;
    main->pid = program.Pid();
    // The program is slow to come up under Wine; the first start in a prefix slower still.
    main->window = e2e::WaitForWindow(main->pid, "QiroFont", 3 * e2e::kWaitMs);
    if (main->window == nullptr) return false;
    main->list = e2e::ChildAt(main->window, "SysListView32", 9, 85);
    main->add = e2e::ChildAt(main->window, "Button", 8, 392);
    main->remove = e2e::ChildAt(main->window, "Button", 144, 392);
    main->restore = e2e::ChildAt(main->window, "Button", 280, 392);
    main->run = e2e::ChildAt(main->window, "Button", 448, 392);
    return main->list && main->add && main->remove && main->restore && main->run;
}

bool CloseAndExit(e2e::Program& program, const MainWindow& main) {
    e2e::CloseWithCloseBox(main.window);
    DWORD exitCode = 12345;
    return program.WaitForExit(e2e::kWaitMs, &exitCode) && exitCode == 0;
}

bool OpenTaskWindow(const MainWindow& main, TaskWindow* task) {
    *task = TaskWindow();
    e2e::Click(main.add);
    task->window = e2e::WaitForWindow(main.pid, "QiruFont");
    if (task->window == nullptr) return false;
    std::vector<HWND> frames = e2e::Children(task->window);
    if (frames.size() != 2) return false;
    task->lowerFrame = frames[1];
    std::vector<HWND> radios = e2e::Children(frames[0]);
    std::vector<HWND> containers = e2e::Children(frames[1]);
    if (radios.size() != 3 || containers.size() != 1) return false;
    std::copy(radios.begin(), radios.end(), task->radios);
    task->pages = containers[0];
    return true;
}

bool ShowPage(const TaskWindow& task, Page page) {
    static const int kHeights[] = {220, 220, 260};
    e2e::Click(task.radios[page]);
    // Each page has its own pair of path box and font chooser showing.
    bool wantsPath = page != kDeletePage;
    bool wantsChooser = page != kAddPage;
    return e2e::WaitUntil([&] {
        return e2e::OuterSize(task.window).cy == kHeights[page] &&
               (ShownControl(task, "Edit") != nullptr) == wantsPath &&
               (ShownControl(task, "ComboBox") != nullptr) == wantsChooser;
    });
}

HWND PageControl(const TaskWindow& task, const char* className, int left, int top) {
    for (HWND child : e2e::Children(task.pages)) {
        e2e::ControlInfo info = e2e::Inspect(child);
        if (info.visible && e2e::ClassIs(child, className) && info.left == left && info.top == top)
            return child;
    }
    return nullptr;
}

bool Browse(const MainWindow& main, const TaskWindow& task, const std::string& path) {
    HWND browse = PageControl(task, "Button", 386, 33);
    HWND box = ShownControl(task, "Edit");
    if (browse == nullptr || box == nullptr) return false;
    e2e::Click(browse);
    if (!e2e::AnswerFileDialog(main.pid, path)) return false;
    return e2e::WaitUntil([&] { return e2e::Inspect(box).text == path; });
}

bool ItemNamesFile(const std::string& item, const std::string& fileName) {
    if (item.compare(0, fileName.size(), fileName) != 0) return false;
    std::size_t bracket = item.find_first_not_of(' ', fileName.size());
    return bracket != std::string::npos && item[bracket] == '[';
}

bool ChooseFont(const MainWindow& main, const TaskWindow& task, const std::string& fileName) {
    HWND combo = ShownControl(task, "ComboBox");
    if (combo == nullptr) return false;
    std::vector<std::string> items = e2e::ComboItems(combo);
    auto found = std::find_if(items.begin(), items.end(), [&](const std::string& item) {
        return ItemNamesFile(item, fileName);
    });
    if (found == items.end()) return false;
    int index = static_cast<int>(found - items.begin());

    // A click on a drop-down list box drops its list, a separate window of the program.
    e2e::Click(combo);
    HWND dropped = e2e::WaitForWindow(main.pid, "ComboLBox", 2000);
    bool clicked = false;
    if (dropped != nullptr) {
        int top = static_cast<int>(Send(dropped, LB_GETTOPINDEX, 0, 0));
        int height = static_cast<int>(Send(dropped, LB_GETITEMHEIGHT, 0, 0));
        RECT client;
        GetClientRect(dropped, &client);
        int y = (index - top) * height + height / 2;
        if (top >= 0 && height > 0 && y > 0 && y < client.bottom) {
            POINT at = {client.right / 2, y};
            ClientToScreen(dropped, &at);
            clicked = e2e::ClickOnScreen(at);
        }
    }
    if (!clicked) {
        // The keyboard way: the first item, down to the wanted one, Enter.
        if (dropped == nullptr) e2e::Click(combo);
        e2e::KeyInput(VK_HOME);
        for (int i = 0; i < index; ++i) e2e::KeyInput(VK_DOWN);
        e2e::KeyInput(VK_RETURN);
    }
    return e2e::WaitUntil([&] {
        return CurrentItem(combo) == index && e2e::FindTopLevel(main.pid, "ComboLBox") == nullptr;
    });
}

bool QueueAdd(const MainWindow& main, const TaskWindow& task, const std::string& path) {
    return Step(ShowPage(task, kAddPage), "show the add page") &&
           Step(Browse(main, task, path), "browse for the file to add") &&
           ConfirmQueued(main, task);
}

bool QueueDelete(const MainWindow& main, const TaskWindow& task, const std::string& fileName) {
    return Step(ShowPage(task, kDeletePage), "show the delete page") &&
           Step(ChooseFont(main, task, fileName), "choose the font to delete") &&
           ConfirmQueued(main, task);
}

bool QueueReplace(const MainWindow& main, const TaskWindow& task, const std::string& fileName,
                  const std::string& replacementPath) {
    return Step(ShowPage(task, kReplacePage), "show the replace page") &&
           Step(Browse(main, task, replacementPath), "browse for the replacement") &&
           Step(ChooseFont(main, task, fileName), "choose the font to replace") &&
           ConfirmQueued(main, task);
}

bool CloseTaskWindow(const MainWindow& main, const TaskWindow& task) {
    e2e::PressEscape(task.window);
    return e2e::WaitUntil([&] { return !IsWindow(task.window); }) &&
           e2e::WaitUntil([&] { return IsWindowEnabled(main.window) != FALSE; });
}

bool RunTasks(const MainWindow& main, const std::string& lastResult) {
    int rows = e2e::ListRowCount(main.list);
    if (rows <= 0) return false;
    e2e::Click(main.run);
    // The result of the last row is written before the catalogue is rebuilt, and the
    // button comes back only after the rebuild.
    return e2e::WaitUntil([&] {
               std::string result = e2e::ListCell(main.list, rows - 1, 3);
               return lastResult.empty() ? !result.empty() : result == lastResult;
           }) &&
           e2e::WaitUntil([&] { return e2e::Inspect(main.run).enabled; });
}

std::string RowText(const MainWindow& main, int row) {
    std::string text;
    for (int column = 0; column < 4; ++column) {
        if (column > 0) text += '|';
        text += e2e::ListCell(main.list, row, column);
    }
    return text;
}

}  // namespace scenario
