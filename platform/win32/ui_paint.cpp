// Painting of the controls that draw differently from their standard class: the
// transparent label, the group frames with their coloured captions and the page
// container's background.
#include "platform/win32/ui_internal.h"

namespace ui::win32 {
namespace {

enum SubclassId : UINT_PTR { kLabelPaint = 10, kGroupPaint, kPagePaint };

COLORREF ColourOf(const ControlSpec& row) {
    return RGB(row.textColor.r, row.textColor.g, row.textColor.b);
}

// The background brush the window gives its static children (the button face).
HBRUSH BackgroundBrush(HWND control, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetAncestor(control, GA_ROOT), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control)));
    return brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

std::wstring TextOf(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

// The label draws only its text, centred on one line; whatever lies below shows through.
LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR data) {
    const auto& row = *reinterpret_cast<const ControlSpec*>(data);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            RECT client;
            GetClientRect(hwnd, &client);
            HGDIOBJ oldFont =
                SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColourOf(row));
            std::wstring text = TextOf(hwnd);
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            SelectObject(dc, oldFont);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_SETTEXT: {
            // The old text is not erased by the label itself: what lies below repaints.
            LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            RepaintUnderLabel(hwnd);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, LabelProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Group frames are drawn here rather than by the button class: with visual styles the
// frame draws its caption in the theme's colour at the left, ignoring WM_CTLCOLORSTATIC
// and the caption alignment, and the form wants a coloured, centred caption. The frame
// also clears its inside, since it is the parent of controls that come and go.
void PaintGroupFrame(HWND hwnd, HDC dc, const ControlSpec& row) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, BackgroundBrush(hwnd, dc));
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    std::wstring text = TextOf(hwnd);
    SIZE size = {0, 0};
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    if (!text.empty())
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    // The frame line runs through the middle of the caption's line.
    RECT frame = client;
    frame.top += metrics.tmHeight / 2 - 1;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
        int dpi = DpiOfControl(hwnd);
        int margin = platform::ScaleToDpi(9, dpi), gapWidth = platform::ScaleToDpi(2, dpi);
        int left = row.captionAlign == Align::Centre  ? (client.right - size.cx) / 2
                   : row.captionAlign == Align::Right ? client.right - margin - size.cx
                                                      : margin;
        RECT gap = {left - gapWidth, 0, left + size.cx + gapWidth, size.cy};
        FillRect(dc, &gap, BackgroundBrush(hwnd, dc));
        SetBkMode(dc, TRANSPARENT);
        COLORREF colour = row.hasTextColor ? ColourOf(row) : GetSysColor(COLOR_BTNTEXT);
        SetTextColor(dc, IsWindowEnabled(hwnd) ? colour : GetSysColor(COLOR_GRAYTEXT));
        TextOutW(dc, left, 0, text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK GroupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR data) {
    const auto& row = *reinterpret_cast<const ControlSpec*>(data);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the whole frame
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = wParam != 0 ? reinterpret_cast<HDC>(wParam) : BeginPaint(hwnd, &paint);
            PaintGroupFrame(hwnd, dc, row);
            if (wParam == 0) EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            // Themed children ask their parent for the background they stand on.
            PaintGroupFrame(hwnd, reinterpret_cast<HDC>(wParam), row);
            return 0;
        case WM_SETTEXT:
        case WM_ENABLE:
        case WM_UPDATEUISTATE: {
            // The button class may draw itself at once on these; draw it our way after.
            LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, GroupProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// The page container has no look of its own: it only clears what hidden pages leave,
// with the window's background, which is also what the frame around it shows.
LRESULT CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR) {
    switch (message) {
        case WM_ERASEBKGND:
        // Themed children ask their parent (WM_PRINTCLIENT) for the background they stand on.
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            auto dc = reinterpret_cast<HDC>(wParam);
            FillRect(dc, &client, BackgroundBrush(hwnd, dc));
            return message == WM_ERASEBKGND ? 1 : 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, PageProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A control under a transparent label: after it has painted, the label paints again.
LRESULT CALLBACK BelowLabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR data) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, BelowLabelProc, id);
    LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    auto label = reinterpret_cast<HWND>(data);
    if (message == WM_PAINT && IsWindow(label) && IsWindowVisible(label))
        InvalidateRect(label, nullptr, FALSE);
    return result;
}

}  // namespace

void MakeTransparentLabel(HWND label, const ControlSpec& row) {
    SetWindowSubclass(label, LabelProc, kLabelPaint, reinterpret_cast<DWORD_PTR>(&row));
}

void DrawGroupFrame(HWND groupBox, const ControlSpec& row) {
    SetWindowSubclass(groupBox, GroupProc, kGroupPaint, reinterpret_cast<DWORD_PTR>(&row));
}

void MakePageContainer(HWND container) {
    SetWindowSubclass(container, PageProc, kPagePaint, 0);
}

void RepaintLabelsAbove(HWND below, HWND label) {
    // One subclass per label, told apart by the label.
    SetWindowSubclass(below, BelowLabelProc, reinterpret_cast<UINT_PTR>(label),
                      reinterpret_cast<DWORD_PTR>(label));
}

void RepaintUnderLabel(HWND label) {
    HWND parent = GetParent(label);
    RECT area;
    GetWindowRect(label, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace ui::win32
