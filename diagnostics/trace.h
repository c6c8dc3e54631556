// Diagnostic trace lines. Every step forms its lines through Trace; where they go is
// the sink's business. The launcher's sink discards them; the diagnostic build sends
// them to the debugger output; tests capture them. Whatever the sink, a log file
// that the configuration names gets every line too.
#pragma once

#include <string_view>

using TraceSink = void (*)(std::string_view line);

void Trace(std::string_view line);
// Installs a sink; a null sink discards every line.
void SetTraceSink(TraceSink sink);
