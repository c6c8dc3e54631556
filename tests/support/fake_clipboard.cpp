// The clipboard on the simulated desktop.
#include "platform/clipboard.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

bool OpenClipboard(WindowHandle) {
    Active().count(Call::OpenClipboard);
    return Active().openClipboard();
}

bool EmptyClipboard() {
    Active().count(Call::EmptyClipboard);
    return Active().emptyClipboard();
}

bool SetClipboardData(const std::string& text) {
    Active().count(Call::SetClipboardData);
    return Active().setClipboardText(text);
}

bool CloseClipboard() {
    Active().count(Call::CloseClipboard);
    return Active().closeClipboard();
}

}  // namespace platform
