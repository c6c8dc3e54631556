#include "tests/support/centred_game.h"

#include "settings/settings.h"

void UseCentredGame(const char* programFile) {
    InitialiseSettings();
    Settings.ProgramPath = "C:\\Games\\Old";
    Settings.ProgramFile = programFile;
    Settings.FindByPid = true;
    Settings.FirstResizeDelayMs = 50;
    Settings.FirstResizeTimeoutMs = 5000;
    Settings.WindowWidth = 800;
    Settings.WindowHeight = 600;
    Settings.AutodetectBorderSize = true;
    DisplayWidth = 1920;
    DisplayHeight = 1080;
}

std::string CentredGameIni(const std::string& tweaks) {
    return "[program]\npath=C:\\Games\\Old\nname=game.exe\n[windowresize]\nwindowfindmethod=pidonly\n"
           "firstresizedelayms=50\nfirstresizetimeoutms=5000\nwindowwidth=800\nwindowheight=600\n"
           "movewindow=centre\nscalingmethod=defined\n[tweaks]\n" +
           tweaks;
}
