// The simulated desktop's records of its windows, processes and files, and the Win32
// error codes it sets by name; shared by the files that implement the Desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/fake_desktop.h"

namespace fake {

struct Desktop::Window {
    WindowHandle handle;
    std::string title;
    std::uint32_t pid;
    Rect outer;
    int borderWidth, borderHeight;
    int minWidth, minHeight, maxWidth, maxHeight;
    bool refusesPlacement;
    std::string className;
    std::size_t zIndex = 0;  // position in the Z-order, so the walk's next step is O(1)
    std::uint32_t style = 0, exStyle = 0;
    bool refusesStyleChange = false;
    int framedBorderWidth = 0, framedBorderHeight = 0;  // the border while it has a frame
    WindowHandle owner = 0;
    bool minimised = false;
    Rect restored = {};  // its rectangle before it was minimised
};

struct Desktop::Process {
    std::uint32_t pid;
    std::uint32_t processHandle, threadHandle;
    std::int64_t endMs;
    std::uint32_t exitCode;
    bool ended = false;
    std::vector<WindowHandle> windows;
    std::string path;  // normalised
    bool suspended = false;
    std::uint32_t job = 0;
    std::int64_t createdMs = 0;  // on the virtual clock; before 0 for a program started before it
    bool elevated = false;       // runs as administrator
    std::string image;           // its file's path as it was started
};

struct Desktop::FileEntry {
    bool isDirectory = false;
    bool heldForWriting = false;
    std::string content;
    std::uint32_t attributes = 0x20;  // archive
    std::int64_t createdMs = 0;
    std::string name;           // the last part of its path as it was made, with its case
    std::uint64_t serial = 0;   // the order it was made in
};

struct Desktop::OpenFile {
    std::string content;
    std::size_t position = 0;
    FileEntry* writesTo = nullptr;  // opened for writing or appending: the file
    platform::FileIdentity identity;
};

// Win32 error codes.
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kInvalidHandle = 6;
constexpr std::uint32_t kSharingViolation = 32;
constexpr std::uint32_t kNotSupported = 50;
constexpr std::uint32_t kInvalidParameter = 87;
constexpr std::uint32_t kDiskFull = 112;
constexpr std::uint32_t kAlreadyExists = 183;
constexpr std::uint32_t kInvalidWindowHandle = 1400;
constexpr std::uint32_t kClipboardNotOpen = 1418;

}  // namespace fake
