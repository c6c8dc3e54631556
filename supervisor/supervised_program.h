// The program a supervisor looks after: one it started, or one started elsewhere
// that it attached to, and the wait on it in each cycle. Either way the same loop
// supervises it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/processes.h"
#include "supervisor/held_marks.h"

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

enum class Wake { Running, Ended, StopRequested };

// One wait per cycle. Launched: on the started process and, with a job, one query
// of the job, whose marks follow its list: with a job the program has ended when
// its last process has. While the launcher's queue is in use the wait also tells
// whether something came to it (`queued`), so an empty queue costs no call of its
// own. A started process that has ended would answer every wait at once, before the
// queue: from then on the wait is on the queue alone. Attached: the wait is on the
// process and the stop request.
Wake WaitForCycle(SupervisedProgram& program, HeldMarks& marks, bool& queued);

// Closes the process's, the thread's and the job's handles.
void CloseProgram(SupervisedProgram& program);
