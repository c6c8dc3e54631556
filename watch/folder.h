// The folder the watch watches: its path as the watch keeps it, the watch's log in
// it, and the notification of its changes.
#pragma once

#include <string>

#include "platform/platform.h"

constexpr const char* kWatchLogName = "framewright-watch.log";

// The folder named (empty: the working directory) made full, its short names long,
// without a trailing separator but for a drive's root.
std::string WatchFolderPath(const std::string& written);
bool IsFolder(const std::string& path);

// Starts the watch's log in the folder; without it the watch goes on, traced.
void StartWatchLog(const std::string& folder);
// The change notification for the folder's files (kInvalidHandle: none, traced).
platform::KernelHandle WatchFolderChanges(const std::string& folder);

// The watch moves to another folder: its log and change notification go there, its
// profiles are read there, and its window names it. A path that names no folder is
// traced and changes nothing.
void SwitchFolder(const std::string& written);
