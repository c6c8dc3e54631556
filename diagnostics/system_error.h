#pragma once

#include <string>

// The system's text for the error the last failed platform call left, such as
// "Access denied."; "system error N" where the system has no text for it.
std::string LastErrorText();
