// The attached Framewrights the watch starts, one per matching program: started
// with "framewright.exe --attach PID "PROFILE"", and their ends told.
#pragma once

#include <cstdint>

#include "watch/watch_state.h"

// Starts the supervisor of the program with the profile, in the program's folder
// (where the launch mode starts a program). False, traced, when it cannot start.
bool StartSupervision(std::uint32_t programProcessId, const WatchedProfile& profile);

// Takes each supervisor that has ended off the list, its exit code told. A program
// whose supervisor ended on the watch's stop request is matched again.
void ReapSupervisions();

// Whether a supervision of the process runs.
bool IsSupervised(std::uint32_t programProcessId);
