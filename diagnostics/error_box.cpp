#include "diagnostics/error_box.h"

#include "diagnostics/log_file.h"
#include "platform/text.h"

namespace {
ErrorBoxPresenter CurrentPresenter = nullptr;
BeforeErrorBox CurrentPreparation = nullptr;
unsigned BoxesShown = 0;
std::string* CaptureTarget = nullptr;
}  // namespace

unsigned ErrorBoxesShown() { return BoxesShown; }

void ShowErrorBox(const std::string& message) {
    ++BoxesShown;
    if (CurrentPreparation != nullptr) CurrentPreparation();
    // A box kept by a capture is reported by whoever captured it.
    if (CaptureTarget == nullptr) LogErrorBox(message);
    if (CurrentPresenter != nullptr) {
        CurrentPresenter(message);
        return;
    }
    // A failed box is treated as dismissed: there is no other channel to report it on.
    platform::MessageBoxA(message, kErrorBoxCaption, platform::kMbOk | platform::kMbIconError);
}

void SetErrorBoxPresenter(ErrorBoxPresenter presenter) { CurrentPresenter = presenter; }

void SetBeforeErrorBox(BeforeErrorBox preparation) { CurrentPreparation = preparation; }

namespace {
void KeepText(const std::string& message) { *CaptureTarget = message; }
}  // namespace

ErrorBoxCapture::ErrorBoxCapture() {
    CaptureTarget = &text_;
    SetErrorBoxPresenter(KeepText);
}

ErrorBoxCapture::~ErrorBoxCapture() {
    SetErrorBoxPresenter(nullptr);
    CaptureTarget = nullptr;
}
