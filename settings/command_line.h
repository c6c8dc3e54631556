// The launcher's optional arguments: the profile, a configuration file named on the
// command line, and after "--" the program to start. Shared by every exe that takes
// them, so they all read them alike.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"

// The bytes that begin a two-byte character in a double-byte ANSI code page (932,
// 936, 949, 950): such a byte and the one after it are one character, whose second
// byte may be a backslash. Single-byte code pages have none.
using LeadBytes = std::bitset<256>;
// From the lead-byte ranges that GetCPInfo gives.
LeadBytes LeadBytesOf(const platform::CodePageInfo& codePage);
// Those of the system's ANSI code page.
LeadBytes AnsiLeadBytes();

struct CommandLineArgument {
    std::string text;
    std::size_t end;  // where it ends in the command line: the offset just past its last byte
};

// Splits a command line into its arguments with the Windows rules (those of
// CommandLineToArgvW), character by character: the program name ends at its
// closing quote or at the first blank, with no escapes; in the other arguments 2n
// backslashes before a quote give n backslashes and the quote opens or closes a
// quoted part, 2n+1 give n backslashes and a literal quote, other backslashes
// stand for themselves, a run of quotes toggles the quoted part once and gives one
// literal quote per three, and spaces and tabs outside a quoted part separate
// arguments. A two-byte character is taken whole.
std::vector<CommandLineArgument> ParseCommandLine(std::string_view commandLine, const LeadBytes& leadBytes);
// The arguments' texts alone.
std::vector<std::string> SplitCommandLine(std::string_view commandLine, const LeadBytes& leadBytes);

// The command line after the program name and the blanks that follow it, as written:
// what the launcher hands on when it starts itself again.
std::string_view ArgumentsAfterProgramName(std::string_view commandLine, const LeadBytes& leadBytes);

// The first argument after the program name whose text ends in ".ini" (any case),
// as written, before a "--" argument; empty when there is none. Every other
// argument is ignored.
std::string ProfileArgument(std::string_view commandLine, const LeadBytes& leadBytes);
// The same, split in the system's ANSI code page.
std::string ProfileArgument(std::string_view commandLine);

// Whether an argument names a profile: its text ends in ".ini", in any case.
bool IsProfileArgument(const std::string& argument);

// What follows "--" on a launcher's command line: the program to start in place of
// the configured one, as a store or game library hands it over.
struct WrappedLaunch {
    bool given = false;       // "--" ends the launcher's own arguments
    std::string program;      // the first argument of the command line below; empty: none
    std::string commandLine;  // everything after "--" and the blanks after it, verbatim
};

// A launcher's command line cut at its first argument that is exactly "--" as
// written (a quoted "--" is an ordinary argument). The rest is never split and
// re-quoted, so it reaches the program byte for byte; its program is the first
// argument of that rest read as a command line's program name, as Windows reads it.
//
// The first argument after the program name may ask for another mode, in any case:
// "--attach PID [PROFILE.ini]" supervises a running process, "--watch [FOLDER]"
// stays resident applying the folder's profiles, "--watch --stop" ends that watch.
enum class LauncherMode { Launch, Attach, Watch, StopWatch };
struct LauncherArguments {
    std::vector<std::string> own;  // the program name and the arguments before "--"
    std::string profile;           // the first of them after the program name ending in ".ini"
    WrappedLaunch launch;
    LauncherMode mode = LauncherMode::Launch;
    std::string attachProcess;  // the argument after "--attach", as written; empty: none
    std::string watchFolder;    // the argument after "--watch", as written; empty: the working directory
};
LauncherArguments SplitLauncherCommandLine(std::string_view commandLine, const LeadBytes& leadBytes);
