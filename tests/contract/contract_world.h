// What the shared cases need from the world they run in, implemented once on the
// stand-ins (tests/unit/contract_world_standin.cpp) and once on real files and windows
// under Wine (tests/wine/contract_world_win32.cpp). Paths are Windows paths in code page
// 936; sizes are in the forms' 96-DPI pixels.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/vocabulary.h"

namespace contract {

// Made around every case: the case starts with an empty case folder and no window
// loaded; when it ends, the files it held are let go and the windows it left are gone.
class CaseScope {
  public:
    CaseScope();
    ~CaseScope();
    CaseScope(const CaseScope&) = delete;
    CaseScope& operator=(const CaseScope&) = delete;
};

// Files, made and read straight on the world's file system, not through the code under
// test.
std::string CaseFolder();  // absolute, without a trailing backslash
bool Write(const std::string& path, const std::string& bytes);
std::string Read(const std::string& path);  // "<missing>" when it cannot be read
bool Exists(const std::string& path);
bool MakeFolder(const std::string& path);
// Writes a "*.ttf" file into the folder under a name that code page 936 cannot hold (a
// Korean name on Windows), which no path of the cases can name.
bool WriteUnnamable(const std::string& folder);
// Another program opens the file for reading and keeps it open until LetGoOfFiles or the
// end of the case; allowReaders: it lets others read the file meanwhile.
bool HoldOpen(const std::string& path, bool allowReaders);
void LetGoOfFiles();

// What a user does. A click reaches only a control that is shown, in an enabled window,
// with neither it nor a parent disabled; the result says whether it did.
bool Click(const ui::Form& form, const char* name);  // Button, RadioBox
// A click on a list's row; a row outside the rows clicks the empty space below them.
bool ClickRow(const ui::Form& form, const char* list, int row);
// Moves the list's selection to the row with the keyboard.
void SelectRowWithKeyboard(const ui::Form& form, const char* list, int row);
void PressEscape(const ui::Form& form);
void PressCloseBox(const ui::Form& form);
// Lets the window events that are waiting run.
void LetEventsRun();

// Steps the user takes inside modal windows. Each modal LoadWindow's loop runs the next
// steps while its window is there; when none is left, the user closes the window with
// its close box. A step's own event processing runs no further step.
using Step = std::function<void()>;
void InModalLoops(std::vector<Step> steps);
std::size_t StepsLeft();
// The user's answer to the next file-open dialog: the path typed into its file-name box
// and confirmed; an empty path cancels it.
void AnswerNextFileDialog(const std::string& path);

// What a user sees of a control and of a window.
struct Seen {
    bool exists = false;
    bool shown = false;  // on screen: visible, its parents and its page shown
    bool enabled = false;
    bool checked = false;
    std::string text;  // caption or text
    int width = 0, height = 0;
};
Seen See(const ui::Form& form, const char* name);
struct SeenWindow {
    bool exists = false;
    bool enabled = false;
    bool front = false;  // the window in front, the one the user works in
    std::string title;
    int width = 0, height = 0;  // outer size
};
SeenWindow SeeWindow(const ui::Form& form);

}  // namespace contract
