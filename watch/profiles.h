// The watch's profiles: every "*.ini" file of its folder read with the launcher's own
// loading, as an attach will read it ([program] not checked, only named).
#pragma once

#include <string>
#include <vector>

#include "watch/watch_state.h"

// The folder's profiles sorted by file name (case ignored). A profile read before
// whose content is the same is taken over as it was, unread; the others are loaded,
// no box shown, and each one's outcome is traced (a refusal told to the user once
// per text). A profile is usable when the loading accepts it and it names a program
// that no profile before it by name names. `listed` is false when the folder cannot
// be read.
std::vector<WatchedProfile> ReadFolderProfiles(const std::string& folder, const std::vector<WatchedProfile>& before,
                                               bool& listed);

// Reads Watch.folder into Watch.profiles: the supervisions of a profile gone,
// changed or no longer usable get their stop request, and every process is matched
// again. True when anything changed.
bool ReadProfiles();

// Whether any profile is usable.
bool AnyUsableProfile(const std::vector<WatchedProfile>& profiles);
