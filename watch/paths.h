// Paths compared as Windows compares them: made full, short (8.3) names made long,
// then compared without case.
#pragma once

#include <string>

// The full path with its short names long (as written when the file does not exist).
std::string ComparablePath(const std::string& path);
// Both comparable already.
bool SamePath(const std::string& a, const std::string& b);
