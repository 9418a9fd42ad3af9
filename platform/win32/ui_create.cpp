// Creation of one control from its form row: a table gives each kind its window class
// and styles; the few kinds that need more set-up get it after creation.
#include <algorithm>

#include "platform/win32/ui_internal.h"

namespace ui::win32 {
namespace {

struct KindClass {
    Kind kind;
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// Group frames and the page container are real parents: WS_EX_CONTROLPARENT lets the
// dialog keys walk into their children, WS_CLIPCHILDREN keeps them from painting over
// them. The transparent label is painted after the siblings below it (WS_EX_TRANSPARENT).
constexpr KindClass kKindClasses[] = {
    {Kind::Button, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0},
    {Kind::ListView, WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER,
     WS_EX_STATICEDGE},
    {Kind::PicBox, L"STATIC", SS_BITMAP | WS_BORDER, 0},
    {Kind::TransLabel, L"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, WS_EX_TRANSPARENT},
    {Kind::Label, L"STATIC", SS_LEFT | SS_NOPREFIX, 0},
    {Kind::EditBox, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {Kind::ComboBox, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0},
    {Kind::RadioBox, L"BUTTON", BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER, 0},
    {Kind::GroupBox, L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},
    {Kind::Tab, L"STATIC", SS_LEFT | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},
};

const KindClass* ClassOf(Kind kind) {
    for (const KindClass& entry : kKindClasses) {
        if (entry.kind == kind) return &entry;
    }
    return nullptr;
}

// A radio button whose previous sibling is not a radio button starts a group (and is the
// group's tab stop); every other control starts a group too, which ends the one before.
DWORD GroupStyle(const LoadedWindow& window, std::size_t index) {
    const ControlSpec& row = *window.controls[index].row;
    if (row.kind != Kind::RadioBox) return WS_GROUP;
    for (std::size_t i = index; i-- > 0;) {
        const ControlSpec& before = *window.controls[i].row;
        if (before.kind == Kind::CommonDlg) continue;
        if (!SameParent(before, row)) continue;
        return before.kind == Kind::RadioBox ? 0 : WS_GROUP | WS_TABSTOP;
    }
    return WS_GROUP | WS_TABSTOP;
}

void SetUpListView(LoadedWindow& window, const ControlSpec& row, HWND list) {
    DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    COLORREF text = row.hasTextColor ? RGB(row.textColor.r, row.textColor.g, row.textColor.b)
                                     : GetSysColor(COLOR_WINDOWTEXT);
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, text);
    SendMessageW(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    static constexpr int kFormats[] = {LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT};
    for (std::size_t i = 0; i < row.columnCount; ++i) {
        std::wstring caption = Widen(row.columns[i].caption);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = kFormats[static_cast<int>(row.columns[i].align)];
        column.cx = Scaled(window, row.columns[i].width);
        column.pszText = caption.data();
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

// Shows the banner drawn at the window's DPI, in place of one drawn before.
void ShowBanner(LoadedWindow& window, const Control& control) {
    const ControlSpec& row = *control.row;
    if (row.banner == nullptr) return;
    int width = Scaled(window, row.width), height = Scaled(window, row.height);
    HBITMAP banner = DrawBanner(*row.banner, width, height, window.dpi);
    if (banner == nullptr) return;
    auto previous = reinterpret_cast<HGDIOBJ>(
        SendMessageW(control.hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner)));
    // The control hands back what it showed: ours, or a copy it made of a 32-bpp bitmap.
    if (previous != nullptr) {
        auto& ours = window.gdiObjects;
        auto found = std::find(ours.begin(), ours.end(), previous);
        if (found != ours.end()) ours.erase(found);
        DeleteObject(previous);
    }
    window.gdiObjects.push_back(banner);
    // Setting a bitmap resizes the control to it plus its border; the form's size wins,
    // so the picture is shown unscaled from the top-left corner inside the border.
    SetWindowPos(control.hwnd, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetUpComboBox(HWND combo) {
    LRESULT itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
    if (itemHeight > 0) SendMessageW(combo, CB_SETITEMHEIGHT, 0, itemHeight + 1);
}

bool Overlaps(const ControlSpec& a, const ControlSpec& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

}  // namespace

bool CreateControl(LoadedWindow& window, std::size_t index) {
    Control& control = window.controls[index];
    const ControlSpec& row = *control.row;
    control.visible = row.visible;
    control.height = row.height;
    if (row.kind == Kind::CommonDlg) {
        control.dialogTitle = row.dialog != nullptr && row.dialog->title ? row.dialog->title : "";
        return true;
    }
    const KindClass* cls = ClassOf(row.kind);
    if (cls == nullptr) return false;

    HWND parent = window.hwnd;
    if (row.parent != nullptr) {
        Control* parentControl = FindControl(window, row.parent);
        if (parentControl == nullptr || parentControl->hwnd == nullptr) return false;
        parent = parentControl->hwnd;
    }
    DWORD style = WS_CHILD | cls->style | GroupStyle(window, index);
    if (row.kind == Kind::EditBox && row.readOnly) style |= ES_READONLY;
    if (row.kind == Kind::GroupBox && row.captionAlign == Align::Centre) style |= BS_CENTER;
    if (row.disabled) style |= WS_DISABLED;
    if (ShouldShow(window, control)) style |= WS_VISIBLE;
    Placement place = PlacementOf(window, control);
    control.hwnd =
        CreateWindowExW(cls->exStyle, cls->className, Widen(row.caption ? row.caption : "").c_str(),
                        style, place.left, place.top, place.width, place.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                        GetModuleHandleW(nullptr), nullptr);
    if (control.hwnd == nullptr) return false;
    // Each control goes below the ones created before it.
    SetWindowPos(control.hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(window, row.font)),
                 FALSE);

    switch (row.kind) {
        case Kind::ListView:
            SetUpListView(window, row, control.hwnd);
            break;
        case Kind::PicBox:
            ShowBanner(window, control);
            break;
        case Kind::ComboBox:
            SetUpComboBox(control.hwnd);
            break;
        case Kind::TransLabel:
            MakeTransparentLabel(control.hwnd, row);
            break;
        case Kind::RadioBox:
            SendMessageW(control.hwnd, BM_SETCHECK, row.checked ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Kind::GroupBox:
            ForwardToTopLevel(control.hwnd);
            DrawGroupFrame(control.hwnd, row);
            break;
        case Kind::Tab:
            ForwardToTopLevel(control.hwnd);
            MakePageContainer(control.hwnd);
            break;
        default:
            break;
    }
    // A control under a transparent label created before it repaints the label after
    // itself, so the label's text stays on top of whatever the control draws.
    for (std::size_t i = 0; i < index; ++i) {
        const Control& above = window.controls[i];
        if (above.row->kind == Kind::TransLabel && above.hwnd != nullptr &&
            SameParent(*above.row, row) && Overlaps(*above.row, row))
            RepaintLabelsAbove(control.hwnd, above.hwnd);
    }
    return true;
}

void SetUpForDpi(LoadedWindow& window, Control& control) {
    const ControlSpec& row = *control.row;
    if (row.kind == Kind::PicBox) ShowBanner(window, control);
    if (row.kind != Kind::ListView) return;
    for (std::size_t i = 0; i < row.columnCount; ++i)
        SendMessageW(control.hwnd, LVM_SETCOLUMNWIDTH, i,
                     MAKELPARAM(Scaled(window, row.columns[i].width), 0));
}

bool ShouldShow(LoadedWindow& window, const Control& control) {
    if (!control.visible) return false;
    if (control.row->page < 0 || control.row->parent == nullptr) return true;
    const Control* tab = FindControl(window, control.row->parent);
    return tab == nullptr || tab->row->kind != Kind::Tab || tab->currentPage == control.row->page;
}

void ApplyVisibility(LoadedWindow& window, Control& control) {
    if (control.hwnd == nullptr) return;
    ShowWindow(control.hwnd, ShouldShow(window, control) ? SW_SHOWNA : SW_HIDE);
}

}  // namespace ui::win32
