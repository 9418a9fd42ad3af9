// The tables of the program's two windows. They live in app/ because they name the
// handlers of app/ and tasks/ that each event runs; the logic below app/ addresses the
// loaded windows by name (forms/main_form.h, forms/task_form.h) and never needs a table.
#pragma once

#include "platform/vocabulary.h"

const ui::Form& MainForm();  // QiroFont: the task list and its four buttons
const ui::Form& TaskForm();  // QiruFont: composing one add, delete or replace task
