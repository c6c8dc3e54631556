// The launcher's entry point: no window, no console; exit code 0, or an attach's own.
// Its optional arguments name the configuration file and the mode; its trace lines
// go only to the log file that the configuration may name.
#include "app/entry.h"
#include "platform/processes.h"
#include "settings/settings.h"

int main() {
    InitialiseSettings();
    const LauncherArguments arguments = SelectProfile(platform::GetCommandLineA());
    int exitCode = RunFlowOf(arguments);
    FinaliseSettings();
    return exitCode;
}
