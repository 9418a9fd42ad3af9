// The control vocabulary: the only way the program's logic reaches its windows.
// A window is described by a Form (a table of ControlSpec rows); the logic reads and
// writes named properties of named controls, handles a few events and calls a few
// commands. Two implementations exist: real Win32 controls (platform/win32) and a
// headless in-memory model for native tests (platform/standin).
// All texts are byte strings in code page 936; lengths count bytes.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace ui {

enum class Kind {
    Window,
    Button,
    ListView,
    PicBox,
    TransLabel,
    Label,
    EditBox,
    ComboBox,
    RadioBox,
    GroupBox,
    Tab,
    CommonDlg,
};

// An event handler takes no arguments; it reads what it needs through properties.
using Handler = void (*)();
// The handler of files dragged from Explorer and let go over a window: the full paths of
// the files and folders dropped, in the order the drop lists them, as code page 936 text
// (a path that 936 cannot hold is left out). A disabled window takes no drop.
using DropHandler = void (*)(const std::vector<std::string>& paths);

struct Rgb {
    unsigned char r, g, b;
};

// A font of the form's own; height 0 means the system's default GUI font.
struct FontSpec {
    int height = 0;  // character height in pixels
    int weight = 400;
    int charset = 1;  // DEFAULT_CHARSET; 134 is GB2312
};

enum class Align { Left = 0, Centre = 1, Right = 2 };

struct ColumnSpec {
    const char* caption;
    int width;
    Align align;
};

// Settings of the file-open dialog component (CommonDlg).
struct FileDialogSpec {
    const char* title;          // default DialogTitle
    const char* filter;         // "label|patterns", "||" terminator added when missing
    int filterIndex;            // 0 (or below): the first entry
    const char* initialFolder;  // ".\" in the task window
    bool fileMustExist;
    bool pathMustExist;
    bool hideReadOnly;
    bool overwritePrompt;
    bool keepWorkingFolder;  // the dialog option meant to keep the working folder (Open
                             // keeps it either way)
};

// The banner picture: drawn at load time, a horizontal gradient with a title and emblem.
struct BannerSpec {
    Rgb from, to;
    const char* title;  // drawn in white on the left
};

// One row of a form table. Positions are relative to the parent's client area.
struct ControlSpec {
    Kind kind = Kind::Button;
    const char* name = nullptr;
    const char* parent = nullptr;  // nullptr: the window itself
    int page = -1;                 // page of a Tab parent; -1 otherwise
    int left = 0, top = 0, width = 0, height = 0;
    const char* caption = "";  // caption, label or initial text
    bool visible = true;
    bool disabled = false;
    bool checked = false;       // RadioBox: initially on
    Handler onClick = nullptr;  // Button, RadioBox, ListView click
    // Kind-specific settings (unused by other kinds).
    FontSpec font = {};
    Rgb textColor = {0, 0, 0};
    bool hasTextColor = false;
    const ColumnSpec* columns = nullptr;  // ListView
    std::size_t columnCount = 0;
    const BannerSpec* banner = nullptr;      // PicBox
    const FileDialogSpec* dialog = nullptr;  // CommonDlg
    const char* const* pageNames = nullptr;  // Tab
    std::size_t pageCount = 0;
    bool readOnly = false;             // EditBox
    int dropHeight = 0;                // ComboBox: total height including the list part
    Align captionAlign = Align::Left;  // GroupBox: where the caption sits on the top line
};

// Whether two rows stand in the same parent: both in the window itself, or both in the
// control of the same name. Radio buttons with the same parent form one group.
inline bool SameParent(const ControlSpec& a, const ControlSpec& b) {
    if (a.parent == nullptr || b.parent == nullptr) return a.parent == b.parent;
    return std::strcmp(a.parent, b.parent) == 0;
}

enum class BorderStyle { None = 0, Resizable = 1, FixedSingle = 2 };

