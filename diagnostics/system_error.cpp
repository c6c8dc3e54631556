#include "diagnostics/system_error.h"

#include "platform/processes.h"
#include "platform/text.h"

std::string SystemErrorText(std::uint32_t error) {
    std::string text = platform::FormatMessageA(error);
    return text.empty() ? "system error " + std::to_string(error) : text;
}

std::string LastErrorText() { return SystemErrorText(platform::GetLastError()); }
