// Programs that run as administrator. The system drops the calls of a program with
// fewer rights on their windows, so such a program is sized only by a Framewright
// that runs as administrator too.
#pragma once

#include <cstdint>

#include "platform/processes.h"

// The configured program asks for administrator rights that the launcher has not:
// starts the launcher again as administrator, after the system's prompt, with the
// same arguments and working directory, and returns for this one to end. A prompt
// declined, or any other failure, gets the box that the program did not start.
void StartAgainAsAdministrator();

// Whether the process runs as administrator and this Framewright does not. A token
// the system keeps to itself for access is that of a process with higher rights.
bool RunsAboveOwnRights(platform::KernelHandle process);

// The one line that says so, naming the process by its image's file name.
void TraceNeedsAdministrator(std::uint32_t processId);
