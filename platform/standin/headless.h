// The headless control model's test interface. Tests act as a user would, and read
// back what a user would see. The model keeps the vocabulary's semantics: a modal
// LoadWindow runs the scripted steps inside it and returns only when its window is
// destroyed; CloseWindow takes effect after the running handler returns; queued events
// run where the real program lets them run (ProcessPendingEvents, modal loops, the file
// dialog). Loading a form that is already loaded only brings it to the front and
// returns false, since nothing was created.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/vocabulary.h"

namespace headless {

using Step = std::function<void()>;

// Appends steps for the modal loops. Each modal LoadWindow pops and runs steps until its
// window is destroyed; when none is left, the user closes the window with its close box.
void Script(std::vector<Step> steps);
std::size_t StepsLeft();

// User actions. A click reaches a control only when it is shown, neither it nor a parent
// is disabled, and its window is shown and enabled; the result tells whether it did.
// Nothing reaches the program after it has ended.
bool Click(const ui::Form& form, const char* name);               // Button, RadioBox
bool ClickList(const ui::Form& form, const char* name, int row);  // outside the rows: empty space
bool SelectRowWithKeyboard(const ui::Form& form, const char* name, int row);  // fires nothing
bool ChooseItem(const ui::Form& form, const char* name, int index);  // ComboBox, fires nothing
// Files and folders dragged from Explorer and let go over the window, by full path: a
// shown, enabled window whose form takes drops gets them.
bool DropFiles(const ui::Form& form, const std::vector<std::string>& paths);
bool PressEscape(const ui::Form& form);    // closes only a window whose form escapeCloses
bool PressCloseBox(const ui::Form& form);  // closes a window with a control box

// Clicks that arrive while a handler is running; they are delivered, with the state the
// controls have then, at the next point where pending events are processed.
void QueueClick(const ui::Form& form, const char* name);

// Answers for the coming file dialogs, in order; with none left, the dialog is cancelled.
// A confirmed answer sets FileName; the working folder stays where it was.
void AnswerFileDialog(const std::string& path);
void CancelFileDialog();
std::string LastDialogTitle();  // the DialogTitle the last dialog was shown with
int DialogsShown();

struct ControlState {
    bool exists = false;
    bool visible = false;  // its own Visible
    bool shown = false;    // actually on screen: visible, and its page and parents shown
    bool disabled = false;
    bool checked = false;
    std::string caption;  // caption or text
    int left = 0, top = 0, width = 0, height = 0;
    // ListView: the rows progress scrolled into view, in order, and the repaints it asked
    // for (the model has no clock: every progress call scrolls and repaints).
    std::vector<int> rowsScrolledTo;
    int repaints = 0;
};
ControlState State(const ui::Form& form, const char* name);
int WindowHeight(const ui::Form& form);
int WindowWidth(const ui::Form& form);
std::string WindowTitle(const ui::Form& form);
bool WindowEnabled(const ui::Form& form);
// The busy reason the window holds a log-off or shut-down up with; empty when it lets the
// session end.
std::string BusyReason(const ui::Form& form);
// The frontmost loaded window's form, null when none is loaded.
const ui::Form* FrontWindow();
int CurrentPage(const ui::Form& form, const char* tabName);
std::vector<std::string> Items(const ui::Form& form, const char* comboName);

// Program end, as EndProgram and RegisterExitCleanup saw it. Every registered clean-up
// runs once when the program ends, the last registered first.
bool ProgramEnded();
int ExitCode();
int CleanupRuns();

// A vocabulary call naming a control that its loaded form does not have is a mistake in
// the program (a call on a form that is not loaded is harmless and does nothing). The
// model reports it to this reporter, with the form's class name and the control name, and
// then treats the call as on a missing control. The default reporter prints both and
// aborts; the unit tests install one that fails the running test. Reset keeps it.
using MissingControlReporter = void (*)(const std::string& form, const std::string& control);
void SetMissingControlReporter(MissingControlReporter reporter);

// Destroys every window without events and forgets all queued steps, clicks, answers,
// registered clean-ups and the program end.
void Reset();

}  // namespace headless
