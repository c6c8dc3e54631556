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
