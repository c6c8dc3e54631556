// What Framewrights tell each other, by name, about the programs they supervise.
// The names are in the session's namespace, so Framewrights of another user's
// session never see them.
#pragma once

#include <cstdint>
#include <string>

// A mutex that every supervisor holds, while it supervises, for each process it
// supervises: another Framewright asked to attach to that process leaves it alone.
std::string SupervisedMarkName(std::uint32_t programProcessId);

// A manual-reset event: set, it asks the attached supervisor with that process
// identifier to give the window back what it had and end. The program runs on.
std::string StopRequestName(std::uint32_t supervisorProcessId);

// How an attached supervisor ends, for the watch that started it. The launch of a
// program ends with 0 on every road.
constexpr std::uint32_t kAttachEnded = 0;              // the program ended, or a stop request was honoured
constexpr std::uint32_t kAttachBoxShown = 1;           // it showed an error box
constexpr std::uint32_t kAttachNeedsElevation = 2;     // the program runs as administrator, this Framewright not
constexpr std::uint32_t kAttachAlreadySupervised = 3;  // another Framewright supervises that process
