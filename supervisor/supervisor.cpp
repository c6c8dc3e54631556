#include "supervisor/supervisor.h"

#include <cstdint>
#include <string>

#include "diagnostics/error_box.h"
#include "diagnostics/log_file.h"
#include "diagnostics/trace.h"
#include "geometry/frame.h"
#include "geometry/measurement.h"
#include "geometry/placement.h"
#include "platform/input.h"
#include "platform/processes.h"
#include "platform/windows.h"
#include "play/play.h"
#include "settings/settings.h"
#include "supervisor/elevation.h"
#include "supervisor/give_back.h"
#include "supervisor/held_marks.h"
#include "supervisor/supervised_program.h"
#include "supervisor/supervision_marks.h"

namespace {

constexpr std::uint32_t kCycleSleepMs = 10;
constexpr std::uint32_t kTimerPeriodMs = 1;

// The loop's nominal clock: 10 more each cycle, wrapping in two's complement past
// the 32-bit range (done in unsigned arithmetic, where wrapping is defined).
std::int32_t AdvanceClock(std::int32_t elapsedMs) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(elapsedMs) + kCycleSleepMs);
}

enum class LockOutcome { Unchanged, Placed, NotPlaced };

// The lock's one look at the window; `current` holds the rectangle read, which is
// the window's still when the outcome is Unchanged.
LockOutcome LockWindowOnce(bool checkPosition, platform::Rect& current) {
    if (!platform::GetWindowRect(TargetWindow, current)) {
        // The window is gone: count it as lost so the next cycles search for it.
        TargetWindow = platform::kNoWindow;
        return LockOutcome::NotPlaced;
    }
    bool differs = (checkPosition && (current.left != LastAppliedLeft || current.top != LastAppliedTop)) ||
                   current.right - current.left != LastAppliedWidth ||
                   current.bottom - current.top != LastAppliedHeight ||
                   (Settings.Borderless && FrameIsBack(TargetWindow));
    if (!differs) return LockOutcome::Unchanged;
    return MoveAndResizeWindow(checkPosition) ? LockOutcome::Placed : LockOutcome::NotPlaced;
}

}  // namespace

bool NeedToFindWindow() { return TargetWindow == platform::kNoWindow; }

bool CheckWindowLock(bool checkPosition) {
    platform::Rect current;
    return LockWindowOnce(checkPosition, current) == LockOutcome::Placed;
}

