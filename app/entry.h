#pragma once

#include <string>

#include "settings/command_line.h"

// The launcher's whole run after InitialiseSettings: load the settings, read the
// display, launch and supervise the program. Every failure the user must see has
// been shown in a box by the time it returns. Returns the process exit code (0).
int RunEntryFlow();

// The same for "--attach PID": supervises the running process that the text names
// instead of starting [program]. Returns the attach's exit code
// (supervisor/supervision_marks.h): kAttachBoxShown once any box was shown.
int RunAttachFlow(const std::string& attachProcess);

// "--watch [FOLDER]" and "--watch --stop" (watch/watch.h), with their exit codes.
int RunWatchFlow(const std::string& folder);
int RunStopWatchFlow();

// The flow the arguments' mode asks for.
int RunFlowOf(const LauncherArguments& arguments);
