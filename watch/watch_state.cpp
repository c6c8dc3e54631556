#include "watch/watch_state.h"

#include "diagnostics/trace.h"
#include "supervisor/supervision_marks.h"
#include "watch/paths.h"

WatchState Watch;

WatchedProfile* FindProfile(const std::string& profilePath) {
    for (WatchedProfile& profile : Watch.profiles) {
        if (SamePath(profile.profilePath, profilePath)) return &profile;
    }
    return nullptr;
}

namespace {

void RequestStop(Supervision& supervision) {
    if (supervision.stopRequested) return;
    supervision.stopRequested = true;
    if (supervision.stopRequest == 0) {
        bool existed = false;
        supervision.stopRequest =
            platform::CreateEventW(StopRequestName(supervision.supervisor.processId), existed);
    }
    if (supervision.stopRequest != 0) platform::SetEvent(supervision.stopRequest);
    Trace("Stop requested of the supervisor of process " + std::to_string(supervision.programProcessId));
}

}  // namespace

void EndSupervisionsOf(const std::string& profilePath) {
    for (Supervision& supervision : Watch.supervisions) {
        if (SamePath(supervision.profilePath, profilePath)) RequestStop(supervision);
    }
}

void EndEverySupervision() {
    for (Supervision& supervision : Watch.supervisions) RequestStop(supervision);
}

bool WaitForSupervisorsToEnd(std::uint32_t timeoutMs) {
    const std::uint32_t start = platform::GetTickCount();
    for (const Supervision& supervision : Watch.supervisions) {
        const std::uint32_t spent = platform::GetTickCount() - start;
        if (spent >= timeoutMs) return false;
        if (platform::WaitForSingleObject(supervision.supervisor.process, timeoutMs - spent) != platform::kWaitObject0) {
            return false;
        }
    }
    return true;
}
