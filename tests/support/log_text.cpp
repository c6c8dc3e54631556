#include "tests/support/log_text.h"

#include <cstdio>
#include <sstream>

std::vector<std::string> LogLines(const std::string& content) {
    std::vector<std::string> lines;
    std::istringstream in(content);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t ms = line.find(" ms  ");
        lines.push_back(ms != std::string::npos && ms <= 8 ? line.substr(ms + 5) : line);
    }
    return lines;
}

std::vector<std::string> ExpandCounts(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        unsigned group = 1, times = 0;
        if (std::sscanf(line.c_str(), "(the last %u lines repeated %u more times)", &group, &times) != 2 &&
            std::sscanf(line.c_str(), "(repeated %u more times)", &times) != 1) {
            out.push_back(line);
            continue;
        }
        if (group > out.size()) {
            out.push_back("<bad count>");
            continue;
        }
        const std::vector<std::string> copy(out.end() - group, out.end());
        for (unsigned t = 0; t < times; ++t) out.insert(out.end(), copy.begin(), copy.end());
    }
    return out;
}
