#include "settings/full_path.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool HasDrive(const std::string& path) { return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':'; }

// "C:" for a path on a drive, "\\server\share" for a UNC path, empty otherwise.
std::string RootOf(const std::string& directory) {
    if (HasDrive(directory)) return directory.substr(0, 2);
    if (directory.size() < 2 || !IsSeparator(directory[0]) || !IsSeparator(directory[1])) return "";
    std::size_t server = directory.find_first_of("\\/", 2);
    if (server == std::string::npos) return directory;
    std::size_t share = directory.find_first_of("\\/", server + 1);
    return share == std::string::npos ? directory : directory.substr(0, share);
}

// The offset of the last separator, npos when there is none.
std::size_t LastSeparator(const std::string& path, const LeadBytes& leadBytes) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsSeparator(path[i])) last = i;
        else if (leadBytes[static_cast<unsigned char>(path[i])]) ++i;  // its second byte goes with it
    }
    return last;
}

}  // namespace

std::string FullPath(const std::string& workingDirectory, const std::string& path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return path;
    if (HasDrive(path)) {
        if (path.size() >= 3 && IsSeparator(path[2])) return path;
        const std::string rest = path.substr(2);
        if (HasDrive(workingDirectory) && LowerAscii(workingDirectory[0]) == LowerAscii(path[0])) {
            return workingDirectory + "\\" + rest;
        }
        return path.substr(0, 2) + "\\" + rest;
    }
    if (!path.empty() && IsSeparator(path[0])) return RootOf(workingDirectory) + path;
    return workingDirectory + "\\" + path;
}

std::string FolderOf(const std::string& path, const LeadBytes& leadBytes) {
    const std::size_t separator = LastSeparator(path, leadBytes);
    if (separator == std::string::npos) return std::string();
    return path.substr(0, separator == 2 && path[1] == ':' ? 3 : separator);
}

std::string FileNameOf(const std::string& path, const LeadBytes& leadBytes) {
    const std::size_t separator = LastSeparator(path, leadBytes);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
