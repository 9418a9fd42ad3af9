// The headless control model's test interface. Tests act as a user would, and read
// back what a user would see. The model keeps the vocabulary's semantics: a modal
// LoadWindow runs the scripted steps inside it and returns only when its window is
// destroyed; CloseWindow takes effect after the running handler returns; queued events
// run where the real program lets them run (ProcessPendingEvents, modal loops).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/vocabulary.h"

namespace headless {

using Step = std::function<void()>;

// Appends steps for the modal loops. Each modal LoadWindow pops and runs steps until its
// window is destroyed; when none is left, the user closes the window with its close box.
void Script(std::vector<Step> steps);

// User actions. A click reaches a control only when it is shown, enabled and its window
// is enabled; the result tells whether it did.
bool Click(const ui::Form& form, const char* name);                // Button, RadioBox
bool ClickList(const ui::Form& form, const char* name, int row);  // row -1: empty space
void SelectRowWithKeyboard(const ui::Form& form, const char* name, int row);
bool ChooseItem(const ui::Form& form, const char* name, int index);  // ComboBox
void PressEscape(const ui::Form& form);
void PressCloseBox(const ui::Form& form);

// Clicks that arrive while a handler is running; they run at the next point where
// pending events are processed.
void QueueClick(const ui::Form& form, const char* name);

// Answers for the coming file dialogs, in order; with none left, the dialog is cancelled.
void AnswerFileDialog(const std::string& path);
void CancelFileDialog();
std::string LastDialogTitle();
int DialogsShown();

struct ControlState {
    bool exists = false;
    bool visible = false;   // its own Visible
    bool shown = false;     // actually on screen: visible, and its page and parents shown
    bool disabled = false;
    bool checked = false;
    std::string caption;    // caption or text
    int left = 0, top = 0, width = 0, height = 0;
};
ControlState State(const ui::Form& form, const char* name);
int WindowHeight(const ui::Form& form);
std::string WindowTitle(const ui::Form& form);
bool WindowEnabled(const ui::Form& form);
int CurrentPage(const ui::Form& form, const char* tabName);
std::vector<std::string> Items(const ui::Form& form, const char* comboName);

// Program end, as EndProgram and RegisterExitCleanup saw it.
bool ProgramEnded();
int ExitCode();
int CleanupRuns();

// Destroys every window and forgets all queued steps, answers and the program end.
void Reset();

}  // namespace headless
