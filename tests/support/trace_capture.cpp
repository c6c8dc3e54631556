#include "tests/support/trace_capture.h"

#include <algorithm>

#include "diagnostics/trace.h"

namespace {
std::vector<std::string> Captured;
void Capture(std::string_view line) { Captured.emplace_back(line); }
}  // namespace

TraceCapture::TraceCapture() {
    Captured.clear();
    SetTraceSink(Capture);
}

TraceCapture::~TraceCapture() { SetTraceSink(nullptr); }

const std::vector<std::string>& TraceCapture::lines() const { return Captured; }

bool TraceCapture::contains(const std::string& line) const {
    return std::find(Captured.begin(), Captured.end(), line) != Captured.end();
}

void TraceCapture::clear() { Captured.clear(); }
