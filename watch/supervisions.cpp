#include "watch/supervisions.h"

#include <string>

#include "diagnostics/system_error.h"
#include "diagnostics/trace.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "settings/command_line.h"
#include "settings/full_path.h"
#include "supervisor/supervision_marks.h"
#include "watch/notices.h"

namespace {

std::string ProgramName(const Supervision& supervision) {
    const WatchedProfile* profile = FindProfile(supervision.profilePath);
    const std::string process = "process " + std::to_string(supervision.programProcessId);
    return profile != nullptr && !profile->programFile.empty() ? profile->programFile + " (" + process + ")" : process;
}

void TellEnd(const Supervision& supervision, std::uint32_t exitCode) {
    const std::string name = ProgramName(supervision);
    switch (exitCode) {
    case kAttachEnded:
        Trace("Supervision of " + name + " ended");
        break;
    case kAttachBoxShown:
        TellUser("The supervision of " + name + " ended with an error box");
        break;
    case kAttachNeedsElevation:
        TellUser(name + " runs as administrator: start the watch as administrator to size it");
        break;
    case kAttachAlreadySupervised:
        Trace("Another Framewright supervises " + name + ": left alone");
        break;
    default:
        Trace("The supervisor of " + name + " ended with exit code " + std::to_string(exitCode));
    }
}

}  // namespace

bool StartSupervision(std::uint32_t programProcessId, const WatchedProfile& profile) {
    const std::string exe = platform::GetModuleFileNameW();
    const std::string commandLine =
        "\"" + exe + "\" --attach " + std::to_string(programProcessId) + " \"" + profile.profilePath + "\"";
    Supervision supervision;
    supervision.programProcessId = programProcessId;
    supervision.profilePath = profile.profilePath;
    if (!platform::CreateProcessA(exe, commandLine, FolderOf(profile.programPath, AnsiLeadBytes()),
                                  supervision.supervisor)) {
        Trace("Cannot start the supervisor of process " + std::to_string(programProcessId) + ": " + LastErrorText());
        return false;
    }
    platform::CloseHandle(supervision.supervisor.thread);
    supervision.supervisor.thread = 0;
    // Made now and held, so that a stop request set before the supervisor opens it is not lost.
    bool existed = false;
    supervision.stopRequest = platform::CreateEventW(StopRequestName(supervision.supervisor.processId), existed);
    Watch.supervisions.push_back(supervision);
    Trace("Attaching to " + profile.programFile + " (process " + std::to_string(programProcessId) + ") with " +
          profile.profileFile + ": supervisor process " + std::to_string(supervision.supervisor.processId));
    return true;
}

void ReapSupervisions() {
    for (std::size_t i = 0; i < Watch.supervisions.size();) {
        Supervision& supervision = Watch.supervisions[i];
        if (platform::WaitForSingleObject(supervision.supervisor.process, 0) != platform::kWaitObject0) {
            ++i;
            continue;
        }
        std::uint32_t exitCode = 0;
        platform::GetExitCodeProcess(supervision.supervisor.process, exitCode);
        TellEnd(supervision, exitCode);
        if (supervision.stopRequested) {
            for (SeenProcess& process : Watch.processes) {
                if (process.processId == supervision.programProcessId) process.decided = false;
            }
        }
        platform::CloseHandle(supervision.supervisor.process);
        if (supervision.stopRequest != 0) platform::CloseHandle(supervision.stopRequest);
        Watch.supervisions.erase(Watch.supervisions.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

bool IsSupervised(std::uint32_t programProcessId) {
    for (const Supervision& supervision : Watch.supervisions) {
        if (supervision.programProcessId == programProcessId) return true;
    }
    return false;
}
