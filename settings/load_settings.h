#pragma once

#include <string_view>

// Reads, interprets and checks "framewright.ini" into the settings record.
// Returns false after showing exactly one box naming the first problem found.
// A file that exists but cannot be opened raises EFOpenError.
bool LoadSettings();

// The same reading and checks on a file's content already in memory, as a
// configuration file being edited: no trace line, no test for the file itself.
bool LoadSettingsFromContent(std::string_view content);
