// The drop-down lists: items with an integer each, appended in order (never sorted).
#include "platform/win32/ui_internal.h"

namespace ui {

using namespace ui::win32;

namespace {
HWND ComboOf(Ctl c) {
    Control* control = FindControlOfKind(c, Kind::ComboBox);
    return control != nullptr ? control->hwnd : nullptr;
}
}  // namespace

int CurrentIndex(Ctl c) {
    HWND combo = ComboOf(c);
    return combo != nullptr ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : -1;
}

void SetCurrentIndex(Ctl c, int index) {
    HWND combo = ComboOf(c);
    if (combo == nullptr) return;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    // Past the end picks the last item; negative (or an empty list) picks none.
    int chosen = index < 0 || count <= 0 ? -1 : (index >= count ? count - 1 : index);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

int AddItem(Ctl c, const std::string& text, int data) {
    HWND combo = ComboOf(c);
    if (combo == nullptr) return -1;
    std::wstring wide = Widen(text);
    LRESULT position = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (position < 0) return -1;  // CB_ERR or CB_ERRSPACE
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(position), data);
    return static_cast<int>(position);
}

int ItemData(Ctl c, int index) {
    HWND combo = ComboOf(c);
    if (combo == nullptr || index < 0) return -1;
    if (index >= static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0))) return -1;
    return static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

}  // namespace ui
