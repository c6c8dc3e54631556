// The launcher's optional argument: the profile, a configuration file named on the
// command line. Shared by every exe that takes one, so they all read it alike.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a command line into its arguments with the Windows rules (those of
// CommandLineToArgvW): the program name ends at its closing quote or at the first
// blank, with no escapes; in the other arguments 2n backslashes before a quote give
// n backslashes and the quote opens or closes a quoted part, 2n+1 give n backslashes
// and a literal quote, other backslashes stand for themselves, a run of quotes
// toggles the quoted part once and gives one literal quote per three, and spaces
// and tabs outside a quoted part separate arguments.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The first argument after the program name whose text ends in ".ini" (any case),
// as written; empty when there is none. Every other argument is ignored.
std::string ProfileArgument(std::string_view commandLine);

// Whether an argument names a profile: its text ends in ".ini", in any case.
bool IsProfileArgument(const std::string& argument);
