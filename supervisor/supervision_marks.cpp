#include "supervisor/supervision_marks.h"

std::string SupervisedMarkName(std::uint32_t programProcessId) {
    return "Local\\Framewright.Supervised." + std::to_string(programProcessId);
}

std::string StopRequestName(std::uint32_t supervisorProcessId) {
    return "Local\\Framewright.Stop." + std::to_string(supervisorProcessId);
}
