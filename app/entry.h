#pragma once

// The launcher's whole run after InitialiseSettings: load the settings, read the
// display, launch and supervise the program. Every failure the user must see has
// been shown in a box by the time it returns. Returns the process exit code (0).
int RunEntryFlow();
