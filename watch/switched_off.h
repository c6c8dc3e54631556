// The profiles a person switched off in the watch's menu, kept in a small file of
// their names beside the profiles (never in the profiles themselves), so that they
// stay off when the watch starts again.
#pragma once

#include <string>
#include <vector>

#include "watch/watch_state.h"

constexpr const char* kSwitchedOffFileName = "framewright-watch.off";

// Reads the folder's file into Watch.switchedOff; without one, none is off.
void ReadSwitchedOff();
// Each profile is active unless its file name is listed.
void ApplySwitchedOff(std::vector<WatchedProfile>& profiles);
// Switches the profile on or off and writes the file; false, traced, when the file
// cannot be written (the choice holds until the watch ends).
bool SwitchProfile(WatchedProfile& profile, bool active);
