// The end-to-end driver: works the real program from another process as a user would.
// It starts the .exe named by FONTTASKS_EXE, finds its windows and controls, reads what
// they show (also the list view's cells, across the process boundary), clicks with real
// mouse input, presses keys, answers the file dialog and saves screenshots into the
// folder named by FONTTASKS_SHOTS. Texts are byte strings in code page 936, as in the
// program; every wait polls with a timeout of a few seconds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

constexpr int kWaitMs = 10000;

// A started program; ending the test ends the program if it is still running.
class Program {
  public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    // Starts the .exe at exePath (FONTTASKS_EXE when it is empty) with the given working
    // folder.
    bool Start(const std::string& workingFolder, const std::string& exePath = std::string());
    DWORD Pid() const { return info_.dwProcessId; }
    // Waits for the process to end; false on timeout.
    bool WaitForExit(int timeoutMs, DWORD* exitCode);
    bool Running() const;
    // Ends the process at once, as the task manager ends it; true once it has ended.
    bool Kill();

  private:
    PROCESS_INFORMATION info_ = {};
};

// While it lives, programs started from then on run at this DPI, as on a display scaled
// to dpi / 96 (the user's LogPixels setting, which Wine reads when a program starts).
class DisplayScaling {
  public:
    explicit DisplayScaling(DWORD dpi);
    DisplayScaling(const DisplayScaling&) = delete;
    DisplayScaling& operator=(const DisplayScaling&) = delete;
    ~DisplayScaling();

  private:
    bool hadValue_ = false;
    DWORD earlier_ = 0;
};

// A form's 96-DPI pixels at a DPI: true when got is within 2 pixels of value * dpi / 96
// (exactly value at 96 DPI).
bool AtDpi(int got, int value, int dpi);

// The value of an environment variable of the driver; "" when it is not set.
std::string Environment(const char* name);

// Polls `done` every few milliseconds until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = kWaitMs);

// A visible top-level window of the process with that class name, waited for.
HWND WaitForWindow(DWORD pid, const char* className, int timeoutMs = kWaitMs);
// The same without waiting; nullptr when there is none.
HWND FindTopLevel(DWORD pid, const char* className);

struct ControlInfo {
    std::string className;  // "Button", "Static", "Edit", "ComboBox", "SysListView32", ...
    int left = 0, top = 0, width = 0, height = 0;  // relative to the parent's client area
    std::string text;
    bool enabled = false;
    bool visible = false;  // IsWindowVisible: its own flag and all its parents'
    LONG_PTR style = 0, exStyle = 0;
};
ControlInfo Inspect(HWND control);
// Outer frame size of a top-level window.
SIZE OuterSize(HWND window);
std::string WindowCaption(HWND window);

// Direct children in z-order, topmost first (which is creation order for the program).
std::vector<HWND> Children(HWND parent);
// A direct child by class and position relative to the parent's client area.
HWND ChildAt(HWND parent, const char* className, int left, int top);
// Any descendant by class and text.
HWND FindByText(HWND parent, const char* className, const std::string& text);

// User input. Clicks go through real mouse input at the control's centre after the
// window was brought to the front; if the pointer does not get there, the clicks are
// posted to the control instead.
void Click(HWND control);
void ClickAt(HWND control, int x, int y);  // x, y in the control's client area
// A click at the control's centre with real mouse input only, nothing brought forward and
// no posted messages (which would reach even a disabled control); false when the pointer
// did not get there.
bool ClickWithRealInput(HWND control);
void ClickListRow(HWND list, int row);
void ClickListEmptySpace(HWND list);
void PressEscape(HWND window);
// A key pressed and released with real keyboard input, after the window was brought to
// the front.
void PressKey(HWND window, WORD key);
// The control of the window's thread that has the keyboard focus; null when none has.
HWND FocusedControl(HWND window);
// The close box of the caption bar (the system command it sends).
void CloseWithCloseBox(HWND window);

// The list view, read across the process boundary.
struct ListColumn {
    std::string caption;
    int width = 0;
    int format = 0;  // LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT
};
std::vector<ListColumn> ListColumns(HWND list);
int ListRowCount(HWND list);
std::string ListCell(HWND list, int row, int column);
int ListSelectedRow(HWND list);
// The first row in view, and how many rows the list shows at once.
int ListTopRow(HWND list);
int ListRowsPerPage(HWND list);

// Combo box items, read with the string messages the system carries across processes.
std::vector<std::string> ComboItems(HWND combo);

// Answers the system file-open dialog of the process: puts the path into its file-name
// box and confirms. False when no dialog showed up in time.
bool AnswerFileDialog(DWORD pid, const std::string& path, int timeoutMs = kWaitMs);
HWND FindFileDialog(DWORD pid);
// Cancels the file-open dialog of the process. False when no dialog showed up in time.
bool CancelFileDialog(DWORD pid, int timeoutMs = kWaitMs);
// Files and folders let go over the window as Explorer drops them: a drop block with
// wide names, WM_DROPFILES. The block is written into the program's own memory, where the
// drop handle that DragQueryFileW reads is its address, as a fixed memory block's is.
bool DropFiles(HWND window, const std::vector<std::wstring>& paths);
// The entries of the dialog's file-type list.
std::vector<std::string> FileDialogTypes(HWND dialog);

// Saves a .bmp of the window's screen area into FONTTASKS_SHOTS; returns the path.
std::string SaveScreenshot(HWND window, const std::string& fileName);

// How many pixels of an area of the control's client area are on screen in about that
// colour (each channel within `tolerance`).
int CountPixels(HWND control, const RECT& area, COLORREF colour, int tolerance);

// The Windows path of a file in FONTTASKS_SHOTS ("" when it is not set).
std::string ShotPath(const std::string& fileName);

}  // namespace e2e
