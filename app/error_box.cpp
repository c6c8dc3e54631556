#include "app/error_box.h"

#include "platform/platform.h"

void ShowErrorBox(const std::string& message) {
    // A failed box is treated as dismissed: there is no other channel to report it on.
    platform::MessageBoxA(message, kErrorBoxCaption, platform::kMbOk | platform::kMbIconError);
}
