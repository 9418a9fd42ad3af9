// Building blocks of the end-to-end scenarios: the prefix's fonts folder stocked with
// generated fonts (and emptied again however a case ends), a file held open as the font
// manager holds a loaded font, and the user's steps through the main window and the task
// window (open it, switch pages, browse, pick an installed font, queue, close, run).
// Every step waits by polling and reports whether it got where it meant to.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/driver/driver.h"

namespace scenario {

// The prefix's fonts folder, which the program reads as "C:\WINDOWS\Fonts\".
constexpr const char* kFontsFolder = "C:\\windows\\Fonts\\";

// Files of a case in the fonts folder. Everything put there or tracked is unregistered
// and deleted when the case ends, also when it ends early.
class FontsFolder {
  public:
    FontsFolder() = default;
    FontsFolder(const FontsFolder&) = delete;
    FontsFolder& operator=(const FontsFolder&) = delete;
    ~FontsFolder();

    // Writes a generated font with that family name; its bytes, empty on failure.
    std::vector<unsigned char> Put(const std::string& fileName, const std::u16string& family);
    // A file that the program is expected to put there (an added font).
    void Track(const std::string& fileName);
    static std::string Path(const std::string& fileName);

  private:
    std::vector<std::string> names_;
};

// Writes a generated font anywhere; its bytes, empty on failure.
std::vector<unsigned char> WriteFont(const std::string& path, const std::u16string& family);
bool FileExists(const std::string& path);
// The whole content of a file; false when it cannot be read.
bool ReadFile(const std::string& path, std::vector<unsigned char>* bytes);
// True when the file exists and holds exactly these bytes.
bool HoldsBytes(const std::string& path, const std::vector<unsigned char>& bytes);
bool MakeFolder(const std::string& path);
// The names of the files directly in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

// A file opened for reading that others may read but neither write nor delete, the way
// the font manager holds a font file it has loaded. Closed when it goes.
class HeldFile {
  public:
    explicit HeldFile(const std::string& path);
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile();
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A virus scanner as Windows runs one: it watches folders and opens every file written
// there as soon as it can, sharing reading and writing but not deletion, and holds it a
// while, so that a rename or a delete of the new file is refused meanwhile. It stops and
// lets go of everything when it goes.
class Scanner {
  public:
    Scanner(const std::vector<std::string>& folders, DWORD holdMs);
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;
    ~Scanner();
    bool Watching() const { return thread_ != nullptr; }
    // How many times it has held a file so far.
    long FilesHeld() const { return held_; }

  private:
    static DWORD WINAPI Run(void* self);
    std::vector<std::wstring> folders_;
    DWORD holdMs_;
    HANDLE stop_ = nullptr;
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    volatile long held_ = 0;
};

// A top-level window of a thread of the driver that stops reading its messages once it
// shows, as the window of a program that hangs does. Its thread reads them again and
// ends when this goes.
class HungWindow {
  public:
    HungWindow();
    HungWindow(const HungWindow&) = delete;
    HungWindow& operator=(const HungWindow&) = delete;
    ~HungWindow();
    // True once the window is on screen and its thread has stopped reading messages.
    bool Hung() const { return hung_; }

  private:
    static DWORD WINAPI Run(void* self);
    HANDLE resume_ = nullptr;
    HANDLE stopped_ = nullptr;
    HANDLE thread_ = nullptr;
    bool hung_ = false;
};

// The main window and its controls.
struct MainWindow {
    DWORD pid = 0;
    HWND window = nullptr;
    HWND list = nullptr;
    HWND add = nullptr;      // 按钮_添加
    HWND remove = nullptr;   // 按钮_删除
    HWND restore = nullptr;  // 按钮_还原
    HWND run = nullptr;      // 按钮_执行任务
};

// Starts the program (FONTTASKS_EXE, or the .exe at exePath) in a working folder and waits
// for its main window.
bool Start(e2e::Program& program, const std::string& workingFolder, MainWindow* main,
           const std::string& exePath = std::string());
// Closes the main window with its close box; true when the program ended with exit code 0.
bool CloseAndExit(e2e::Program& program, const MainWindow& main);

// The task window and the controls of its pages.
struct TaskWindow {
    HWND window = nullptr;
    HWND lowerFrame = nullptr;  // 分组框2
    HWND radios[3] = {};        // 单选框1..3: add, delete, replace page
    HWND pages = nullptr;       // 选择夹1
};

// Clicks 按钮_添加 and waits for the task window.
bool OpenTaskWindow(const MainWindow& main, TaskWindow* task);
enum Page { kAddPage = 0, kDeletePage = 1, kReplacePage = 2 };
// Clicks the page's radio button and waits for the page's window height.
bool ShowPage(const TaskWindow& task, Page page);
// A control of the page that shows, found by class and place in the page container.
HWND PageControl(const TaskWindow& task, const char* className, int left, int top);
// Clicks the shown page's browse button, answers the system file dialog with the path
// and waits for the page's path box to show it.
bool Browse(const MainWindow& main, const TaskWindow& task, const std::string& path);
// Picks an installed font in the shown page's font chooser as a user does: drops the
// list down and clicks the item of that file name.
bool ChooseFont(const MainWindow& main, const TaskWindow& task, const std::string& fileName);
// Whether a font chooser's item is the catalogue entry of that file: the file name, the
// spaces it is padded with, then the face name in brackets.
bool ItemNamesFile(const std::string& item, const std::string& fileName);

// The whole road of a task through the task window, ending with the row in the list.
bool QueueAdd(const MainWindow& main, const TaskWindow& task, const std::string& path);
bool QueueDelete(const MainWindow& main, const TaskWindow& task, const std::string& fileName);
bool QueueReplace(const MainWindow& main, const TaskWindow& task, const std::string& fileName,
                  const std::string& replacementPath);
// Esc; waits for the task window to go and the main window to take input again.
bool CloseTaskWindow(const MainWindow& main, const TaskWindow& task);

// Clicks 按钮_执行任务 and waits until the last row has a result (that result, when one
// is given) and the button is enabled again, which is when the run is over.
bool RunTasks(const MainWindow& main, const std::string& lastResult = std::string());
// The four cells of a row joined by "|", trailing spaces and all: "font|task|with|result".
std::string RowText(const MainWindow& main, int row);

}  // namespace scenario
