// Shared state of the Win32 control layer: the loaded windows with their controls, and
// the helpers the ui_*.cpp files use on them. Only platform/win32 includes this, and the
// Wine tests' world (tests/wine/contract_world_win32.cpp), to find a form's real windows.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/vocabulary.h"

namespace ui::win32 {

// Child control ids start above IDOK/IDCANCEL, so that the Esc key's IDCANCEL from
// IsDialogMessageW never looks like a control's notification.
constexpr int kFirstControlId = 100;
// Posted by CloseWindow: the window is destroyed once the running handler has returned.
constexpr UINT kCloseRequested = WM_APP + 1;
// The resource id of the program's icon in product.rc.
constexpr int kProgramIconId = 1;

struct Control {
    const ControlSpec* row = nullptr;
    HWND hwnd = nullptr;  // none for CommonDlg
    bool visible = true;  // its own Visible, whatever its page shows
    int height = 0;       // in the form's 96-DPI pixels, as last set
    int currentPage = 0;  // Tab
    // ListView: the cell texts as written, rows of columnCount cells. Only this layer
    // writes the list's cells, so it reads them back from here: under Wine every message
    // to the list costs a tenth of a millisecond, which a run pays for every cell it reads.
    std::vector<std::vector<std::string>> cells;
    std::string dialogTitle, fileName;  // CommonDlg
};

struct LoadedWindow {
    const Form* form = nullptr;
    HWND hwnd = nullptr;
    int dpi = platform::kFormDpi;
    int height = 0;                 // outer, in the form's 96-DPI pixels, as last set
    std::vector<Control> controls;  // in table order; id = kFirstControlId + position
    std::vector<std::pair<FontSpec, HFONT>> fonts;  // made for this window at its DPI
    std::vector<HGDIOBJ> gdiObjects;                // bitmaps made for this window
    // Windows that a modal load disabled, with their earlier enabled state.
    std::vector<std::pair<HWND, bool>> disabledOthers;
    // The control that gets the focus when the window is active again.
    HWND lastFocus = nullptr;
    bool busy = false;  // it has a busy reason: the session must not end
    bool destroyed = false;
};

// Texts: code page 936 inside, UTF-16 for the W functions.
std::wstring Widen(const std::string& text);
std::string Narrow(const wchar_t* text, int length);
std::string WindowText(HWND hwnd);

// The registry of loaded windows.
LoadedWindow* FindWindowNamed(const char* name);
LoadedWindow* FindWindowOf(HWND topLevel);
std::vector<LoadedWindow*> LoadedWindows();
// Controls by name; null when the form is not loaded. A loaded window without the named
// control means a misspelt name: debug builds assert.
Control* FindControl(Ctl c);
Control* FindControl(LoadedWindow& window, const char* name);
// The control, or null when it is missing or of another kind.
Control* FindControlOfKind(Ctl c, Kind kind);
Control* ControlOfHwnd(HWND hwnd);

// Creation of one control from its row (ui_create.cpp).
bool CreateControl(LoadedWindow& window, std::size_t index);
// The parts of a control's set-up that depend on the window's DPI (column widths, the
// banner), made again when the DPI changes.
void SetUpForDpi(LoadedWindow& window, Control& control);

// DPI (ui_dpi.cpp). The forms' pixels are 96-DPI pixels, scaled here and nowhere else.
int SystemDpi();
int DpiOfWindow(HWND hwnd);
// The DPI of the loaded window that a control belongs to.
int DpiOfControl(HWND control);
inline int Scaled(const LoadedWindow& window, int value) {
    return platform::ScaleToDpi(value, window.dpi);
}
// The window's font for a font the form gives, at the window's DPI (one per font given).
HFONT FontFor(LoadedWindow& window, const FontSpec& font);
// A control's place in its parent and its size, in the window's pixels: the form's
// place and width, and its current height, at the window's DPI.
struct Placement {
    int left, top, width, height;
};
Placement PlacementOf(const LoadedWindow& window, const Control& control);
// WM_DPICHANGED: the suggested frame, every control placed and its font made again.
void ApplyNewDpi(LoadedWindow& window, int dpi, const RECT& suggested);
// A system metric at a DPI (GetSystemMetricsForDpi), such as the icon sizes.
int MetricAtDpi(int index, int dpi);
// The .exe's icon (the ICON of product.rc) at a size in pixels; null when it has none.
HICON ProgramIcon(int size);
// Gives the window the program's icon, small and big, at the window's DPI.
void SetIconsForDpi(const LoadedWindow& window);

// Whether a control is shown: its own Visible, and its page current when on a Tab.
bool ShouldShow(LoadedWindow& window, const Control& control);
void ApplyVisibility(LoadedWindow& window, Control& control);

// Runs an event's handler; the windows it asks to close go once it has returned
// (ui_dispatch.cpp).
void RunHandler(const std::function<void()>& handler);
// The one dispatch point for control notifications (ui_dispatch.cpp).
LRESULT RouteCommand(HWND topLevel, WPARAM wParam, LPARAM lParam);
LRESULT RouteNotify(HWND topLevel, LPARAM lParam);
// Forwards WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* of a container's children to the
// top-level window (group frames and page containers are real parents).
void ForwardToTopLevel(HWND container);
// Dropped files (ui_drop.cpp): a window whose form takes them accepts them, also from the
// lower rights Explorer runs with; a drop on it runs the form's drop handler.
void AcceptDroppedFiles(const LoadedWindow& window);
void DeliverDroppedFiles(LoadedWindow& window, HDROP drop);
// CloseWindow: the window is destroyed once the click handler that asked has returned.
void RequestClose(HWND window);
// One message of a message loop, with the dialog keys (Tab, Esc) of its window.
void DispatchWithDialogKeys(MSG& msg);

// The keyboard focus (ui_focus.cpp).
// Notes the window's focused control, if it has one, for when it is active again.
void RememberFocus(LoadedWindow& window);
// Focuses the control noted last, or the next one that can take the focus after it, or
// the first one (a radio group by its checked button); false when none can.
bool RestoreFocus(LoadedWindow& window);
// After a handler: an active window of the program left with no focused control gets
// its control back.
void RestoreFocusOfActiveWindow();
// Before a control is disabled: when it has the focus, it is noted to get it back.
void NoteDisabling(LoadedWindow& window, HWND control);
// Tab or Shift+Tab in a form with a Tab order of its own; false for other forms.
bool MoveFocusByTab(LoadedWindow& window, bool backwards);
// Enter: clicks the focused push button, if it is one of the window's and enabled.
void PressFocusedButton(LoadedWindow& window);

// Painting helpers (ui_paint.cpp).
// Group frames draw their frame and caption themselves (coloured, aligned as the form says).
void DrawGroupFrame(HWND groupBox, const ControlSpec& row);
void MakeTransparentLabel(HWND label, const ControlSpec& row);
void RepaintUnderLabel(HWND label);
void RepaintLabelsAbove(HWND below, HWND label);
void MakePageContainer(HWND container);

// The banner bitmap (ui_banner.cpp), drawn at a size and DPI.
HBITMAP DrawBanner(const BannerSpec& banner, int width, int height, int dpi);

}  // namespace ui::win32
