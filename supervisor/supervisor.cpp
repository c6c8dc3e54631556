#include "supervisor/supervisor.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "diagnostics/error_box.h"
#include "diagnostics/log_file.h"
#include "diagnostics/system_error.h"
#include "diagnostics/trace.h"
#include "geometry/frame.h"
#include "geometry/measurement.h"
#include "geometry/placement.h"
#include "platform/input.h"
#include "platform/processes.h"
#include "platform/windows.h"
#include "play/play.h"
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

// The started program, and with followchildren the job that holds it and every
// process it starts in turn (0: none), which may outlive it.
struct Launch {
    platform::ProcessInformation process;
    platform::KernelHandle job = 0;
    bool startedEnded = false;
};

// Puts the suspended process into a job of its own, so that no child can start
// outside it. The job sets no limits: closing it kills nothing.
platform::KernelHandle JoinJob(platform::KernelHandle process) {
    platform::KernelHandle job = platform::CreateJobObjectW();
    if (job != 0 && platform::AssignProcessToJobObject(job, process)) {
        Trace("Following child processes");
        return job;
    }
    // A launcher that itself runs in a job may be forbidden to make another.
    const std::string reason = LastErrorText();
    if (job != 0) platform::CloseHandle(job);
    Trace("Cannot follow child processes (" + reason + "); following the started process only");
    return 0;
}

bool StartProgram(Launch& launch) {
    if (!Settings.FollowChildren) {
        return platform::CreateProcessA(Settings.ProgramFile, Settings.ProgramParameters, Settings.ProgramPath,
                                        launch.process);
    }
    if (!platform::CreateProcessA(Settings.ProgramFile, Settings.ProgramParameters, Settings.ProgramPath,
                                  platform::kCreateSuspended, launch.process)) {
        return false;
    }
    launch.job = JoinJob(launch.process.process);
    if (platform::ResumeThread(launch.process.thread) != 0xFFFFFFFFu) return true;
    // A program that cannot be resumed would never run: it did not start.
    platform::TerminateProcess(launch.process.process, 1);
    platform::CloseHandle(launch.process.process);
    platform::CloseHandle(launch.process.thread);
    if (launch.job != 0) platform::CloseHandle(launch.job);
    return false;
}

// The whole list of the job's processes: the buffer grows, with room to spare, when
// the job has outgrown it, so a cycle in which the job did not grow allocates nothing.
bool QueryJobProcesses(platform::KernelHandle job, platform::JobProcessIds& processes) {
    while (!platform::QueryInformationJobObject(job, processes)) {
        if (platform::GetLastError() != platform::kErrorMoreData) return false;
        processes.ids.resize(2 * std::max<std::size_t>(processes.active, processes.ids.size()));
    }
    return true;
}

// One wait on the started process and, with a job, one query of the job per cycle:
// with a job the program has ended when its last process has. While the launcher's
// queue is in use the wait also tells whether something came to it (`queued`), so
// an empty queue costs no call of its own. A started process that has ended would
// answer every wait at once, before the queue: from then on the wait is on the
// queue alone.
bool ProgramHasEnded(Launch& launch, bool& queued) {
    std::uint32_t waited;
    if (PlayUsesQueue()) {
        const std::uint32_t handles = launch.startedEnded ? 0 : 1;
        waited = platform::MsgWaitForMultipleObjects(&launch.process.process, handles, kProcessWaitMs);
        queued = waited == platform::kWaitObject0 + handles;
    } else {
        waited = platform::WaitForSingleObject(launch.process.process, kProcessWaitMs);
    }
    const bool startedEnded = launch.startedEnded || waited == platform::kWaitObject0;
    launch.startedEnded = startedEnded;
    if (launch.job == 0) return startedEnded;
    if (!QueryJobProcesses(launch.job, TargetJobProcesses)) {
        TargetJobProcesses.active = TargetJobProcesses.listed = 0;
        return startedEnded;
    }
    return TargetJobProcesses.active == 0;
}

}  // namespace

namespace {

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

void RunTargetProgram() {
    Launch launch;
    if (!StartProgram(launch)) {
        ShowErrorBox("Failed to execute program: " + Settings.ProgramFile);
        return;
    }
    const platform::ProcessInformation& process = launch.process;
    TargetProcessId = process.processId;
    Trace("Program started, PID = " + std::to_string(TargetProcessId));

    std::int32_t elapsedMs = 0;
    bool firstResizePending = true;
    bool gaveUp = false;
    bool reposition = Settings.MoveWindow != MoveWindowMode::None;

    if (Settings.LockWindow) Trace("Will lock window size");
    if (Settings.AlwaysMoveWindow) Trace("Will lock window position");
    StartPlay();
    platform::timeBeginPeriod(kTimerPeriodMs);

    bool queued = false;
    while (!ProgramHasEnded(launch, queued)) {
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
        } else if (Settings.LockWindow && !PlayPaused()) {
            outerSeen = LockWindowOnce(reposition, outer) == LockOutcome::Unchanged;
        }
        PlayCycle(outerSeen ? &outer : nullptr, !firstResizePending);
    }

    platform::timeEndPeriod(kTimerPeriodMs);
    EndPlay();
    std::uint32_t exitCode = 0;
    platform::GetExitCodeProcess(process.process, exitCode);
    Trace("Program stopped with exit code: " + std::to_string(exitCode));
    platform::CloseHandle(process.process);
    platform::CloseHandle(process.thread);
    if (launch.job != 0) platform::CloseHandle(launch.job);
}
