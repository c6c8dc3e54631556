#include "supervisor/supervisor.h"

#include <cstdint>
#include <string>

#include "diagnostics/error_box.h"
#include "diagnostics/trace.h"
#include "geometry/frame.h"
#include "geometry/measurement.h"
#include "geometry/placement.h"
#include "settings/settings.h"

namespace {

constexpr std::uint32_t kCycleSleepMs = 10;
constexpr std::uint32_t kProcessWaitMs = 1;
constexpr std::uint32_t kTimerPeriodMs = 1;

// The loop's nominal clock: 10 more each cycle, wrapping in two's complement past
// the 32-bit range (done in unsigned arithmetic, where wrapping is defined).
std::int32_t AdvanceClock(std::int32_t elapsedMs) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(elapsedMs) + kCycleSleepMs);
}

}  // namespace

bool NeedToFindWindow() { return TargetWindow == platform::kNoWindow; }

bool CheckWindowLock(bool checkPosition) {
    platform::Rect current;
    if (!platform::GetWindowRect(TargetWindow, current)) {
        // The window is gone: count it as lost so the next cycles search for it.
        TargetWindow = platform::kNoWindow;
        return false;
    }
    bool differs = (checkPosition && (current.left != LastAppliedLeft || current.top != LastAppliedTop)) ||
                   current.right - current.left != LastAppliedWidth ||
                   current.bottom - current.top != LastAppliedHeight ||
                   (Settings.Borderless && FrameIsBack(TargetWindow));
    return differs ? MoveAndResizeWindow(checkPosition) : false;
}

void RunTargetProgram() {
    platform::ProcessInformation process;
    if (!platform::CreateProcessA(Settings.ProgramFile, Settings.ProgramParameters, Settings.ProgramPath,
                                  process)) {
        ShowErrorBox("Failed to execute program: " + Settings.ProgramFile);
        return;
    }
    TargetProcessId = process.processId;
    Trace("Program started, PID = " + std::to_string(TargetProcessId));

    std::int32_t elapsedMs = 0;
    bool firstResizePending = true;
    bool gaveUp = false;
    bool reposition = Settings.MoveWindow != MoveWindowMode::None;

    if (Settings.LockWindow) Trace("Will lock window size");
    if (Settings.AlwaysMoveWindow) Trace("Will lock window position");
    platform::timeBeginPeriod(kTimerPeriodMs);

    while (platform::WaitForSingleObject(process.process, kProcessWaitMs) != platform::kWaitObject0) {
        platform::Sleep(kCycleSleepMs);
        elapsedMs = AdvanceClock(elapsedMs);
        if (gaveUp) continue;

        bool windowKnown = false;
        if (NeedToFindWindow()) {
            Trace("NeedToFindWindow!");
            if (MeasureTargetWindow()) {
                Trace("FindWindow succeeded");
                windowKnown = true;
            } else {
                Trace("FindWindow failed");
            }
        } else {
            windowKnown = true;
        }
        if (!windowKnown) continue;

        if (firstResizePending) {
            if (elapsedMs >= Settings.FirstResizeDelayMs) {
                Trace("Trying to resize window (first time)");
                if (ApplyWindowPlacement(reposition)) {
                    firstResizePending = false;
                    Trace("First window resize successful");
                    if (!Settings.AlwaysMoveWindow) {
                        reposition = false;
                        Trace("No longer repositioning the window");
                    }
                }
            }
            if (firstResizePending && elapsedMs >= Settings.FirstResizeTimeoutMs) {
                Trace("Timed out resizing window (first time)");
                ShowErrorBox("Failed to resize the target window, timed out. Giving up.");
                gaveUp = true;
            }
        } else if (Settings.LockWindow) {
            CheckWindowLock(reposition);
        }
    }

    platform::timeEndPeriod(kTimerPeriodMs);
    std::uint32_t exitCode = 0;
    platform::GetExitCodeProcess(process.process, exitCode);
    Trace("Program stopped with exit code: " + std::to_string(exitCode));
    platform::CloseHandle(process.process);
    platform::CloseHandle(process.thread);
}
