// Files, paths and the working directory on the simulated desktop.
#include "platform/files.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

std::uint32_t GetFileAttributesW(const std::string& path) {
    Active().count(Call::GetFileAttributesW);
    return Active().fileAttributes(path);
}

KernelHandle CreateFileW(const std::string& path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                         std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) {
    Active().count(Call::CreateFileW);
    return Active().openFile(path, desiredAccess, shareMode, creationDisposition, flagsAndAttributes);
}

bool ReadFile(KernelHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead) {
    Active().count(Call::ReadFile);
    return Active().readFile(file, buffer, bytesToRead, bytesRead);
}

bool WriteFile(KernelHandle file, const void* buffer, std::uint32_t bytesToWrite, std::uint32_t& bytesWritten) {
    Active().count(Call::WriteFile);
    return Active().writeFile(file, buffer, bytesToWrite, bytesWritten);
}

bool FlushFileBuffers(KernelHandle) {
    Active().count(Call::FlushFileBuffers);
    return true;
}

bool GetFileInformationByHandle(KernelHandle file, FileIdentity& identity) {
    Active().count(Call::GetFileInformationByHandle);
    return Active().fileIdentity(file, identity);
}

bool MoveFileExW(const std::string& from, const std::string& to, std::uint32_t flags) {
    Active().count(Call::MoveFileExW);
    return Active().moveFile(from, to, flags);
}

bool DeleteFileW(const std::string& path) {
    Active().count(Call::DeleteFileW);
    return Active().deleteFile(path);
}

bool ReplaceFileW(const std::string& replaced, const std::string& replacement, std::uint32_t flags) {
    Active().count(Call::ReplaceFileW);
    return Active().replaceFile(replaced, replacement, flags);
}

std::string GetFullPathNameW(const std::string& path) {
    Active().count(Call::GetFullPathNameW);
    return Active().fullPath(path);
}

std::string GetCurrentDirectoryW() {
    Active().count(Call::GetCurrentDirectoryW);
    return Active().currentDirectory();
}

bool SetCurrentDirectoryW(const std::string& path) {
    Active().count(Call::SetCurrentDirectoryW);
    return Active().setCurrentDirectory(path);
}

std::string GetModuleFileNameW() {
    Active().count(Call::GetModuleFileNameW);
    return Active().exePath();
}

std::string GetLongPathNameW(const std::string& path) {
    Active().count(Call::GetLongPathNameW);
    return Active().longPath(path);
}

bool FindFilesW(const std::string& folder, const std::string& pattern, std::vector<std::string>& names) {
    Active().count(Call::FindFilesW);
    return Active().findFiles(folder, pattern, names);
}

KernelHandle FindFirstChangeNotificationW(const std::string& folder, std::uint32_t filter) {
    Active().count(Call::FindFirstChangeNotificationW);
    return Active().watchFolder(folder, filter);
}

bool FindNextChangeNotification(KernelHandle change) {
    Active().count(Call::FindNextChangeNotification);
    return Active().nextChange(change);
}

bool FindCloseChangeNotification(KernelHandle change) {
    Active().count(Call::FindCloseChangeNotification);
    return Active().closeChange(change);
}

}  // namespace platform
