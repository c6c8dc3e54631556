#include "watch/paths.h"

#include "platform/files.h"
#include "platform/text.h"

std::string ComparablePath(const std::string& path) {
    const std::string full = platform::GetFullPathNameW(path);
    if (full.empty()) return path;
    const std::string longer = platform::GetLongPathNameW(full);
    return longer.empty() ? full : longer;
}

bool SamePath(const std::string& a, const std::string& b) { return platform::CompareStringOrdinal(a, b) == 0; }

std::string InFolder(const std::string& folder, const std::string& name) {
    const bool driveRoot = folder.size() == 3 && folder[1] == ':';
    return folder + (driveRoot ? "" : "\\") + name;
}
