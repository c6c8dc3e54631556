#include "diagnostics/log_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "diagnostics/system_error.h"
#include "platform/files.h"
#include "platform/processes.h"

#ifndef FRAMEWRIGHT_VERSION
#define FRAMEWRIGHT_VERSION "unknown"
#endif

namespace {

enum class LogState { Off, Keeping, Writing };

LogState State = LogState::Off;
platform::KernelHandle File = platform::kInvalidHandle;
std::uint32_t StartTick = 0;

// Lines traced before the configuration named the log: a length, then the bytes.
char Kept[4096];
std::size_t KeptSize = 0;

// The last lines that came, newest at RecentAt(1), each with the milliseconds it
// came at. A line too long for its slot never counts as a repeat.
constexpr int kGroupMax = 16;
constexpr std::size_t kSlotSize = 256;
struct RecentLine {
    char text[kSlotSize];
    std::size_t length;
    bool comparable;
    std::uint32_t ms;
};
RecentLine Recent[kGroupMax];
int RecentCount = 0;
int RecentHead = 0;

// Run[p]: how many of the latest lines were each the same as the line p before
// them. Once Run[p] reaches p, two whole copies of the last p lines are written.
int Run[kGroupMax + 1];

// A repetition being followed: two copies of the last Period lines are written;
// Repeats more whole copies have come since, and Matched lines of the next one.
// Only these are held back, and not for longer than kCountDelayMs.
constexpr std::uint32_t kCountDelayMs = 1000;
int Period = 0;
int Matched = 0;
std::uint32_t Repeats = 0;
std::uint32_t LastCopyMs = 0;  // when the last whole copy ended
std::uint32_t LastLineMs = 0;  // when the repetition last went on

const RecentLine& RecentAt(int back) { return Recent[(RecentHead - back + kGroupMax) % kGroupMax]; }

bool Same(const RecentLine& recent, std::string_view line) {
    return recent.comparable && recent.length == line.size() && std::memcmp(recent.text, line.data(), line.size()) == 0;
}

void Remember(std::uint32_t ms, std::string_view line) {
    RecentLine& slot = Recent[RecentHead];
    slot.comparable = line.size() <= kSlotSize;
    slot.length = slot.comparable ? line.size() : 0;
    if (slot.comparable) std::memcpy(slot.text, line.data(), line.size());
    slot.ms = ms;
    RecentHead = (RecentHead + 1) % kGroupMax;
    if (RecentCount < kGroupMax) ++RecentCount;
}

// One WriteFile per line, so that lines of two launchers sharing a log do not mix.
void WriteRaw(std::string_view text) {
    std::uint32_t written = 0;
    platform::WriteFile(File, text.data(), static_cast<std::uint32_t>(text.size()), written);
}

// Where a line too long for the stack's buffer (a store's command line) is put
// together: grown to the longest line so far and kept, so a long line that comes
// every cycle allocates once.
std::string LongLine;

// Null when memory runs out.
char* LongLineBuffer(std::size_t size) {
    if (size <= LongLine.size()) return &LongLine[0];
    std::string().swap(LongLine);  // the shorter one goes first
    try {
        LongLine.resize(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return &LongLine[0];
}

void WriteStamped(std::uint32_t ms, std::string_view line) {
    char stack[1024];
    char stamp[16];
    const std::size_t prefix =
        static_cast<std::size_t>(std::snprintf(stamp, sizeof(stamp), "%8lu ms  ", static_cast<unsigned long>(ms)));
    const std::size_t size = prefix + line.size() + 2;
    char* buffer = size <= sizeof(stack) ? stack : LongLineBuffer(size);
    if (buffer == nullptr) {
        // Out of memory: the line in three writes is better than no line.
        WriteRaw(std::string_view(stamp, prefix));
        WriteRaw(line);
        WriteRaw("\r\n");
        return;
    }
    std::memcpy(buffer, stamp, prefix);
    std::memcpy(buffer + prefix, line.data(), line.size());
    std::memcpy(buffer + prefix + line.size(), "\r\n", 2);
    WriteRaw(std::string_view(buffer, size));
}

void ForgetRuns() {
    for (int& run : Run) run = 0;
}

// Writes what the repetition holds back: the count of whole copies, stamped when the
// last of them ended, then the lines of the copy that was under way. With `afresh`,
// the lines before are forgotten too, so that a repetition that goes on after a
// pause is written twice again before it is counted.
void EndRepetition(bool afresh) {
    if (Repeats > 0) {
        char count[96];
        int length = Period == 1
                         ? std::snprintf(count, sizeof(count), "(repeated %lu more times)",
                                         static_cast<unsigned long>(Repeats))
                         : std::snprintf(count, sizeof(count), "(the last %d lines repeated %lu more times)", Period,
                                         static_cast<unsigned long>(Repeats));
        WriteStamped(LastCopyMs, std::string_view(count, static_cast<std::size_t>(length)));
    }
    for (int back = Matched; back > 0; --back) {
        const RecentLine& line = RecentAt(back);
        WriteStamped(line.ms, std::string_view(line.text, line.length));
    }
    Period = Matched = 0;
    Repeats = 0;
    ForgetRuns();
    if (afresh) RecentCount = 0;
}

// A line that goes on with the repetition is only counted; any other is written at
// once, after what the repetition held back.
void Log(std::uint32_t ms, std::string_view line) {
    if (Period > 0 && ms - LastLineMs >= kCountDelayMs) EndRepetition(true);
    if (Period > 0) {
        if (Same(RecentAt(Period), line)) {
            Remember(ms, line);
            LastLineMs = ms;
            if (++Matched == Period) {
                ++Repeats;
                LastCopyMs = ms;
                Matched = 0;
            }
            return;
        }
        EndRepetition(false);
    }
    WriteStamped(ms, line);
    for (int p = 1; p <= kGroupMax; ++p) Run[p] = p <= RecentCount && Same(RecentAt(p), line) ? Run[p] + 1 : 0;
    Remember(ms, line);
    for (int p = 1; p <= kGroupMax; ++p) {
        if (Run[p] < p) continue;
        Period = p;
        LastLineMs = ms;
        ForgetRuns();
        return;
    }
}

std::uint32_t Now() { return platform::GetTickCount() - StartTick; }

void Keep(std::string_view line) {
    const std::uint32_t length = static_cast<std::uint32_t>(line.size());
    if (KeptSize + sizeof(length) + line.size() > sizeof(Kept)) return;
    std::memcpy(Kept + KeptSize, &length, sizeof(length));
    std::memcpy(Kept + KeptSize + sizeof(length), line.data(), line.size());
    KeptSize += sizeof(length) + line.size();
}

// "configuration file: PATH" or "watched folder: PATH".
std::string Header(const std::string& subject) {
    const platform::LocalTime now = platform::GetLocalTime();
    char stamp[32];
    std::snprintf(stamp, sizeof(stamp), "%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    return std::string("Framewright ") + FRAMEWRIGHT_VERSION + ", started " + stamp +
           ", " + subject + "\r\n";
}

// The identity of the configuration file, opened for nothing but that.
bool ConfigurationIdentity(const std::string& configFileName, platform::FileIdentity& identity) {
    const platform::KernelHandle file = platform::CreateFileW(
        configFileName, platform::kFileReadAttributes,
        platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete, platform::kOpenExisting, 0);
    if (file == platform::kInvalidHandle) return false;
    const bool read = platform::GetFileInformationByHandle(file, identity);
    platform::CloseHandle(file);
    return read;
}

void Reset() {
    State = LogState::Off;
    File = platform::kInvalidHandle;
    KeptSize = 0;
    RecentCount = RecentHead = 0;
    Period = Matched = 0;
    Repeats = 0;
    ForgetRuns();
    std::string().swap(LongLine);
}

}  // namespace

void EnableLogFile() {
    Reset();
    State = LogState::Keeping;
}

namespace {

bool Start(const std::string& path, const std::string& configFileName, const std::string& subject,
           std::string& failure) {
    if (State != LogState::Keeping) return true;
    if (path.empty()) {
        Reset();
        return true;
    }
    // Appending only, so nothing already in the file can be overwritten; readers and
    // other launchers sharing the log are let in.
    File = platform::CreateFileW(path, platform::kFileAppendData | platform::kFileReadAttributes,
                                 platform::kFileShareRead | platform::kFileShareWrite, platform::kOpenAlways,
                                 platform::kFileAttributeNormal);
    if (File == platform::kInvalidHandle) {
        failure = LastErrorText();
        Reset();
        return false;
    }
    // Appending to the configuration would spoil it, under whatever name it is given:
    // the files are compared, not their names. (A configuration read a moment ago
    // that cannot be opened now is gone, and cannot be spoiled.)
    platform::FileIdentity configuration, log;
    if (ConfigurationIdentity(configFileName, configuration) && platform::GetFileInformationByHandle(File, log) &&
        log.volumeSerial == configuration.volumeSerial && log.fileIndex == configuration.fileIndex) {
        failure = "It is the configuration file.";
        platform::CloseHandle(File);
        Reset();
        return false;
    }
    State = LogState::Writing;
    StartTick = platform::GetTickCount();
    WriteRaw(Header(subject));
    for (std::size_t at = 0; at < KeptSize;) {
        std::uint32_t length;
        std::memcpy(&length, Kept + at, sizeof(length));
        Log(0, std::string_view(Kept + at + sizeof(length), length));
        at += sizeof(length) + length;
    }
    KeptSize = 0;
    return true;
}

}  // namespace

bool StartLogFile(const std::string& path, const std::string& configFileName, std::string& failure) {
    return Start(path, configFileName, "configuration file: " + configFileName, failure);
}

bool StartWatchLogFile(const std::string& path, const std::string& folder, std::string& failure) {
    // No configuration file: the folder is no file to be spoiled.
    return Start(path, "", "watched folder: " + folder, failure);
}

void LogTraceLine(std::string_view line) {
    if (State == LogState::Writing) Log(Now(), line);
    else if (State == LogState::Keeping) Keep(line);
}

void LogTick() {
    if (State == LogState::Writing && Period > 0 && Now() - LastLineMs >= kCountDelayMs) EndRepetition(true);
}

void LogErrorBox(const std::string& text) {
    if (State == LogState::Off) return;
    std::string line = "Error box: ";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    LogTraceLine(line);
}

void CloseLogFile() {
    if (State == LogState::Writing) {
        EndRepetition(false);
        platform::CloseHandle(File);
    }
    Reset();
}
