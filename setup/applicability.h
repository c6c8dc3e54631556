#pragma once

#include <string>

// Whether a key matters under the methods the profile's text chooses, so the setup
// program can disable the controls of those that do not. A key whose choosing
// value is not a legal keyword counts as mattering, so it can still be corrected.
bool KeyApplies(const std::string& content, const std::string& section, const std::string& key);
