// Putting text on the clipboard for the user to paste elsewhere.
#pragma once

#include <string>

#include "platform/platform.h"

// The clipboard then holds the text alone, owned by the window. False with the
// reason when another program holds the clipboard or the system refuses.
bool CopyToClipboard(platform::WindowHandle owner, const std::string& text, std::string& error);
