// Inside the headless control model: the loaded windows with their controls, shared by
// the vocabulary's commands (headless_controls.cpp), the window and event machinery
// (headless_windows.cpp) and the process services (process_headless.cpp).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/vocabulary.h"

namespace headless::model {

struct Control {
    const ui::ControlSpec* def = nullptr;
    bool visible = false;
    bool disabled = false;
    bool checked = false;
    std::string text;  // caption, label or edit-box text
    int left = 0, top = 0, width = 0, height = 0;
    // ComboBox: items with their data, and the chosen one.
    std::vector<std::pair<std::string, int>> items;
    int current = -1;
    // ListView: rows of cells, the selected row, and what progress showed.
    std::vector<std::vector<std::string>> rows;
    int selected = -1;
    std::vector<int> rowsScrolledTo;
    int repaints = 0;
    // Tab.
    int page = 0;
    // CommonDlg.
    std::string dialogTitle;
    std::string fileName;
};

struct Window {
    const ui::Form* form = nullptr;
    std::vector<Control> controls;
    std::string title;
    std::string busyReason;  // empty: a log-off or shut-down may end the program
    int width = 0, height = 0;
    bool enabled = true;
    bool shown = false;
    bool destroying = false;  // the destroyed event is running or has run
};

// The window of that name (its form's className), also while its destroyed event runs;
// null when none.
Window* Find(const char* name);
// The window of that name that is loaded and not being destroyed; null otherwise.
Window* Alive(const char* name);
Control* FindControl(Window* window, const char* name);
// The control named by c, in a window that is loaded; null otherwise. A loaded window
// without that control is reported (headless::SetMissingControlReporter).
Control* Lookup(ui::Ctl c);

// On screen: its own Visible, its window shown, every parent shown, and for a page of a
// Tab, that page current.
bool Shown(Window* window, const Control* control);
// Takes user input: shown, and neither it nor a parent disabled.
bool Reachable(Window* window, const Control* control);

// Runs an event handler. When it returns to the innermost event loop, the windows it
// asked to close are destroyed.
void Dispatch(const std::function<void()>& handler);
// Delivers the clicks that arrived while a handler was running, in order.
void DeliverQueuedClicks();

// Forget the file-dialog answers and records (headless_controls.cpp) and the program
// end with its clean-ups (process_headless.cpp).
void ResetDialogs();
void ResetProcess();

// The system keeps a window's outer height within its tracking size: no taller than the
// screen with the frame, no lower than the caption. These are the limits on the tests'
// 1280 x 1024 display at 96 DPI.
constexpr int kMinWindowHeight = 27;
constexpr int kMaxWindowHeight = 1036;
inline int ClampWindowHeight(int value) {
    return value < kMinWindowHeight ? kMinWindowHeight
                                    : (value > kMaxWindowHeight ? kMaxWindowHeight : value);
}

}  // namespace headless::model
