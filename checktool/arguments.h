// The check tool's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* kCheckToolUsage =
    "Usage: framewright-check [PROFILE.ini] [--display WxH] [--window WxH --client WxH]\n"
    "                         [-- PROGRAM [ARGUMENTS]]\n"
    "       framewright-check --watch FOLDER";

struct Extent {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct CheckOptions {
    bool help = false;
    bool hasDisplay = false;
    Extent display;
    // The window's outer size and its client area's size; given together or not at all.
    bool hasWindow = false;
    Extent window;
    Extent client;
    // The configuration file named as the launcher's profile argument; empty: none.
    std::string profile;
    // The folder whose profiles the watch would read, as written; only with nothing else.
    bool watch = false;
    std::string watchFolder;
};

// Reads "--name WxH" or "--name=WxH" options. Sizes are decimal, at most 6 digits
// each; a display must be at least 1 x 1. False with a reason for anything else,
// a repeated option, or a window without a client area (or the reverse). An
// argument ending in ".ini" (any case) names the configuration file, once.
bool ParseCheckArguments(const std::vector<std::string>& arguments, CheckOptions& options,
                         std::string& error);
