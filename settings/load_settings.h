#pragma once

// Reads, interprets and checks "framewright.ini" into the settings record.
// Returns false after showing exactly one box naming the first problem found.
// A file that exists but cannot be opened raises EFOpenError.
bool LoadSettings();
