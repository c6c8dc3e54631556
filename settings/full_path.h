// Paths the user writes (a profile on the command line, the log file in the
// configuration), made full against the working directory as Windows would, and
// paths cut into their folder and name.
#pragma once

#include <string>

#include "settings/command_line.h"

// Absolute paths ("C:\x", "\\server\share\x", "\\?\C:\x") stay as written. A
// root-relative "\x" goes on the working directory's drive (or UNC share); a
// drive-relative "D:x" on the working directory when that is on drive D, else on
// the root of D. Anything else is the working directory, "\" and the path, the
// separator appended as for "framewright.ini" itself. "/" counts as "\".
std::string FullPath(const std::string& workingDirectory, const std::string& path);

// A path is cut at its last "\" or "/", a double-byte character read whole (its
// second byte may be a backslash). The folder that holds what the path names is
// the path up to there, a drive's root keeping its separator ("C:\": "C:" alone
// names that drive's working directory); empty when there is no separator.
std::string FolderOf(const std::string& path, const LeadBytes& leadBytes);
// What follows the last separator: the name of the file itself.
std::string FileNameOf(const std::string& path, const LeadBytes& leadBytes);
