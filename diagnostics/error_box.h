#pragma once

#include <string>

constexpr const char* kErrorBoxCaption = "Framewright Tool";

// The modal error box every failure the user must see goes through: one OK button,
// the error icon, no owner. Returns when the user has dismissed it.
void ShowErrorBox(const std::string& message);

// Where ShowErrorBox sends its messages instead of a box, for a tool that reports
// on a console. A null presenter, the launcher's own setting, restores the box.
using ErrorBoxPresenter = void (*)(const std::string& message);
void SetErrorBoxPresenter(ErrorBoxPresenter presenter);
