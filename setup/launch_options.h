// The command lines that start the launcher on a profile.
#pragma once

#include <string>

// What "Run" starts: the launcher with the profile as its one argument, both in
// quotes, so a path with blanks stays one argument.
std::string ProfileCommandLine(const std::string& launcher, const std::string& profile);

// What a store or game library takes as a game's launch options: the launcher, the
// profile, and after "--" the word the store replaces with the game's own command
// line, "%command%".
std::string LaunchOptions(const std::string& launcher, const std::string& profile);
