// The program a supervisor looks after: one it started, or one started elsewhere
// that it attached to. Either way the same loop supervises it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/processes.h"

struct SupervisedProgram {
    platform::ProcessInformation process;  // no thread when attached
    // With followchildren the job that holds it and every process it starts in
    // turn (0: none), which may outlive it.
    platform::KernelHandle job = 0;
    bool startedEnded = false;
    // Attached: the event that asks for the window back (0: none; its caller's to
    // close), and how long before the attach the process was created, which counts
    // towards the delay.
    bool attached = false;
    platform::KernelHandle stopRequest = 0;
    std::int64_t startedAgoMs = 0;
};

// Starts the configured program, with followchildren in a job of its own. False,
// with the system's error, when it did not start.
bool StartProgram(SupervisedProgram& program, std::uint32_t& error);

// Opens the running process that the text names (a decimal number) for waiting and
// querying, and reads when it was created. False after the box "Failed to attach
// to process PID: <the system's text>".
bool OpenRunningProgram(const std::string& processText, SupervisedProgram& program);

// The whole list of the job's processes: the buffer grows, with room to spare, when
// the job has outgrown it, so a cycle in which the job did not grow allocates nothing.
bool QueryJobProcesses(platform::KernelHandle job, platform::JobProcessIds& processes);

// Closes the process's, the thread's and the job's handles.
void CloseProgram(SupervisedProgram& program);
