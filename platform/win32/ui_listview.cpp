// The report-view list: rows of text cells, read and written through the list-view
// messages. Row and column positions count from 0.
#include "platform/win32/ui_internal.h"

namespace ui {

using namespace ui::win32;

namespace {
// A guard against a list that always reports a full buffer.
constexpr std::size_t kLongestCell = std::size_t{1} << 24;

HWND ListOf(Ctl c) {
    Control* control = FindControlOfKind(c, Kind::ListView);
    return control != nullptr ? control->hwnd : nullptr;
}
}  // namespace

int SelectedIndex(Ctl c) {
    HWND list = ListOf(c);
    if (list == nullptr) return -1;
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int RowCount(Ctl c) {
    HWND list = ListOf(c);
    return list != nullptr ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int AppendRow(Ctl c) {
    HWND list = ListOf(c);
    if (list == nullptr) return -1;
    wchar_t empty[1] = {L'\0'};
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount(c);
    item.pszText = empty;
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string CellText(Ctl c, int row, int column) {
    HWND list = ListOf(c);
    if (list == nullptr || row < 0 || column < 0) return {};
    // The list copies at most the buffer less its NUL; a full buffer may mean the text
    // was cut, so the buffer doubles until the text fits.
    std::wstring buffer(512, L'\0');
    for (;;) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        int length = static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                                   reinterpret_cast<LPARAM>(&item)));
        if (length < static_cast<int>(buffer.size()) - 1 || buffer.size() >= kLongestCell)
            return Narrow(buffer.data(), length);
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

void SetCellText(Ctl c, int row, int column, const std::string& text) {
    HWND list = ListOf(c);
    if (list == nullptr || row < 0 || column < 0) return;
    std::wstring wide = Widen(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void DeleteRow(Ctl c, int row) {
    HWND list = ListOf(c);
    if (list != nullptr && row >= 0)
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

}  // namespace ui
