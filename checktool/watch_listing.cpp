#include "checktool/watch_listing.h"

#include <algorithm>
#include <vector>

#include "diagnostics/system_error.h"
#include "watch/folder.h"
#include "watch/profiles.h"
#include "watch/watch_state.h"

namespace {

std::string Listing(const std::vector<WatchedProfile>& profiles) {
    std::size_t width = 0;
    for (const WatchedProfile& profile : profiles) width = std::max(width, profile.profileFile.size());
    std::string text;
    for (const WatchedProfile& profile : profiles) {
        std::string line = "  " + profile.profileFile;
        line.resize(width + 4, ' ');
        text += line + (profile.refusal.empty() ? "watches " + profile.programPath : "refused: " + profile.refusal) +
                "\n";
    }
    return text;
}

std::string Summary(const std::vector<WatchedProfile>& profiles) {
    if (profiles.empty()) return "The folder has no profile (.ini file): the watch would not start.\n";
    const auto usable = std::count_if(profiles.begin(), profiles.end(),
                                      [](const WatchedProfile& profile) { return profile.refusal.empty(); });
    return std::to_string(usable) + " of " + std::to_string(profiles.size()) +
           (profiles.size() == 1 ? " profile" : " profiles") + " can be watched" +
           (usable == 0 ? ": the watch would not start.\n" : ".\n");
}

}  // namespace

CheckResult CheckWatchFolder(const std::string& written) {
    const std::string folder = WatchFolderPath(written);
    std::string out = "Watched folder: " + folder + "\n\n";
    if (!IsFolder(folder)) return {1, out + "There is no such folder: the watch would not start.\n", ""};
    // Its trace lines go to the sink, which the check tool leaves discarding them.
    bool listed = false;
    const std::vector<WatchedProfile> profiles = ReadFolderProfiles(folder, {}, listed);
    // The listing's error still stands: only its trace line, formed from it, came after.
    if (!listed) return {1, out + "Cannot read the folder: " + LastErrorText() + "\n", ""};
    out += Listing(profiles) + (profiles.empty() ? "" : "\n") + Summary(profiles);
    return {AnyUsableProfile(profiles) ? 0 : 1, out, ""};
}
