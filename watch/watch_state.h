// What the watch knows: the profiles of its folder, the processes whose windows it
// has seen, and the supervisions it started (one attached Framewright per program).
// Plain global data, read and written on the watch's one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/windows.h"

struct WatchedProfile {
    std::string profilePath;  // full
    std::string profileFile;  // its file name
    std::string programPath;  // full, as the system compares paths (ComparablePath); empty: none
    std::string programFile;  // its file name
    std::string refusal;      // why it is not watched; empty: usable
    bool active = true;       // false: switched off, never matched
    std::string content;      // as read, to tell a change
    std::string loadRefusal;  // the loading's own box text, told once per text
};

struct Supervision {
    std::uint32_t programProcessId = 0;
    std::string profilePath;
    platform::ProcessInformation supervisor;  // the attached Framewright's process
    platform::KernelHandle stopRequest = 0;   // its stop request, held so it outlives the setting
    bool stopRequested = false;
};

// A process one of whose windows the watch has seen; its image is read once.
struct SeenProcess {
    std::uint32_t processId = 0;
    platform::KernelHandle process = 0;  // open for waiting and querying; 0: could not be opened
    std::string image;                   // ComparablePath of its image; empty: unknown
    bool decided = false;                // matched against the profiles as they are now
    bool inLastWalk = false;
};

// A window and its process, as a walk found them.
struct KnownWindow {
    platform::WindowHandle window = 0;
    std::uint32_t processId = 0;
};

struct WatchState {
    std::string folder;  // full, without a trailing separator (but for a drive's root)
    std::vector<WatchedProfile> profiles;  // sorted by file name, case ignored
    bool paused = false;  // "Pause all": nothing matched, every window given back
    // The profiles the user switched off, by file name, as kept beside them.
    std::vector<std::string> switchedOff;
    std::vector<Supervision> supervisions;
    std::vector<SeenProcess> processes;
    std::vector<KnownWindow> knownWindows, walkedWindows;  // the last walk's, by handle; the next's
    platform::WindowHandle window = 0;  // the watch's hidden window
    platform::KernelHandle change = platform::kInvalidHandle;  // the folder's change notification
    bool ending = false;                // asked to end (WM_CLOSE, the session's end, Quit)
    bool trayIcon = false;              // shown in the notification area
    std::string trayTip;                // as shown
    std::string untold;                 // told while there was no icon, for its first balloon
    std::uint32_t taskbarCreated = 0;   // the message of the shell starting again
};

extern WatchState Watch;

// The profile as it stands, or null.
WatchedProfile* FindProfile(const std::string& profilePath);

// Sets the stop request of each supervision of the profile (each window is given
// back and its supervisor ends), or of every one.
void EndSupervisionsOf(const std::string& profilePath);
void EndEverySupervision();
// Waits up to the time for the supervisors to end; false when some did not.
bool WaitForSupervisorsToEnd(std::uint32_t timeoutMs);