struct Form {
    const char* className = nullptr;  // WindowClassName, also the form's name
    const char* title = "";
    int width = 0, height = 0;  // outer size
    bool centred = true;        // StartPosition 1
    BorderStyle border = BorderStyle::FixedSingle;
    bool controlBox = true, minimizeButton = false, maximizeButton = false;
    bool showInTaskbar = true, alwaysOnTop = false, escapeCloses = false;
    Handler onCreated = nullptr;
    Handler onDestroyed = nullptr;
    DropHandler onFilesDropped = nullptr;   // none: the window takes no dropped files
    const ControlSpec* controls = nullptr;  // in creation order
    std::size_t controlCount = 0;
    // The controls the Tab key visits, in its order; none given: the creation order.
    const char* const* tabOrder = nullptr;
    std::size_t tabOrderCount = 0;
};

// A loaded window is addressed by its name, the className of the form it was loaded
// from, and a control by its window's name and its own: the logic can reach a window that
// another window's handler loaded without knowing the table it came from.
struct Ctl {
    const char* window;
    const char* name;
};

// Commands.
// Creates the window from its form, fires created, shows it. Modal: every other
// top-level window of the program is disabled and the call returns only when the new
// window has been destroyed; each disabled window then gets its earlier state back.
// If a window of that form already exists it is only brought to the front.
bool LoadWindow(const Form& form, bool modal);
// The window is destroyed after the running handler has returned.
void CloseWindow(const char* window);
bool IsLoaded(const char* window);

// Window properties.
void SetTitle(const char* window, const std::string& text);
void SetWindowHeight(const char* window, int height);
// While a window has a busy reason, a log-off or shut-down waits for the program: the
// window answers no when the system asks whether the session may end, and the system
// shows the reason beside the program's name. An empty reason lets the session end again.
void SetBusyReason(const char* window, const std::string& reason);

// Common properties.
void SetVisible(Ctl c, bool visible);
void SetDisabled(Ctl c, bool disabled);
void SetHeight(Ctl c, int height);  // GroupBox, Tab: width unchanged; clamped as below

// A size written to a window or a control is taken into 0..kLargestSize: a value above it
// as kLargestSize, a negative one as 0.
constexpr int kLargestSize = 32627;
constexpr int ClampedSize(int value) {
    return value < 0 ? 0 : (value > kLargestSize ? kLargestSize : value);
}

void SetCaption(Ctl c, const std::string& text);  // TransLabel, GroupBox
bool Checked(Ctl c);                              // RadioBox
void SetCurrentPage(Ctl c, int page);             // Tab
std::string Text(Ctl c);                          // EditBox
// EditBox: the box's text is its window text, written as a caption is.
inline void SetText(Ctl c, const std::string& text) {
    SetCaption(c, text);
}

// ComboBox.
int CurrentIndex(Ctl c);
void SetCurrentIndex(Ctl c, int index);  // past the end: the last item; negative: none
int AddItem(Ctl c, const std::string& text, int data);
int ItemData(Ctl c, int index);  // -1 when index is outside the items

// CommonDlg.
void SetDialogTitle(Ctl c, const std::string& title);
std::string FileName(Ctl c);
// The modal file-open dialog; false on cancel, FileName unchanged. Whatever its outcome,
// the process's working folder is where it was: the open dialog moves it to the chosen
// file's folder even with the option meant to prevent that, and the program's backup
// folder is relative to it.
bool Open(Ctl c);

// ListView.
int SelectedIndex(Ctl c);
int RowCount(Ctl c);
int AppendRow(Ctl c);                              // -1 on failure
std::string CellText(Ctl c, int row, int column);  // the whole text, whatever its length
void SetCellText(Ctl c, int row, int column, const std::string& text);
void DeleteRow(Ctl c, int row);
// Progress of a long operation that lets no event run: the row is scrolled into view and
// the list repainted at once, with no other event running, and the system sees that the
// program is alive (it never marks it as not responding). Input made meanwhile stays
// queued. A repaint of the list costs milliseconds, so this is done at most every
// kProgressIntervalMs, and always for the last call of the operation.
void ShowProgressAt(Ctl c, int row, bool last);
constexpr int kProgressIntervalMs = 200;

}  // namespace ui
