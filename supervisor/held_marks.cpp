#include "supervisor/held_marks.h"

#include <algorithm>

#include "supervisor/supervision_marks.h"

bool HoldMark(HeldMarks& marks, std::uint32_t processId, bool onlyIfFree) {
    bool existed = false;
    const platform::KernelHandle mutex = platform::CreateMutexW(SupervisedMarkName(processId), existed);
    // A Framewright with higher rights holds a mark that this one may not open.
    const bool free = mutex != 0 ? !existed : platform::GetLastError() != platform::kErrorAccessDenied;
    if (!free && onlyIfFree) {
        if (mutex != 0) platform::CloseHandle(mutex);
        return false;
    }
    // Kept even when the system would not make it, so that a job's list compares as it was.
    marks.push_back({processId, mutex});
    return free;
}

namespace {

bool SameProcesses(const HeldMarks& marks, const platform::JobProcessIds& processes) {
    if (marks.size() != processes.listed) return false;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].processId != processes.ids[i]) return false;
    }
    return true;
}

}  // namespace

void FollowJob(HeldMarks& marks, const platform::JobProcessIds& processes) {
    if (SameProcesses(marks, processes)) return;
    HeldMarks followed;
    followed.reserve(processes.listed);
    for (std::uint32_t i = 0; i < processes.listed; ++i) {
        const std::uint32_t processId = processes.ids[i];
        auto held = std::find_if(marks.begin(), marks.end(), [processId](const HeldMark& mark) {
            return mark.processId == processId;
        });
        if (held == marks.end()) {
            HoldMark(followed, processId, false);
            continue;
        }
        followed.push_back(*held);
        marks.erase(held);
    }
    ReleaseMarks(marks);
    marks.swap(followed);
}

void ReleaseMarks(HeldMarks& marks) {
    for (const HeldMark& mark : marks) {
        if (mark.mutex != 0) platform::CloseHandle(mark.mutex);
    }
    marks.clear();
}
