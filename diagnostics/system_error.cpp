#include "diagnostics/system_error.h"

#include <cstdint>

#include "platform/processes.h"
#include "platform/text.h"

std::string LastErrorText() {
    const std::uint32_t error = platform::GetLastError();
    std::string text = platform::FormatMessageA(error);
    return text.empty() ? "system error " + std::to_string(error) : text;
}
