#include "diagnostics/trace.h"

namespace {
TraceSink CurrentSink = nullptr;
}

void Trace(std::string_view line) {
    if (CurrentSink != nullptr) CurrentSink(line);
}

void SetTraceSink(TraceSink sink) { CurrentSink = sink; }
