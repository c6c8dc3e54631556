#include "setup/launch_options.h"

namespace {

// A file's path holds no quote and does not end in a backslash, so quotes around
// it are all the launcher's splitter needs.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace

std::string ProfileCommandLine(const std::string& launcher, const std::string& profile) {
    return Quoted(launcher) + " " + Quoted(profile);
}

std::string LaunchOptions(const std::string& launcher, const std::string& profile) {
    return ProfileCommandLine(launcher, profile) + " -- %command%";
}
