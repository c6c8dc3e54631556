#pragma once

#include <string>

constexpr const char* kErrorBoxCaption = "Framewright Tool";

// The modal error box every failure the user must see goes through: one OK button,
// the error icon, no owner. Returns when the user has dismissed it.
void ShowErrorBox(const std::string& message);
// How many boxes have been shown since the start, for an exit code that tells whether any was.
unsigned ErrorBoxesShown();

// Runs before every box: a box halts the loop, so what the loop holds for the
// program while it runs (a confined cursor, a topmost window) is let go first. Null: nothing.
using BeforeErrorBox = void (*)();
void SetBeforeErrorBox(BeforeErrorBox preparation);

// Where ShowErrorBox sends its messages instead of a box, for a tool that reports
// on a console. A null presenter, the launcher's own setting, restores the box.
using ErrorBoxPresenter = void (*)(const std::string& message);
void SetErrorBoxPresenter(ErrorBoxPresenter presenter);

// While it lives, the boxes' texts are kept instead of shown (and out of the log),
// for a tool that reports a rejection itself; the box comes back when it ends. One
// at a time.
class ErrorBoxCapture {
public:
    ErrorBoxCapture();
    ~ErrorBoxCapture();
    ErrorBoxCapture(const ErrorBoxCapture&) = delete;
    ErrorBoxCapture& operator=(const ErrorBoxCapture&) = delete;
    // The last text kept; empty when no box was shown.
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};
