#include "setup/clipboard.h"

#include "diagnostics/system_error.h"
#include "platform/clipboard.h"

bool CopyToClipboard(platform::WindowHandle owner, const std::string& text, std::string& error) {
    if (!platform::OpenClipboard(owner)) {
        error = "Cannot open the clipboard: " + LastErrorText() + "\r\nAnother program may be using it; try again.";
        return false;
    }
    const bool copied = platform::EmptyClipboard() && platform::SetClipboardData(text);
    if (!copied) error = "Cannot put the text on the clipboard: " + LastErrorText();
    platform::CloseClipboard();
    return copied;
}
