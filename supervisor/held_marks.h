// The marks a supervisor holds (SupervisedMarkName), one per process it supervises,
// from right after it has the process until it ends.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/processes.h"

struct HeldMark {
    std::uint32_t processId;
    platform::KernelHandle mutex;  // 0: the system would not make it
};
using HeldMarks = std::vector<HeldMark>;

// Takes the process's mark and keeps it. False when another Framewright held it
// already; with `onlyIfFree` the mark is then let go again at once. When the system
// would not make the mark, the supervision goes on without it.
bool HoldMark(HeldMarks& marks, std::uint32_t processId, bool onlyIfFree);

// With a job: the marks follow its list of processes, a mark taken for each new one
// and let go for each one gone. A list as it was costs no call and no allocation.
void FollowJob(HeldMarks& marks, const platform::JobProcessIds& processes);

void ReleaseMarks(HeldMarks& marks);
