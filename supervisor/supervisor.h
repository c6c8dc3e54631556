#pragma once

#include <cstdint>
#include <string>

#include "platform/processes.h"

// Starts the configured program and supervises it until it ends: finds its window,
// gives it its first placement after the configured delay (or gives up at the
// time-out), and keeps it locked when asked. A program that asks for administrator
// rights the launcher has not is left to the launcher started again as administrator.
void RunTargetProgram();

// Makes this process's stop request (StopRequestName), or opens it when the watch
// made it already; 0 when the system would not.
platform::KernelHandle OpenStopRequest();

// Supervises the running process that the text names (a decimal number) as
// RunTargetProgram supervises the program it started, the delay counted from the
// process's creation and the time-out from now, until the process ends or the stop
// request is set: the window then gets back what it had when it was first found,
// and the program runs on. Returns the attach's exit code (supervision_marks.h);
// kAttachBoxShown only when the process could not be opened.
std::uint32_t AttachToProgram(const std::string& processText, platform::KernelHandle stopRequest);

// True exactly when no target window is known.
bool NeedToFindWindow();

// Re-applies the placement when the window's size, or with checkPosition its
// position too, differs from what was applied last, or when a window that is to be
// borderless shows its frame again. Returns the placement's result,
// or false when nothing differed.
bool CheckWindowLock(bool checkPosition);
