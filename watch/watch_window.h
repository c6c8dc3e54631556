// The watch's one hidden top-level window: other programs find it by its class, read
// the watched folder as its text, hand it another folder (WM_COPYDATA) and close it.
#pragma once

#include <cstdint>

#include "platform/windows.h"

constexpr const char* kWatchWindowClass = "FramewrightWatch";
// WM_COPYDATA's dwData for a folder handed over, its full path as ANSI bytes.
constexpr std::uintptr_t kFolderHandOver = 0x46574644;  // "FWFD"
constexpr const char* kWatchMutexName = "Local\\Framewright.Watch";
// How long the supervisors get to give their windows back when the watch ends.
constexpr std::uint32_t kSupervisorsEndMs = 10000;

// Every message to the watch's window reaches the watch here.
bool HandleWatchMessage(const platform::WindowMessage& message, std::intptr_t& result);

// Registers the class and makes the window (never shown), named after Watch.folder.
bool CreateWatchWindow();
void DestroyWatchWindow();

// The watch ends: every supervision gets its stop request, and the supervisors are
// waited for (bounded), so that every window has been given back.
void EndTheWatch();
