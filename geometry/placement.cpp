#include "geometry/placement.h"

#include <string>

#include "diagnostics/error_box.h"
#include "diagnostics/trace.h"
#include "geometry/frame.h"
#include "geometry/window_position.h"
#include "platform/processes.h"
#include "platform/windows.h"
#include "settings/settings.h"

bool MoveAndResizeWindow(bool reposition) {
    // A frame taken off shows only after a frame-changed placement: this one.
    const std::uint32_t frameChanged = Settings.Borderless ? TakeFrameOff(TargetWindow) : 0;
    bool placed;
    if (reposition) {
        std::int32_t x = 0, y = 0;
        if (!ComputeWindowPosition(x, y)) {
            ShowErrorBox("Internal error in MoveAndResizeWindow: movewindow mode invalid");
            platform::ExitProcess(0);
        }
        placed = platform::SetWindowPos(TargetWindow, 0, x, y, DesiredWidth, DesiredHeight,
                                        platform::kSwpNoZOrder | platform::kSwpNoActivate | frameChanged);
    } else {
        placed = platform::SetWindowPos(TargetWindow, 0, 0, 0, DesiredWidth, DesiredHeight,
                                        platform::kSwpNoMove | platform::kSwpNoZOrder | platform::kSwpNoActivate |
                                            frameChanged);
    }
    if (!placed) TargetWindow = platform::kNoWindow;
    // Read only when attaching, so that a launch makes the calls it always made.
    if (Settings.Attaching) PlacementDeniedAccess = !placed && platform::GetLastError() == platform::kErrorAccessDenied;

    // After a failed placement the read-back fails on the not-found handle and the
    // previous edges stay; the next successful placement sets them again.
    platform::Rect applied;
    if (platform::GetWindowRect(TargetWindow, applied)) {
        LastAppliedLeft = applied.left;
        LastAppliedTop = applied.top;
    }
    LastAppliedWidth = DesiredWidth;
    LastAppliedHeight = DesiredHeight;
    return placed;
}

bool ApplyWindowPlacement(bool reposition) {
    bool placed = MoveAndResizeWindow(reposition);
    Trace("New window position: " + std::to_string(LastAppliedLeft) + ", " + std::to_string(LastAppliedTop) +
          " - " + std::to_string(LastAppliedWidth) + " x " + std::to_string(LastAppliedHeight));
    return placed;
}
