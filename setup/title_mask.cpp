#include "setup/title_mask.h"

#include <algorithm>

#include "geometry/discovery.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool FileCanHold(const std::string& value) {
    return !value.empty() && value.find_first_of("\r\n") == std::string::npos && !IsBlank(value.front()) &&
           !IsBlank(value.back());
}

bool HasText(const std::string& text) {
    for (char c : text) {
        if (!IsBlank(c)) return true;
    }
    return false;
}

}  // namespace

bool TitleMask(const std::string& title, std::string& mask) {
    // The title's lines: the first, the last and the longest.
    const std::size_t firstBreak = title.find_first_of("\r\n"), lastBreak = title.find_last_of("\r\n");
    const std::string first = title.substr(0, firstBreak);
    const std::string last = lastBreak == std::string::npos ? title : title.substr(lastBreak + 1);
    std::string longest;
    for (std::size_t start = 0; start <= title.size();) {
        const std::size_t end = std::min(title.find_first_of("\r\n", start), title.size());
        if (end - start > longest.size()) longest = title.substr(start, end - start);
        start = end + 1;
    }
    struct Candidate {
        std::string mask, text;
    } const candidates[] = {{title, title}, {first + "*", first}, {"*" + last, last}, {"*" + longest + "*", longest}};
    bool found = false;
    std::size_t best = 0;  // the most title text a mask holds
    for (const Candidate& candidate : candidates) {
        if (found && candidate.text.size() <= best) continue;
        if (!FileCanHold(candidate.mask) || !HasText(candidate.text) || candidate.mask == "*" ||
            !MatchNameMask(title, candidate.mask)) {
            continue;
        }
        mask = candidate.mask;
        best = candidate.text.size();
        found = true;
    }
    return found;
}
