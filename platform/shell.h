// The shell: programs started as Explorer starts them, with the system's prompt for
// administrator rights.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

constexpr std::uint32_t kErrorCancelled = 1223;

// ShellExecuteExW of the file with the verb ("runas": as administrator, after the
// system's prompt), the parameters and the working directory given, shown normally;
// no box of the shell's own on failure and no process handle kept. The texts are
// converted from the ANSI code page. False with the last error on failure
// (kErrorCancelled when the user declined the prompt).
bool ShellExecuteExW(const std::string& verb, const std::string& file, const std::string& parameters,
                     const std::string& directory);

}  // namespace platform
