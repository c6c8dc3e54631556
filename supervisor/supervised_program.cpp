#include "supervisor/supervised_program.h"

#include <algorithm>

#include "diagnostics/error_box.h"
#include "diagnostics/system_error.h"
#include "diagnostics/trace.h"
#include "platform/input.h"
#include "play/play.h"
#include "settings/settings.h"

namespace {

constexpr std::uint32_t kProcessWaitMs = 1;

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

// Decimal digits alone, as a process identifier is written.
bool ParseProcessId(const std::string& text, std::uint32_t& processId) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) return false;
    processId = static_cast<std::uint32_t>(value);
    return true;
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

}  // namespace

bool StartProgram(SupervisedProgram& program, std::uint32_t& error) {
    platform::ProcessInformation& process = program.process;
    if (!Settings.FollowChildren) {
        if (platform::CreateProcessA(Settings.ProgramFile, Settings.ProgramParameters, Settings.ProgramPath, process)) {
            return true;
        }
        error = platform::GetLastError();
        return false;
    }
    if (!platform::CreateProcessA(Settings.ProgramFile, Settings.ProgramParameters, Settings.ProgramPath,
                                  platform::kCreateSuspended, process)) {
        error = platform::GetLastError();
        return false;
    }
    program.job = JoinJob(process.process);
    if (platform::ResumeThread(process.thread) != 0xFFFFFFFFu) return true;
    // A program that cannot be resumed would never run: it did not start.
    error = platform::GetLastError();
    platform::TerminateProcess(process.process, 1);
    CloseProgram(program);
    return false;
}

bool OpenRunningProgram(const std::string& processText, SupervisedProgram& program) {
    std::uint32_t processId = 0;
    const bool isNumber = ParseProcessId(processText, processId);
    const platform::KernelHandle process =
        isNumber ? platform::OpenProcess(platform::kSynchronize | platform::kProcessQueryLimitedInformation, processId)
                 : 0;
    if (process == 0) {
        const std::string reason =
            isNumber ? LastErrorText() : SystemErrorText(platform::kErrorInvalidParameter);
        // With nothing after --attach, the box says what was to come there.
        const std::string named = processText.empty() ? "(none given: --attach PID [PROFILE.ini])" : processText;
        ShowErrorBox("Failed to attach to process " + named + ": " + reason);
        return false;
    }
    program.process.process = process;
    program.process.processId = processId;
    program.attached = true;
    std::uint64_t created = 0;
    const std::uint64_t now = platform::GetSystemTimeAsFileTime();
    // A time that cannot be read, or one ahead of the clock, counts the delay from the attach.
    if (platform::GetProcessTimes(process, created) && created < now) {
        program.startedAgoMs = static_cast<std::int64_t>((now - created) / 10000);
    }
    return true;
}

Wake WaitForCycle(SupervisedProgram& program, HeldMarks& marks, bool& queued) {
    std::uint32_t waited;
    if (program.attached) {
        const platform::KernelHandle handles[] = {program.process.process, program.stopRequest};
        const std::uint32_t count = program.stopRequest != 0 ? 2 : 1;
        if (PlayUsesQueue()) {
            waited = platform::MsgWaitForMultipleObjects(handles, count, kProcessWaitMs);
            queued = waited == platform::kWaitObject0 + count;
        } else {
            waited = platform::WaitForMultipleObjects(handles, count, kProcessWaitMs);
        }
        if (waited == platform::kWaitObject0) return Wake::Ended;
        return count == 2 && waited == platform::kWaitObject0 + 1 ? Wake::StopRequested : Wake::Running;
    }
    if (PlayUsesQueue()) {
        const std::uint32_t handles = program.startedEnded ? 0 : 1;
        waited = platform::MsgWaitForMultipleObjects(&program.process.process, handles, kProcessWaitMs);
        queued = waited == platform::kWaitObject0 + handles;
    } else {
        waited = platform::WaitForSingleObject(program.process.process, kProcessWaitMs);
    }
    const bool startedEnded = program.startedEnded || waited == platform::kWaitObject0;
    program.startedEnded = startedEnded;
    if (program.job == 0) return startedEnded ? Wake::Ended : Wake::Running;
    if (!QueryJobProcesses(program.job, TargetJobProcesses)) {
        TargetJobProcesses.active = TargetJobProcesses.listed = 0;
        return startedEnded ? Wake::Ended : Wake::Running;
    }
    FollowJob(marks, TargetJobProcesses);
    return TargetJobProcesses.active == 0 ? Wake::Ended : Wake::Running;
}

void CloseProgram(SupervisedProgram& program) {
    for (platform::KernelHandle* handle : {&program.process.process, &program.process.thread, &program.job}) {
        if (*handle != 0) platform::CloseHandle(*handle);
        *handle = 0;
    }
}
