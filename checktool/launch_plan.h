// What the launcher would do with the settings LoadSettings accepted.
#pragma once

#include <string>

#include "checktool/arguments.h"

// The program it would start and where, how it would find the window, when it
// would resize it and whether it would keep it so; then, for the display (the one
// the settings choose, with the given size or its own) and a window of the given
// outer and client sizes, the size and position the first resize would give it;
// then the displays this system has. Sets the display and window globals as the
// launcher would; starts and changes nothing.
std::string DescribeLaunch(const CheckOptions& options);
