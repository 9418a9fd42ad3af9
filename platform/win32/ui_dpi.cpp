// The screen's DPI at the edge: the forms give 96-DPI pixels, which each window scales
// by its own DPI when it places its controls, makes its fonts and loads its icons, and
// again when it moves to a monitor of another DPI (WM_DPICHANGED).
#include "platform/win32/loaded_function.h"
#include "platform/win32/ui_internal.h"

namespace ui::win32 {
namespace {

using platform::win32::LoadedFunction;

// GetDpiForWindow, GetDpiForSystem and GetSystemMetricsForDpi exist from Windows 10 1607
// on; earlier systems have one DPI for everything, which the screen's device context tells.
int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : platform::kFormDpi;
}

bool SameFont(const FontSpec& a, const FontSpec& b) {
    return a.height == b.height && a.weight == b.weight && a.charset == b.charset;
}

// The system's default GUI font is made for the system's DPI; a window of another DPI
// gets the same font at its own.
HFONT MakeFont(const FontSpec& font, int dpi) {
    if (font.height == 0) {
        auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        int system = SystemDpi();
        LOGFONTW logical;
        if (dpi == system || GetObjectW(stock, sizeof logical, &logical) == 0) return nullptr;
        logical.lfHeight = MulDiv(logical.lfHeight, dpi, system);
        return CreateFontIndirectW(&logical);
    }
    // A negative height asks for that character height, without the internal leading.
    return CreateFontW(-platform::ScaleToDpi(font.height, dpi), 0, 0, 0, font.weight, FALSE, FALSE,
                       FALSE, static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr);
}

}  // namespace

int SystemDpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto function =
        LoadedFunction<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem");
    UINT dpi = function != nullptr ? function() : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int DpiOfWindow(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto function =
        LoadedFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    UINT dpi = function != nullptr ? function(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int MetricAtDpi(int index, int dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto function =
        LoadedFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    if (function != nullptr) return function(index, static_cast<UINT>(dpi));
    // Earlier systems give the metrics at the system's DPI.
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

HICON ProgramIcon(int size) {
    // One icon per size, kept for the program's life: the window classes hold theirs for
    // as long as windows of them exist, and a window keeps using the icons it was given
    // (WM_SETICON destroys none).
    static std::vector<std::pair<int, HICON>> loaded;
    for (const auto& [given, icon] : loaded) {
        if (given == size) return icon;
    }
    // The icon has 16, 24, 32, 48 and 256 pixel images. LoadIconWithScaleDown makes other
    // sizes (20 and 40 at 120 DPI) from the next larger image, sharper than LoadImageW's
    // stretch of the nearest one. It is common controls 6's, which the manifest gives the
    // program, but MinGW's import library lacks it: it is looked up in the comctl32 the
    // program has loaded.
    using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    static const auto scaleDown =
        LoadedFunction<LoadIconWithScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = nullptr;
    if (scaleDown == nullptr ||
        FAILED(scaleDown(instance, MAKEINTRESOURCEW(kProgramIconId), size, size, &icon)))
        icon = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size, 0));
    loaded.emplace_back(size, icon);
    return icon;
}

void SetIconsForDpi(const LoadedWindow& window) {
    // The caption bar shows the small icon, Alt+Tab and the taskbar the big one.
    SendMessageW(window.hwnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ProgramIcon(MetricAtDpi(SM_CXSMICON, window.dpi))));
    SendMessageW(window.hwnd, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(ProgramIcon(MetricAtDpi(SM_CXICON, window.dpi))));
}

int DpiOfControl(HWND control) {
    LoadedWindow* window = FindWindowOf(GetAncestor(control, GA_ROOT));
    return window != nullptr ? window->dpi : platform::kFormDpi;
}

HFONT FontFor(LoadedWindow& window, const FontSpec& font) {
    for (const auto& [given, made] : window.fonts) {
        if (SameFont(given, font)) return made;
    }
    HFONT made = MakeFont(font, window.dpi);
    if (made == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    window.fonts.emplace_back(font, made);
    return made;
}

Placement PlacementOf(const LoadedWindow& window, const Control& control) {
    const ControlSpec& row = *control.row;
    // A combo box's window spans its dropped-down list too.
    int height = row.kind == Kind::ComboBox && row.dropHeight > control.height ? row.dropHeight
                                                                               : control.height;
    return {Scaled(window, row.left), Scaled(window, row.top), Scaled(window, row.width),
            ClampedSize(Scaled(window, height))};
}

void ApplyNewDpi(LoadedWindow& window, int dpi, const RECT& suggested) {
    window.dpi = dpi;
    SetIconsForDpi(window);
    SetWindowPos(window.hwnd, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The fonts are made again at the new DPI; the old ones go once nothing uses them.
    std::vector<std::pair<FontSpec, HFONT>> oldFonts = std::move(window.fonts);
    window.fonts.clear();
    for (Control& control : window.controls) {
        if (control.hwnd == nullptr) continue;
        Placement place = PlacementOf(window, control);
        SetWindowPos(control.hwnd, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control.hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(FontFor(window, control.row->font)), FALSE);
        SetUpForDpi(window, control);
    }
    for (const auto& old : oldFonts) DeleteObject(old.second);
    RedrawWindow(window.hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

}  // namespace ui::win32
