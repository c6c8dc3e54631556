#include "watch/watch.h"

#include <algorithm>
#include <vector>

#include "diagnostics/error_box.h"
#include "diagnostics/log_file.h"
#include "diagnostics/trace.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/processes.h"
#include "platform/windows.h"
#include "watch/folder.h"
#include "watch/profiles.h"
#include "watch/sightings.h"
#include "watch/supervisions.h"
#include "watch/switched_off.h"
#include "watch/tray.h"
#include "watch/watch_state.h"
#include "watch/watch_window.h"

namespace {

constexpr std::uint32_t kWalkMs = 1000;
// Editors save in steps: the folder is read once it has been quiet this long.
constexpr std::uint32_t kQuietMs = 500;
constexpr std::uint32_t kStopWaitMs = 15000;
constexpr std::uint32_t kHandOverMs = 5000;
// A watch that has just started holds its mutex a moment before its window exists.
constexpr std::uint32_t kWindowAppearsMs = 5000, kWindowLookMs = 100;

bool Due(std::uint32_t now, std::uint32_t at) { return static_cast<std::int32_t>(now - at) >= 0; }

platform::WindowHandle FindRunningWatch(std::uint32_t patienceMs) {
    platform::WindowHandle window = platform::FindWindowA(kWatchWindowClass);
    for (std::uint32_t waited = 0; window == 0 && waited < patienceMs; waited += kWindowLookMs) {
        platform::Sleep(kWindowLookMs);
        window = platform::FindWindowA(kWatchWindowClass);
    }
    return window;
}

int HandOver(const std::string& folder) {
    const platform::WindowHandle window = FindRunningWatch(kWindowAppearsMs);
    if (window == 0) {
        Trace("Another watch is starting, but shows no window: " + folder + " is not handed over");
        return 0;
    }
    if (platform::SendCopyData(window, kFolderHandOver, folder, kHandOverMs)) {
        Trace("The running watch watches " + folder + " from now on");
    } else {
        Trace("The running watch did not take " + folder);
    }
    return 0;
}

void TakeMessages() {
    platform::QueuedMessage message;
    while (platform::PeekMessageA(message)) platform::DispatchMessageA(message);
    platform::WindowHandle created;
    while (platform::TakeCreatedWindow(created)) SeeWindow(created);
}

// Wakes for the folder's changes, a supervisor's end, a message or an event; walks
// the windows once a second whatever else happens.
void RunLoop() {
    std::uint32_t nextWalk = platform::GetTickCount();
    bool readPending = false;
    std::uint32_t readAt = 0;
    std::vector<platform::KernelHandle> handles;
    while (!Watch.ending) {
        std::uint32_t now = platform::GetTickCount();
        if (Due(now, nextWalk)) {
            WalkWindows();
            nextWalk = now + kWalkMs;
        }
        if (readPending && Due(now, readAt)) {
            readPending = false;
            ReadProfiles();
        }
        MatchProcesses();
        RefreshTrayIcon();
        LogTick();

        handles.clear();
        if (Watch.change != platform::kInvalidHandle) handles.push_back(Watch.change);
        const std::size_t firstSupervisor = handles.size();
        for (const Supervision& supervision : Watch.supervisions) handles.push_back(supervision.supervisor.process);
        // The system waits on 63 handles beside the queue; the walk looks at the others.
        if (handles.size() > 63) handles.resize(63);
        now = platform::GetTickCount();
        std::uint32_t timeout = Due(now, nextWalk) ? 0 : nextWalk - now;
        if (readPending) timeout = std::min(timeout, Due(now, readAt) ? 0u : readAt - now);
        const std::uint32_t count = static_cast<std::uint32_t>(handles.size());
        const std::uint32_t woken = platform::MsgWaitForMultipleObjects(handles.data(), count, timeout);
        if (woken == platform::kWaitObject0 + count) {
            TakeMessages();
        } else if (woken < platform::kWaitObject0 + firstSupervisor) {
            platform::FindNextChangeNotification(Watch.change);
            readPending = true;
            readAt = platform::GetTickCount() + kQuietMs;
        } else if (woken < platform::kWaitObject0 + count) {
            ReapSupervisions();
        }
    }
}

void Watching() {
    Watch.change = WatchFolderChanges(Watch.folder);
    if (CreateWatchWindow()) {
        ShowTrayIcon();
    } else {
        Trace("Cannot make the watch's window: it can be neither stopped nor handed a folder");
    }
    const std::uint32_t hook = platform::SetWindowCreationHook();
    if (hook == 0) Trace("Cannot hear of windows being created: programs are found by the walk alone");
    Trace("Watching " + Watch.folder);
    RunLoop();
    EndTheWatch();
    Trace("The watch ends");
    if (hook != 0) platform::UnhookWinEvent(hook);
    DestroyWatchWindow();
    if (Watch.change != platform::kInvalidHandle) platform::FindCloseChangeNotification(Watch.change);
}

// Whatever way the watch ends, an exception included, the windows go back.
struct WatchCleanUp {
    ~WatchCleanUp() {
        EndTheWatch();
        ForgetProcesses();
        Watch = WatchState{};
    }
};

}  // namespace

int RunWatch(const std::string& written) {
    const std::string folder = WatchFolderPath(written);
    if (!IsFolder(folder)) {
        ShowErrorBox("Cannot watch " + folder + ": there is no such folder");
        return 0;
    }
    bool existed = false;
    const platform::KernelHandle mutex = platform::CreateMutexW(kWatchMutexName, existed);
    if (existed) {
        platform::CloseHandle(mutex);
        return HandOver(folder);
    }
    {
        const WatchCleanUp cleanUp;
        StartWatchLog(folder);
        Watch = WatchState{};
        Watch.folder = folder;
        ReadSwitchedOff();
        ReadProfiles();
        if (AnyUsableProfile(Watch.profiles)) {
            Watching();
        } else {
            ShowErrorBox("No profile in " + folder + " can be watched: every .ini file there is refused or names no "
                         "program (" + kWatchLogName + " there says why).");
        }
    }
    if (mutex != 0) platform::CloseHandle(mutex);
    return 0;
}

int StopRunningWatch() {
    const platform::WindowHandle window = platform::FindWindowA(kWatchWindowClass);
    if (window == 0) {
        Trace("No watch is running");
        return 0;
    }
    std::uint32_t processId = 0;
    platform::GetWindowThreadProcessId(window, processId);
    const platform::KernelHandle process = platform::OpenProcess(platform::kSynchronize, processId);
    platform::PostMessageA(window, platform::kWmClose, 0, 0);
    bool ended = true;
    if (process != 0) {
        ended = platform::WaitForSingleObject(process, kStopWaitMs) == platform::kWaitObject0;
        platform::CloseHandle(process);
    }
    Trace(ended ? "The watch has ended" : "The watch did not end within 15 s");
    return ended ? 0 : 1;
}
