// What a person must hear about while the watch runs: a profile refused, a program
// that runs as administrator while the watch does not, a supervision that ended with
// an error box. Each goes through here once (the callers keep it to once per profile
// and text, or per program run), to the log and as a balloon of the watch's icon.
#pragma once

#include <string>

void TellUser(const std::string& text);
