// framewright-setup: makes and edits a profile through a window, with a preview of
// where the launcher would put the program's window.
#include "platform/processes.h"
#include "platform/setup_window.h"
#include "platform/text.h"
#include "setup/setup_model.h"

int main() {
    ProfileModel model;
    std::string error;
    if (!model.Start(platform::GetCommandLineA(), error)) {
        platform::MessageBoxA(error, platform::kSetupCaption, platform::kMbOk | platform::kMbIconError);
    }
    return platform::RunSetupWindow(model);
}
