// Captures every trace line while it lives.
#pragma once

#include <string>
#include <vector>

class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    const std::vector<std::string>& lines() const;
    bool contains(const std::string& line) const;
    void clear();
};
