#include "supervisor/elevation.h"

#include <string>

#include "diagnostics/error_box.h"
#include "diagnostics/trace.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "settings/command_line.h"
#include "settings/settings.h"

void StartAgainAsAdministrator() {
    Trace("The program needs administrator rights: starting Framewright again as administrator");
    const std::string arguments(ArgumentsAfterProgramName(platform::GetCommandLineA(), AnsiLeadBytes()));
    if (platform::ShellExecuteExW("runas", platform::GetModuleFileNameW(), arguments,
                                  platform::GetCurrentDirectoryW())) {
        Trace("Framewright started again as administrator");
        return;
    }
    std::string message = "Failed to execute program: " + Settings.ProgramFile;
    if (platform::GetLastError() == platform::kErrorCancelled) {
        message += "\r\nIt needs administrator rights, and they were not given.";
    }
    ShowErrorBox(message);
}

bool RunsAboveOwnRights(platform::KernelHandle process) {
    bool ownElevated = false;
    if (platform::GetTokenElevation(platform::GetCurrentProcess(), ownElevated) && ownElevated) return false;
    bool elevated = false;
    if (platform::GetTokenElevation(process, elevated)) return elevated;
    return platform::GetLastError() == platform::kErrorAccessDenied;
}

void TraceNeedsAdministrator(std::uint32_t processId) {
    std::string path;
    const platform::KernelHandle process = platform::OpenProcess(platform::kProcessQueryLimitedInformation, processId);
    const bool named = process != 0 && platform::QueryFullProcessImageNameW(process, path);
    if (process != 0) platform::CloseHandle(process);
    const std::string name = named ? path.substr(path.find_last_of('\\') + 1) : "Process " + std::to_string(processId);
    Trace(name + " runs as administrator: start the watch as administrator to size it");
}
