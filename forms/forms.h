// The program's two windows, by which the logic addresses their controls. Their tables
// are defined in app/ (app/main_form.cpp, app/task_form.cpp), because they name the
// handlers of app/ and tasks/ that each event runs.
#pragma once

#include "platform/vocabulary.h"

namespace forms {

const ui::Form& MainForm();  // QiroFont: the task list and its four buttons
const ui::Form& TaskForm();  // QiruFont: composing one add, delete or replace task

}  // namespace forms
