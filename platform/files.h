// Files and paths: opening, reading and writing files, their attributes and
// identity, moving, replacing and deleting them, full and long paths, the working
// directory, the running exe's own name, and the files of a folder with its changes. Paths are ANSI text; the wide calls get them
// converted from the ANSI code page to UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// ---- opening, reading and writing ----

constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kFileAttributeNormal = 0x80;
constexpr std::uint32_t kGenericRead = 0x80000000u;
constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kFileAppendData = 0x4;
constexpr std::uint32_t kFileReadAttributes = 0x80;
constexpr std::uint32_t kFileShareRead = 0x1;
constexpr std::uint32_t kFileShareWrite = 0x2;
constexpr std::uint32_t kFileShareDelete = 0x4;
constexpr std::uint32_t kCreateAlways = 2;
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kOpenAlways = 4;

// GetFileAttributesW on the path converted from the ANSI code page to UTF-16.
std::uint32_t GetFileAttributesW(const std::string& path);
// CreateFileW on the path converted from the ANSI code page to UTF-16.
// Returns kInvalidHandle on failure.
KernelHandle CreateFileW(const std::string& path, std::uint32_t desiredAccess,
                         std::uint32_t shareMode, std::uint32_t creationDisposition,
                         std::uint32_t flagsAndAttributes);
bool ReadFile(KernelHandle file, void* buffer, std::uint32_t bytesToRead,
              std::uint32_t& bytesRead);
bool WriteFile(KernelHandle file, const void* buffer, std::uint32_t bytesToWrite, std::uint32_t& bytesWritten);
bool FlushFileBuffers(KernelHandle file);

// ---- file identity ----

// What GetFileInformationByHandle tells of an open file's identity: two handles
// with the same volume serial number and file index are one file, whatever names
// they were opened by (other case, trailing dots, ".", "..", a short 8.3 name).
struct FileIdentity {
    std::uint32_t volumeSerial = 0;
    std::uint64_t fileIndex = 0;
};
// Needs a handle opened with kFileReadAttributes access.
bool GetFileInformationByHandle(KernelHandle file, FileIdentity& identity);

// ---- moving, replacing and deleting ----

constexpr std::uint32_t kMoveFileReplaceExisting = 0x1;
constexpr std::uint32_t kMoveFileWriteThrough = 0x8;

// Both paths converted from the ANSI code page to UTF-16, as for CreateFileW.
bool MoveFileExW(const std::string& from, const std::string& to, std::uint32_t flags);
bool DeleteFileW(const std::string& path);
// ReplaceFileW with no backup file: `replacement` takes the place of `replaced`,
// which keeps its attributes, security and creation time. Fails, changing nothing,
// when `replaced` does not exist, is read-only or held open, or the file system
// refuses the call (kErrorNotSupported, kErrorInvalidFunction).
constexpr std::uint32_t kReplaceFileIgnoreMergeErrors = 0x2;
constexpr std::uint32_t kErrorInvalidFunction = 1;
constexpr std::uint32_t kErrorNotSupported = 50;
bool ReplaceFileW(const std::string& replaced, const std::string& replacement, std::uint32_t flags);

// ---- paths, the working directory and the exe ----

// GetFullPathNameW: the path made absolute against the working directory; empty
// on failure.
std::string GetFullPathNameW(const std::string& path);
// GetCurrentDirectoryW, converted to the ANSI code page.
std::string GetCurrentDirectoryW();
bool SetCurrentDirectoryW(const std::string& path);
// GetModuleFileNameW of the running exe.
std::string GetModuleFileNameW();
// GetLongPathNameW: the path with every short (8.3) name in it replaced by the long
// one; empty when the path does not exist.
std::string GetLongPathNameW(const std::string& path);

// ---- folders and their changes ----

// The names of the files (not folders) in the folder that FindFirstFileW and
// FindNextFileW give for the pattern ("*.ini"), in the order they come. The system
// matches a pattern against short names too ("*.ini" finds "a.ini~"), so callers
// check the names themselves. False when the folder cannot be read; an empty one
// gives no name and true.
bool FindFilesW(const std::string& folder, const std::string& pattern, std::vector<std::string>& names);

constexpr std::uint32_t kFileNotifyChangeFileName = 0x1;
constexpr std::uint32_t kFileNotifyChangeLastWrite = 0x10;
// FindFirstChangeNotificationW on the folder alone (not its subfolders): a handle
// that is signalled when a change of the kinds asked for happens there, until
// FindNextChangeNotification waits for the next one. kInvalidHandle on failure.
KernelHandle FindFirstChangeNotificationW(const std::string& folder, std::uint32_t filter);
bool FindNextChangeNotification(KernelHandle change);
bool FindCloseChangeNotification(KernelHandle change);

}  // namespace platform
