// Paths the user writes (a profile on the command line, the log file in the
// configuration), made full against the working directory as Windows would.
#pragma once

#include <string>

// Absolute paths ("C:\x", "\\server\share\x", "\\?\C:\x") stay as written. A
// root-relative "\x" goes on the working directory's drive (or UNC share); a
// drive-relative "D:x" on the working directory when that is on drive D, else on
// the root of D. Anything else is the working directory, "\" and the path, the
// separator appended as for "framewright.ini" itself. "/" counts as "\".
std::string FullPath(const std::string& workingDirectory, const std::string& path);

