// The settings the loop's tests start from, as a record and as a file.
#pragma once

#include <string>

// A fresh record: the program file started from C:\Games\Old and found by PID, its
// window made 800 x 600 after 50 ms (given up after 5 s), centred on a 1920 x 1080
// display, its border measured. Not locked.
void UseCentredGame(const char* programFile);

// The same for C:\Games\Old\game.exe as a file, with `tweaks` as its [tweaks] section.
std::string CentredGameIni(const std::string& tweaks);
