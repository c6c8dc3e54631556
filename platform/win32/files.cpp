// Files, paths and the working directory on the real system.
#include "platform/files.h"

#include <windows.h>

#include "platform/win32/conversions.h"

namespace platform {

// ---- opening, reading and writing ----

std::uint32_t GetFileAttributesW(const std::string& path) {
    return ::GetFileAttributesW(AnsiToWide(path).data());
}

KernelHandle CreateFileW(const std::string& path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                         std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) {
    HANDLE file = ::CreateFileW(AnsiToWide(path).data(), desiredAccess, shareMode, nullptr, creationDisposition,
                                flagsAndAttributes, nullptr);
    return file == INVALID_HANDLE_VALUE ? kInvalidHandle : FromHandle(file);
}

bool ReadFile(KernelHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead) {
    DWORD read = 0;
    BOOL ok = ::ReadFile(ToHandle(file), buffer, bytesToRead, &read, nullptr);
    bytesRead = read;
    return ok != FALSE;
}

bool WriteFile(KernelHandle file, const void* buffer, std::uint32_t bytesToWrite, std::uint32_t& bytesWritten) {
    DWORD written = 0;
    BOOL ok = ::WriteFile(ToHandle(file), buffer, bytesToWrite, &written, nullptr);
    bytesWritten = written;
    return ok != FALSE;
}

bool FlushFileBuffers(KernelHandle file) { return ::FlushFileBuffers(ToHandle(file)) != FALSE; }

// ---- file identity ----

bool GetFileInformationByHandle(KernelHandle file, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(ToHandle(file), &info)) return false;
    identity.volumeSerial = info.dwVolumeSerialNumber;
    identity.fileIndex = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    return true;
}

// ---- moving, replacing and deleting ----

bool MoveFileExW(const std::string& from, const std::string& to, std::uint32_t flags) {
    return ::MoveFileExW(AnsiToWide(from).data(), AnsiToWide(to).data(), flags) != FALSE;
}

bool DeleteFileW(const std::string& path) { return ::DeleteFileW(AnsiToWide(path).data()) != FALSE; }

bool ReplaceFileW(const std::string& replaced, const std::string& replacement, std::uint32_t flags) {
    return ::ReplaceFileW(AnsiToWide(replaced).data(), AnsiToWide(replacement).data(), nullptr, flags, nullptr,
                          nullptr) != FALSE;
}

// ---- paths, the working directory and the exe ----

std::string GetFullPathNameW(const std::string& path) {
    const WideText wide = AnsiToWide(path);
    DWORD length = ::GetFullPathNameW(wide.data(), 0, nullptr, nullptr);
    if (length == 0) return std::string();
    WideText full(length, L'\0');
    length = ::GetFullPathNameW(wide.data(), length, full.data(), nullptr);
    return WideToAnsi(full.data(), length);
}

std::string GetCurrentDirectoryW() {
    DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    if (length == 0) return std::string();
    WideText directory(length, L'\0');
    length = ::GetCurrentDirectoryW(length, directory.data());
    return WideToAnsi(directory.data(), length);
}

bool SetCurrentDirectoryW(const std::string& path) {
    return ::SetCurrentDirectoryW(AnsiToWide(path).data()) != FALSE;
}

std::string GetModuleFileNameW() {
    WideText path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) return WideToAnsi(path.data(), length);
        path.resize(path.size() * 2);  // truncated: a long path
    }
}

std::string GetLongPathNameW(const std::string& path) {
    const WideText wide = AnsiToWide(path);
    DWORD length = ::GetLongPathNameW(wide.data(), nullptr, 0);
    if (length == 0) return std::string();
    WideText full(length, L'\0');
    length = ::GetLongPathNameW(wide.data(), full.data(), length);
    return length == 0 ? std::string() : WideToAnsi(full.data(), length);
}

// ---- folders and their changes ----

bool FindFilesW(const std::string& folder, const std::string& pattern, std::vector<std::string>& names) {
    names.clear();
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(AnsiToWide(folder + "\\" + pattern).data(), &found);
    if (search == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        std::size_t length = 0;
        while (found.cFileName[length] != L'\0') ++length;
        names.push_back(WideToAnsi(found.cFileName, length));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return true;
}

KernelHandle FindFirstChangeNotificationW(const std::string& folder, std::uint32_t filter) {
    HANDLE change = ::FindFirstChangeNotificationW(AnsiToWide(folder).data(), FALSE, filter);
    return change == INVALID_HANDLE_VALUE ? kInvalidHandle : FromHandle(change);
}

bool FindNextChangeNotification(KernelHandle change) { return ::FindNextChangeNotification(ToHandle(change)) != FALSE; }

bool FindCloseChangeNotification(KernelHandle change) {
    return ::FindCloseChangeNotification(ToHandle(change)) != FALSE;
}

}  // namespace platform
