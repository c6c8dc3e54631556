// The clipboard, which only the setup program writes (the launch options it copies).
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform {

// OpenClipboard: fails (ERROR_ACCESS_DENIED) while another window holds it open.
bool OpenClipboard(WindowHandle owner);
// EmptyClipboard: drops what the clipboard held; the window that opened it owns it.
bool EmptyClipboard();
// SetClipboardData with CF_UNICODETEXT: the text converted from the ANSI code page
// into memory from GlobalAlloc, which the clipboard owns once the call succeeds.
// This and the others fail (ERROR_CLIPBOARD_NOT_OPEN) unless it is open here.
bool SetClipboardData(const std::string& text);
bool CloseClipboard();

}  // namespace platform
