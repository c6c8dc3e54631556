// The diagnostic build's entry point: the same launcher, with every trace line sent
// to the debugger output, where a debug-output viewer shows it.
#include <string>

#include "app/entry.h"
#include "diagnostics/trace.h"
#include "platform/processes.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace {
void SendToDebugger(std::string_view line) { platform::OutputDebugStringA(std::string(line)); }
}  // namespace

int main() {
    SetTraceSink(SendToDebugger);
    InitialiseSettings();
    const LauncherArguments arguments = SelectProfile(platform::GetCommandLineA());
    int exitCode = RunFlowOf(arguments);
    FinaliseSettings();
    return exitCode;
}
