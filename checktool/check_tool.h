// The check tool: reads "framewright.ini" in the working directory, or the profile
// named among its arguments, with the launcher's own LoadSettings, lists the settings, and reports the first rejection
// or what the launcher would do; with --watch, a folder's profiles as the watch reads them. It starts nothing and
// changes nothing.
#pragma once

#include <string>
#include <vector>

#include "settings/command_line.h"

struct CheckResult {
    int exitCode = 0;  // 0: the file is valid (or a profile can be watched); 1: rejected; 2: bad arguments
    std::string out;
    std::string err;
};

// Runs the whole check, from InitialiseSettings on, for the arguments after the
// program name and before "--", and the launch that followed "--", if any.
CheckResult RunCheckTool(const std::vector<std::string>& arguments, const WrappedLaunch& launch = {});
