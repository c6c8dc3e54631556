#include "watch/start_with_windows.h"

#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "settings/command_line.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kValueName[] = "Framewright";

std::string WithoutTrailingSeparator(std::string path) {
    // A drive's root keeps its separator: "C:" alone would name a working directory.
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

std::string Comparable(const std::string& path) {
    std::string full = platform::GetFullPathNameW(path);
    if (full.empty()) full = path;
    full = WithoutTrailingSeparator(full);
    for (char& c : full) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c == '/') c = '\\';
    }
    return full;
}

bool SamePath(const std::string& a, const std::string& b) { return Comparable(a) == Comparable(b); }

bool NamesThisWatch(const std::string& command, const std::string& exePath, const std::string& folder) {
    const std::vector<std::string> arguments = SplitCommandLine(command, AnsiLeadBytes());
    if (arguments.size() != 3) return false;
    std::string mode = arguments[1];
    for (char& c : mode) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return mode == "--watch" && SamePath(arguments[0], exePath) && SamePath(arguments[2], folder);
}

}  // namespace

std::string StartWithWindowsCommand(const std::string& exePath, const std::string& folder) {
    std::string quoted = WithoutTrailingSeparator(folder);
    // A drive's root ends in a backslash, which doubled stands for itself before the quote.
    if (!quoted.empty() && quoted.back() == '\\') quoted += '\\';
    return "\"" + exePath + "\" --watch \"" + quoted + "\"";
}

std::string StartWithWindowsValue() {
    std::string command;
    return platform::ReadUserRegistryText(kRunKey, kValueName, command) ? command : std::string();
}

StartWithWindows ReadStartWithWindows(const std::string& exePath, const std::string& folder) {
    std::string command;
    if (!platform::ReadUserRegistryText(kRunKey, kValueName, command)) return StartWithWindows::Off;
    return NamesThisWatch(command, exePath, folder) ? StartWithWindows::ThisWatch : StartWithWindows::Other;
}

bool ChooseStartWithWindows(bool on, const std::string& exePath, const std::string& folder) {
    if (on) return platform::WriteUserRegistryText(kRunKey, kValueName, StartWithWindowsCommand(exePath, folder));
    if (ReadStartWithWindows(exePath, folder) != StartWithWindows::ThisWatch) return true;
    return platform::DeleteUserRegistryValue(kRunKey, kValueName);
}
