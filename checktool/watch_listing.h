// framewright-check --watch FOLDER: the folder's profiles as the watch reads them.
#pragma once

#include <string>

#include "checktool/check_tool.h"

// One line per profile, sorted as the watch sorts them: the program it watches, or
// why it is refused. Exit code 0 when the watch would find a profile to watch; 1
// when it would not start: no usable profile, or no folder it can read.
CheckResult CheckWatchFolder(const std::string& written);
