#include "watch/sightings.h"

#include <algorithm>
#include <string>
#include <vector>

#include "diagnostics/trace.h"
#include "platform/processes.h"
#include "supervisor/supervision_marks.h"
#include "watch/paths.h"
#include "watch/supervisions.h"
#include "watch/watch_state.h"

namespace {

SeenProcess* Seen(std::uint32_t processId) {
    for (SeenProcess& process : Watch.processes) {
        if (process.processId == processId) return &process;
    }
    return nullptr;
}

SeenProcess Open(std::uint32_t processId) {
    SeenProcess seen;
    seen.processId = processId;
    seen.process = platform::OpenProcess(platform::kSynchronize | platform::kProcessQueryLimitedInformation, processId);
    std::string image;
    if (seen.process != 0 && platform::QueryFullProcessImageNameW(seen.process, image)) {
        seen.image = ComparablePath(image);
    }
    return seen;
}

const WatchedProfile* MatchingProfile(const std::string& image) {
    for (const WatchedProfile& profile : Watch.profiles) {
        if (profile.refusal.empty() && profile.active && SamePath(profile.programPath, image)) return &profile;
    }
    return nullptr;
}

bool SupervisedElsewhere(std::uint32_t processId) {
    const platform::KernelHandle mark = platform::OpenMutexW(SupervisedMarkName(processId));
    if (mark == 0) return false;
    platform::CloseHandle(mark);
    return true;
}

bool HasEnded(const SeenProcess& process) {
    // Without a handle, a process is known only by its windows.
    if (process.process == 0) return !process.inLastWalk;
    return platform::WaitForSingleObject(process.process, 0) == platform::kWaitObject0;
}

void NoteProcess(std::uint32_t processId) {
    if (processId == platform::GetCurrentProcessId()) return;
    SeenProcess* seen = Seen(processId);
    if (seen == nullptr) {
        Watch.processes.push_back(Open(processId));
        seen = &Watch.processes.back();
    }
    seen->inLastWalk = true;
}

bool ByHandle(const KnownWindow& a, const KnownWindow& b) { return a.window < b.window; }

}  // namespace

void SeeWindow(platform::WindowHandle window) {
    std::uint32_t processId = 0;
    if (platform::GetWindowThreadProcessId(window, processId) != 0) NoteProcess(processId);
}

void WalkWindows() {
    for (SeenProcess& process : Watch.processes) process.inLastWalk = false;
    std::vector<KnownWindow>& known = Watch.knownWindows;
    std::vector<KnownWindow>& walked = Watch.walkedWindows;
    walked.clear();
    for (platform::WindowHandle window = platform::FindWindowA(); window != 0;
         window = platform::GetWindow(window, platform::kGwHwndNext)) {
        // A window the last walk found keeps its process, so only new windows cost a
        // question. A handle is not given again to another window for a long while.
        KnownWindow entry{window, 0};
        auto found = std::lower_bound(known.begin(), known.end(), entry, ByHandle);
        if (found != known.end() && found->window == window) {
            entry.processId = found->processId;
        } else if (platform::GetWindowThreadProcessId(window, entry.processId) == 0) {
            continue;
        }
        walked.push_back(entry);
        NoteProcess(entry.processId);
    }
    std::sort(walked.begin(), walked.end(), ByHandle);
    known.swap(walked);
    for (std::size_t i = 0; i < Watch.processes.size();) {
        SeenProcess& process = Watch.processes[i];
        if (!HasEnded(process)) {
            ++i;
            continue;
        }
        if (process.process != 0) platform::CloseHandle(process.process);
        Watch.processes.erase(Watch.processes.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void MatchProcesses() {
    if (Watch.paused) return;
    for (SeenProcess& process : Watch.processes) {
        // A supervision that is ending is waited for: the next is started after it.
        if (process.decided || IsSupervised(process.processId)) continue;
        process.decided = true;
        if (process.image.empty()) continue;
        const WatchedProfile* profile = MatchingProfile(process.image);
        if (profile == nullptr) continue;
        const std::string name = profile->programFile + " (process " + std::to_string(process.processId) + ")";
        if (SupervisedElsewhere(process.processId)) {
            Trace("Another Framewright supervises " + name + ": left alone");
            continue;
        }
        Trace("Program seen: " + name);
        StartSupervision(process.processId, *profile);
    }
}

void ForgetProcesses() {
    for (SeenProcess& process : Watch.processes) {
        if (process.process != 0) platform::CloseHandle(process.process);
    }
    Watch.processes.clear();
}
