// The settings the loop's tests start from.
#pragma once

// A fresh record: the program file started from C:\Games\Old and found by PID, its
// window made 800 x 600 after 50 ms (given up after 5 s), centred on a 1920 x 1080
// display, its border measured, and locked.
void UseCentredLockedGame(const char* programFile);
