#pragma once

#include <cstdint>
#include <string>

// The system's text for an error code, such as "Access denied."; "system error N"
// where the system has no text for it.
std::string SystemErrorText(std::uint32_t error);
// The same for the error the last failed platform call left.
std::string LastErrorText();
