// The log file: every trace line and every error box's text, appended to a file the
// user names, each line behind the milliseconds since the log began. Every line is
// handed to the system when it comes, except one that goes on with a repetition: a
// line, or a group of up to 16 lines, written twice in a row (the search lines of
// every cycle) is then only counted, and one line with the count follows when
// something else comes, when the log closes, or one second after the repetition
// last went on, whichever is first. So a kill of the launcher loses at most the
// last second's count; other programs may read the file meanwhile.
//
// Each line is one WriteFile, whatever its length, so the lines of two launchers
// sharing a log never mix. Writing a line allocates nothing, but for a line longer
// than any before it and than 1 KB with its stamp, which grows a buffer kept until
// the log closes (out of memory, that line is written in three pieces); a line
// that only repeats writes nothing.
#pragma once

#include <string>
#include <string_view>

// The launcher asks for its log; other tools that load the settings do not. Until
// StartLogFile, the lines traced are kept (up to 4 KB) to be written first.
void EnableLogFile();

// Opens the log at the full path given, appending, and writes the header (version,
// local date and time, the configuration file) and the lines kept so far. An empty
// path, or a log that was not enabled, writes nothing and keeps nothing more.
// False, with the system's reason, when the file cannot be opened: the launcher
// then goes on without a log.
bool StartLogFile(const std::string& path, const std::string& configFileName, std::string& failure);

// The same for the watch's own log, whose header names the folder it watches.
bool StartWatchLogFile(const std::string& path, const std::string& folder, std::string& failure);

void LogTraceLine(std::string_view line);
// Called every cycle of the supervision loop: writes the count of a repetition that
// has not gone on for a second. Reads the clock only while one is followed.
void LogTick();
// The text of an error box, line ends made blanks.
void LogErrorBox(const std::string& text);

// Writes the count of a repetition still open, closes the file, and forgets the
// request: another run starts without a log.
void CloseLogFile();
