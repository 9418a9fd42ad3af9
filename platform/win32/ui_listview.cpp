// The report-view list: rows of text cells, written through the list-view messages and
// read back from the texts written. Row and column positions count from 0.
#include "platform/win32/ui_internal.h"

namespace ui {

using namespace ui::win32;

namespace {

Control* ListControl(Ctl c) {
    Control* control = FindControlOfKind(c, Kind::ListView);
    return control != nullptr && control->hwnd != nullptr ? control : nullptr;
}

HWND ListOf(Ctl c) {
    Control* control = ListControl(c);
    return control != nullptr ? control->hwnd : nullptr;
}

bool IsCell(const Control& list, int row, int column) {
    return row >= 0 && static_cast<std::size_t>(row) < list.cells.size() && column >= 0 &&
           static_cast<std::size_t>(column) < list.cells[static_cast<std::size_t>(row)].size();
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
    Control* list = ListControl(c);
    if (list == nullptr) return -1;
    wchar_t empty[1] = {L'\0'};
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(list->cells.size());
    item.pszText = empty;
    int row = static_cast<int>(
        SendMessageW(list->hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0) {
        std::size_t columns = list->row->columnCount > 0 ? list->row->columnCount : 1;
        list->cells.insert(list->cells.begin() + row, std::vector<std::string>(columns));
    }
    return row;
}

std::string CellText(Ctl c, int row, int column) {
    Control* list = ListControl(c);
    return list != nullptr && IsCell(*list, row, column)
               ? list->cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
               : std::string();
}

void SetCellText(Ctl c, int row, int column, const std::string& text) {
    Control* list = ListControl(c);
    if (list == nullptr || !IsCell(*list, row, column)) return;
    std::wstring wide = Widen(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = wide.data();
    if (SendMessageW(list->hwnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item)))
        list->cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

void ShowProgressAt(Ctl c, int row, bool last) {
    HWND list = ListOf(c);
    if (list == nullptr || row < 0) return;
    // Scrolling and painting cost milliseconds (a scroll copies the screen); a few times
    // a second is enough to watch the rows arrive.
    static ULONGLONG lastShown = 0;
    ULONGLONG now = GetTickCount64();
    if (!last && now - lastShown < static_cast<ULONGLONG>(kProgressIntervalMs)) return;
    lastShown = now;
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    // Paints the list (and its header) now, by WM_PAINT sent to them alone.
    RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A thread that looks at its queue counts as responding, so Windows never ghosts the
    // window as "Not Responding"; PM_NOREMOVE leaves every message, input included, queued.
    MSG waiting;
    PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE);
}

void DeleteRow(Ctl c, int row) {
    Control* list = ListControl(c);
    if (list == nullptr || row < 0 || static_cast<std::size_t>(row) >= list->cells.size()) return;
    if (SendMessageW(list->hwnd, LVM_DELETEITEM, static_cast<WPARAM>(row), 0))
        list->cells.erase(list->cells.begin() + row);
}

}  // namespace ui
