// What the setup program tells about the watch: whether one runs and on which
// folder, and whether it matches the profile being edited, by the launcher's own
// reading of the profile as saved.
#pragma once

#include <string>

#include "watch/watch_window.h"

// The folder the running watch watches, as its window tells it; empty when no
// watch runs.
std::string WatchedFolder();

// The saved profile read as the launcher reads it, no box shown: empty when it is
// accepted (then `programFile` is the program it starts), else the box's text.
// Sets the launcher's globals.
std::string ProfileRefusal(const std::string& profilePath, std::string& programFile);

struct WatchStatus {
    bool canWatch = false;  // the profile has a file, so its folder can be watched
    std::string line;       // a sentence per line, "\r\n" between them
};

// For the profile at `profilePath` (empty: not saved yet); `unsavedChanges` adds
// that the watch reads the file without them.
WatchStatus DescribeWatch(const std::string& profilePath, bool unsavedChanges);
