#include "tests/support/centred_game.h"

#include "settings/settings.h"

void UseCentredLockedGame(const char* programFile) {
    InitialiseSettings();
    Settings.ProgramPath = "C:\\Games\\Old";
    Settings.ProgramFile = programFile;
    Settings.FindByPid = true;
    Settings.FirstResizeDelayMs = 50;
    Settings.FirstResizeTimeoutMs = 5000;
    Settings.WindowWidth = 800;
    Settings.WindowHeight = 600;
    Settings.AutodetectBorderSize = Settings.LockWindow = true;
    DisplayWidth = 1920;
    DisplayHeight = 1080;
}
