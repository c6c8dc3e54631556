#include "diagnostics/trace.h"

#include "diagnostics/log_file.h"

namespace {
TraceSink CurrentSink = nullptr;
}

void Trace(std::string_view line) {
    if (CurrentSink != nullptr) CurrentSink(line);
    LogTraceLine(line);
}

void SetTraceSink(TraceSink sink) { CurrentSink = sink; }
