// The run's and the restore's time at work on the fonts folder.
#include "tasks/font_work.h"

#include "forms/main_form.h"
#include "platform/vocabulary.h"

namespace {

int underway = 0;  // the program has one thread: a count, for a restore inside a run's walk

}  // namespace

FontWork::FontWork() {
    if (underway++ == 0)
        ui::SetBusyReason(forms::main_window::kWindow, forms::main_window::kBusyReason);
}

FontWork::~FontWork() {
    if (--underway == 0) ui::SetBusyReason(forms::main_window::kWindow, "");
}

bool FontWork::Underway() {
    return underway > 0;
}