namespace {

enum class Ending { ProgramEnded, StopRequested, NeedsAdministrator };

// The one loop for a program started and one attached to.
Ending Supervise(SupervisedProgram& program, HeldMarks& marks) {
    std::int32_t elapsedMs = 0;
    bool firstResizePending = true;
    bool gaveUp = false;
    bool reposition = Settings.MoveWindow != MoveWindowMode::None;
    WindowAsFound found;
    Ending ending = Ending::ProgramEnded;

    if (Settings.LockWindow) Trace("Will lock window size");
    if (Settings.AlwaysMoveWindow) Trace("Will lock window position");
    StartPlay();
    platform::timeBeginPeriod(kTimerPeriodMs);

    bool queued = false;
    for (Wake wake; (wake = WaitForCycle(program, marks, queued)) != Wake::Ended;) {
        if (wake == Wake::StopRequested) {
            ending = Ending::StopRequested;
            break;
        }
        platform::Sleep(kCycleSleepMs);
        elapsedMs = AdvanceClock(elapsedMs);
        // In the lock phase nothing may be traced for hours: a count must not wait for it.
        LogTick();
        if (queued) TakeQueuedMessages();
        queued = false;
        if (gaveUp) continue;

        bool windowKnown = false;
        if (NeedToFindWindow()) {
            Trace("NeedToFindWindow!");
            if (MeasureTargetWindow()) {
                Trace("FindWindow succeeded");
                windowKnown = true;
                if (program.attached) RememberWindow(found, TargetWindow);
            } else {
                Trace("FindWindow failed");
            }
        } else {
            windowKnown = true;
        }
        if (!windowKnown) {
            PlayCycle(nullptr, false);
            continue;
        }

        platform::Rect outer;
        bool outerSeen = false;
        if (firstResizePending) {
            // An attached program may have started long before: its age counts towards the delay.
            if (static_cast<std::int64_t>(elapsedMs) + program.startedAgoMs >= Settings.FirstResizeDelayMs) {
                Trace("Trying to resize window (first time)");
                const platform::WindowHandle window = TargetWindow;
                if (ApplyWindowPlacement(reposition)) {
                    firstResizePending = false;
                    Trace("First window resize successful");
                    if (!Settings.AlwaysMoveWindow) {
                        reposition = false;
                        Trace("No longer repositioning the window");
                    }
                } else if (program.attached && PlacementDeniedAccess) {
                    // The window may be another process's than the one attached to.
                    std::uint32_t owner = TargetProcessId;
                    platform::GetWindowThreadProcessId(window, owner);
                    TraceNeedsAdministrator(owner);
                    ending = Ending::NeedsAdministrator;
                    break;
                }
            }
            if (firstResizePending && elapsedMs >= Settings.FirstResizeTimeoutMs) {
                Trace("Timed out resizing window (first time)");
                ShowErrorBox("Failed to resize the target window, timed out. Giving up.");
                gaveUp = true;
            }
        } else if (Settings.LockWindow && !PlayPaused()) {
            outerSeen = LockWindowOnce(reposition, outer) == LockOutcome::Unchanged;
        }
        PlayCycle(outerSeen ? &outer : nullptr, !firstResizePending);
    }

    platform::timeEndPeriod(kTimerPeriodMs);
    EndPlay();
    if (ending == Ending::StopRequested) GiveWindowBack(found);
    return ending;
}

void TraceExitCode(const SupervisedProgram& program) {
    std::uint32_t exitCode = 0;
    platform::GetExitCodeProcess(program.process.process, exitCode);
    Trace("Program stopped with exit code: " + std::to_string(exitCode));
}

}  // namespace

void RunTargetProgram() {
    SupervisedProgram program;
    std::uint32_t error = 0;
    if (!StartProgram(program, error)) {
        if (error == platform::kErrorElevationRequired) StartAgainAsAdministrator();
        else ShowErrorBox("Failed to execute program: " + Settings.ProgramFile);
        return;
    }
    TargetProcessId = program.process.processId;
    HeldMarks marks;
    HoldMark(marks, TargetProcessId, false);
    Trace("Program started, PID = " + std::to_string(TargetProcessId));
    Supervise(program, marks);
    TraceExitCode(program);
    CloseProgram(program);
    ReleaseMarks(marks);
}

platform::KernelHandle OpenStopRequest() {
    bool existed = false;
    return platform::CreateEventW(StopRequestName(platform::GetCurrentProcessId()), existed);
}

std::uint32_t AttachToProgram(const std::string& processText, platform::KernelHandle stopRequest) {
    SupervisedProgram program;
    if (!OpenRunningProgram(processText, program)) return kAttachBoxShown;
    program.stopRequest = stopRequest;
    TargetProcessId = program.process.processId;
    const std::string processId = std::to_string(TargetProcessId);
    HeldMarks marks;
    std::uint32_t exitCode = kAttachEnded;
    if (!HoldMark(marks, TargetProcessId, true)) {
        Trace("Another Framewright supervises process " + processId + ": leaving it alone");
        exitCode = kAttachAlreadySupervised;
    } else if (RunsAboveOwnRights(program.process.process)) {
        TraceNeedsAdministrator(TargetProcessId);
        exitCode = kAttachNeedsElevation;
    } else {
        Trace("Attached to program, PID = " + processId + ", started " + std::to_string(program.startedAgoMs) +
              " ms ago");
        if (Settings.FollowChildren) {
            Trace("program->followchildren does not apply to a program already running: following its process only");
        }
        const Ending ending = Supervise(program, marks);
        if (ending == Ending::ProgramEnded) TraceExitCode(program);
        if (ending == Ending::StopRequested) Trace("Stopped on request: the window is given back, the program runs on");
        if (ending == Ending::NeedsAdministrator) exitCode = kAttachNeedsElevation;
    }
    CloseProgram(program);
    ReleaseMarks(marks);
    return exitCode;
}
