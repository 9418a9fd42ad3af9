// The common and kind-specific properties of controls: visibility (with the pages of a
// page container), enabled state, height, captions, radio state and edit text.
#include "platform/win32/ui_internal.h"

namespace ui {

using namespace ui::win32;

void SetVisible(Ctl c, bool visible) {
    LoadedWindow* window = FindWindowNamed(c.window);
    Control* control = window != nullptr ? FindControl(*window, c.name) : nullptr;
    if (control == nullptr) return;
    control->visible = visible;
    ApplyVisibility(*window, *control);
    if (control->row->kind == Kind::TransLabel) RepaintUnderLabel(control->hwnd);
}

void SetDisabled(Ctl c, bool disabled) {
    LoadedWindow* window = FindWindowNamed(c.window);
    Control* control = window != nullptr ? FindControl(*window, c.name) : nullptr;
    if (control == nullptr || control->hwnd == nullptr) return;
    if (disabled) NoteDisabling(*window, control->hwnd);
    EnableWindow(control->hwnd, disabled ? FALSE : TRUE);
}

void SetHeight(Ctl c, int height) {
    LoadedWindow* window = FindWindowNamed(c.window);
    Control* control = window != nullptr ? FindControl(*window, c.name) : nullptr;
    if (control == nullptr || control->hwnd == nullptr) return;
    control->height = ClampedSize(height);
    Placement place = PlacementOf(*window, *control);
    SetWindowPos(control->hwnd, nullptr, 0, 0, place.width, place.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetCaption(Ctl c, const std::string& text) {
    Control* control = FindControl(c);
    if (control != nullptr && control->hwnd != nullptr)
        SetWindowTextW(control->hwnd, Widen(text).c_str());
}

bool Checked(Ctl c) {
    Control* control = FindControl(c);
    return control != nullptr && control->hwnd != nullptr &&
           SendMessageW(control->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCurrentPage(Ctl c, int page) {
    LoadedWindow* window = FindWindowNamed(c.window);
    Control* tab = window != nullptr ? FindControl(*window, c.name) : nullptr;
    // A page the container does not have leaves the current one showing.
    if (tab == nullptr || tab->row->kind != Kind::Tab || page < 0 ||
        static_cast<std::size_t>(page) >= tab->row->pageCount)
        return;
    tab->currentPage = page;
    for (Control& child : window->controls) {
        if (child.row->parent != nullptr && std::string(child.row->parent) == tab->row->name)
            ApplyVisibility(*window, child);
    }
}

std::string Text(Ctl c) {
    Control* control = FindControl(c);
    return control != nullptr && control->hwnd != nullptr ? WindowText(control->hwnd)
                                                          : std::string();
}

}  // namespace ui
