// Processes, jobs, waits and the clock on the simulated desktop.
#include "platform/processes.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, ProcessInformation& info) {
    Active().count(Call::CreateProcessA);
    return Active().createProcess(applicationName, commandLine, currentDirectory, 0, info);
}

bool CreateProcessA(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, std::uint32_t creationFlags, ProcessInformation& info) {
    Active().count(Call::CreateProcessA);
    return Active().createProcess(applicationName, commandLine, currentDirectory, creationFlags, info);
}

std::uint32_t ResumeThread(KernelHandle thread) {
    Active().count(Call::ResumeThread);
    return Active().resumeThread(thread);
}

bool TerminateProcess(KernelHandle process, std::uint32_t exitCode) {
    Active().count(Call::TerminateProcess);
    return Active().terminateProcess(process, exitCode);
}

bool GetExitCodeProcess(KernelHandle process, std::uint32_t& exitCode) {
    Active().count(Call::GetExitCodeProcess);
    return Active().exitCodeOf(process, exitCode);
}

void ExitProcess(std::uint32_t exitCode) {
    Active().count(Call::ExitProcess);
    throw fake::ProcessExit{exitCode};
}

std::string GetCommandLineA() {
    Active().count(Call::GetCommandLineA);
    return Active().commandLine();
}

std::uint32_t GetCurrentProcessId() {
    Active().count(Call::GetCurrentProcessId);
    return fake::Desktop::kLauncherPid;
}

KernelHandle OpenProcess(std::uint32_t, std::uint32_t processId) {
    Active().count(Call::OpenProcess);
    return Active().openProcess(processId);
}

bool GetProcessTimes(KernelHandle process, std::uint64_t& creationTime) {
    Active().count(Call::GetProcessTimes);
    return Active().creationTime(process, creationTime);
}

bool QueryFullProcessImageNameW(KernelHandle process, std::string& path) {
    Active().count(Call::QueryFullProcessImageNameW);
    return Active().imageName(process, path);
}

KernelHandle GetCurrentProcess() {
    Active().count(Call::GetCurrentProcess);
    return fake::Desktop::kLauncherProcess;
}

bool GetTokenElevation(KernelHandle process, bool& elevated) {
    Active().count(Call::GetTokenElevation);
    return Active().tokenElevation(process, elevated);
}

std::uint64_t GetSystemTimeAsFileTime() {
    Active().count(Call::GetSystemTimeAsFileTime);
    return Active().fileTimeNow();
}

KernelHandle CreateJobObjectW() {
    Active().count(Call::CreateJobObjectW);
    return Active().createJob();
}

bool AssignProcessToJobObject(KernelHandle job, KernelHandle process) {
    Active().count(Call::AssignProcessToJobObject);
    return Active().assignToJob(job, process);
}

bool QueryInformationJobObject(KernelHandle job, JobProcessIds& processes) {
    Active().count(Call::QueryInformationJobObject);
    return Active().queryJob(job, processes);
}

std::uint32_t WaitForSingleObject(KernelHandle handle, std::uint32_t milliseconds) {
    Active().count(Call::WaitForSingleObject);
    return Active().waitForObjects(&handle, 1, milliseconds, false);
}

std::uint32_t WaitForMultipleObjects(const KernelHandle* handles, std::uint32_t count, std::uint32_t milliseconds) {
    Active().count(Call::WaitForMultipleObjects);
    return Active().waitForObjects(handles, count, milliseconds, false);
}

KernelHandle CreateMutexW(const std::string& name, bool& existed) {
    Active().count(Call::CreateMutexW);
    return Active().createNamed(name, false, existed);
}

KernelHandle CreateEventW(const std::string& name, bool& existed) {
    Active().count(Call::CreateEventW);
    return Active().createNamed(name, true, existed);
}

KernelHandle OpenMutexW(const std::string& name) {
    Active().count(Call::OpenMutexW);
    return Active().openMutex(name);
}

bool SetEvent(KernelHandle event) {
    Active().count(Call::SetEvent);
    return Active().setEvent(event);
}

void Sleep(std::uint32_t milliseconds) {
    Active().count(Call::Sleep);
    Active().advanceTo(Active().now() + milliseconds);
}

// The virtual clock, seen from a system that has been up for a while.
std::uint32_t GetTickCount() {
    Active().count(Call::GetTickCount);
    return static_cast<std::uint32_t>(5000000 + Active().now());
}

LocalTime GetLocalTime() {
    Active().count(Call::GetLocalTime);
    return {2026, 12, 8, 9, 5, 3};
}

std::uint32_t timeBeginPeriod(std::uint32_t period) {
    Active().count(Call::timeBeginPeriod);
    Active().timerPeriod(true, period);
    return 0;
}

std::uint32_t timeEndPeriod(std::uint32_t period) {
    Active().count(Call::timeEndPeriod);
    Active().timerPeriod(false, period);
    return 0;
}

bool CloseHandle(KernelHandle handle) {
    Active().count(Call::CloseHandle);
    return Active().closeHandle(handle);
}

std::uint32_t GetLastError() {
    Active().count(Call::GetLastError);
    return Active().lastError();
}

}  // namespace platform
