// The clipboard on the simulated desktop.
#include "tests/support/fake_desktop.h"

#include "tests/support/desktop_records.h"

namespace fake {

Desktop& Desktop::clipboardHeldElsewhere() {
    clipboardHeld_ = true;
    return *this;
}

bool Desktop::openClipboard() {
    if (clipboardHeld_) return fail(kAccessDenied);
    clipboardOpen_ = true;
    return true;
}

bool Desktop::emptyClipboard() {
    if (!clipboardOpen_) return fail(kClipboardNotOpen);
    clipboardText_.clear();
    return true;
}

bool Desktop::setClipboardText(const std::string& text) {
    if (!clipboardOpen_) return fail(kClipboardNotOpen);
    clipboardText_ = text;
    return true;
}

bool Desktop::closeClipboard() {
    if (!clipboardOpen_) return fail(kClipboardNotOpen);
    clipboardOpen_ = false;
    return true;
}

}  // namespace fake
