#include "watch/notices.h"

#include "diagnostics/trace.h"

void TellUser(const std::string& text) { Trace(text); }
