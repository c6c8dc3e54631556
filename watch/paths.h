// Paths compared as Windows compares them: made full, short (8.3) names made long,
// then compared without case.
#pragma once

#include <string>

// The full path with its short names long (as written when the file does not exist).
std::string ComparablePath(const std::string& path);
// Both comparable already.
bool SamePath(const std::string& a, const std::string& b);

// The file of that name in the folder as the watch keeps it (without a trailing
// separator but for a drive's root, whose "\" no double-byte character can end in).
std::string InFolder(const std::string& folder, const std::string& name);
