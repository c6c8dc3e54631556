#include "watch/watch_window.h"

#include "diagnostics/trace.h"
#include "watch/folder.h"
#include "watch/supervisions.h"
#include "watch/tray.h"
#include "watch/watch_state.h"

bool HandleWatchMessage(const platform::WindowMessage& message, std::intptr_t& result) {
    if (HandleTrayMessage(message)) {
        result = 0;
        return true;
    }
    switch (message.message) {
    case platform::kWmCopyData:
        if (message.copyDataKind != kFolderHandOver) return false;
        SwitchFolder(message.copyData);
        result = 1;
        return true;
    case platform::kWmClose:
        // The loop ends and cleans up; the window is not destroyed under it.
        Trace("Asked to close");
        Watch.ending = true;
        result = 0;
        return true;
    case platform::kWmQueryEndSession:
        result = 1;
        return true;
    case platform::kWmEndSession:
        // The process may be ended right after this returns: the windows go back first.
        if (message.wParam != 0) {
            Trace("The session ends");
            EndTheWatch();
        }
        result = 0;
        return true;
    default:
        return false;
    }
}

bool CreateWatchWindow() {
    if (!platform::RegisterClassExA(kWatchWindowClass, HandleWatchMessage)) return false;
    Watch.window = platform::CreateWindowExA(0, kWatchWindowClass, Watch.folder, 0, 0, 0, 0, 0);
    if (Watch.window != 0) return true;
    platform::UnregisterClassA(kWatchWindowClass);
    return false;
}

void DestroyWatchWindow() {
    if (Watch.window == 0) return;
    RemoveTrayIcon();
    platform::DestroyWindow(Watch.window);
    platform::UnregisterClassA(kWatchWindowClass);
    Watch.window = 0;
}

void EndTheWatch() {
    Watch.ending = true;
    RemoveTrayIcon();
    if (Watch.supervisions.empty()) return;
    EndEverySupervision();
    if (!WaitForSupervisorsToEnd(kSupervisorsEndMs)) Trace("A supervisor did not end in time");
    ReapSupervisions();
}
