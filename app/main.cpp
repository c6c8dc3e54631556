// The launcher's entry point: no window, no console; exit code 0. Its one optional
// argument names the configuration file; its trace lines go only to the log file
// that the configuration may name.
#include "app/entry.h"
#include "platform/processes.h"
#include "settings/settings.h"

int main() {
    InitialiseSettings();
    SelectProfile(platform::GetCommandLineA());
    int exitCode = RunEntryFlow();
    FinaliseSettings();
    return exitCode;
}
