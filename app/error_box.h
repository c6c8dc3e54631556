#pragma once

#include <string>

constexpr const char* kErrorBoxCaption = "Framewright Tool";

// The modal error box every failure the user must see goes through: one OK button,
// the error icon, no owner. Returns when the user has dismissed it.
void ShowErrorBox(const std::string& message);
