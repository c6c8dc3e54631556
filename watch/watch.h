// "framewright.exe --watch [FOLDER]": stays resident, applying the folder's profiles
// to the programs that match them, whoever started them; and "--watch --stop".
#pragma once

#include <string>

// The watch of the folder (empty: the working directory) until it is closed or the
// session ends; every supervision it started then gives its window back. When
// another watch runs, the folder is handed to it instead, and this one ends at once.
// A folder that is none, or one without a usable profile, gets a box. Returns the
// exit code: 0.
int RunWatch(const std::string& folder);

// Closes the running watch and waits (up to 15 s) for it to end. Returns 0 when it
// ended or none was running, 1 when it did not end in time.
int StopRunningWatch();
