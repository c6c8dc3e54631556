// Starting the watch with Windows: a value under the current user's Run key, which
// needs no administrator rights and which the user sees in the system's list of
// programs started at sign-in.
#pragma once

#include <string>

// The value's text: the exe quoted, "--watch" and the folder quoted, without a
// trailing backslash (a backslash before the closing quote would escape it).
std::string StartWithWindowsCommand(const std::string& exePath, const std::string& folder);

enum class StartWithWindows {
    Off,        // no value
    ThisWatch,  // it starts this exe watching this folder
    Other,      // it starts another exe, another folder, or something else
};
// The value's text as written; empty when there is none.
std::string StartWithWindowsValue();
// Paths compare as Windows compares them: made full, without case.
StartWithWindows ReadStartWithWindows(const std::string& exePath, const std::string& folder);
// The user's choice. On: the value is written, replacing another one's (only
// because the user chose it). Off: the value is removed when it is this watch's;
// another's is left alone. False when the registry refused.
bool ChooseStartWithWindows(bool on, const std::string& exePath, const std::string& folder);
