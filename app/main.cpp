// The launcher's entry point: no arguments, no window, no console; exit code 0.
// Its trace lines go nowhere.
#include "app/entry.h"
#include "settings/settings.h"

int main() {
    InitialiseSettings();
    int exitCode = RunEntryFlow();
    FinaliseSettings();
    return exitCode;
}
