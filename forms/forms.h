// The program's two windows as data tables.
#pragma once

#include "forms/vocabulary.h"

namespace forms {

const ui::Form& MainForm();  // QiroFont: the task list and its four buttons
const ui::Form& TaskForm();  // QiruFont: composing one add, delete or replace task

}  // namespace forms
