#include "setup/title_mask.h"

#include <algorithm>
#include <string_view>

#include "geometry/discovery.h"
#include "settings/command_line.h"

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

// Whether every reading the matcher can take of the mask (a star at either end a
// wildcard, or none) keeps the text whole: then it matches only titles holding
// the text, and no star of the text is taken for a wildcard.
bool KeepsWhole(std::string_view mask, const std::string& text) {
    const bool front = mask.front() == '*', back = mask.back() == '*';
    const auto holds = [&](std::string_view reading) { return reading.find(text) != std::string_view::npos; };
    return holds(mask) && (!front || holds(mask.substr(1))) && (!back || holds(mask.substr(0, mask.size() - 1))) &&
           (mask.size() < 3 || !front || !back || holds(mask.substr(1, mask.size() - 2)));
}

// The title as far as the launcher reads it, cut before a double-byte character
// that would not fit whole (the system may leave it out or cut it; the star
// written after the cut stands for either).
std::string TitleAsRead(const std::string& title) {
    if (title.size() <= kLongestTitleRead) return title;
    const LeadBytes leadBytes = AnsiLeadBytes();
    std::size_t end = 0;
    while (end < title.size()) {
        const std::size_t next = end + (leadBytes[static_cast<unsigned char>(title[end])] ? 2 : 1);
        if (next > kLongestTitleRead) break;
        end = next;
    }
    return title.substr(0, end);
}

}  // namespace

bool TitleMask(const std::string& fullTitle, std::string& mask) {
    const std::string title = TitleAsRead(fullTitle);
    const std::string cut = title.size() < fullTitle.size() ? "*" : "";  // the end read is not the title's end
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
    } const candidates[] = {
        {title + cut, title}, {first + "*", first}, {"*" + last + cut, last}, {"*" + longest + "*", longest}};
    bool found = false;
    std::size_t best = 0;  // the most title text a mask holds
    for (const Candidate& candidate : candidates) {
        if (found && candidate.text.size() <= best) continue;
        if (!HasText(candidate.text)) continue;
        // The mask, else the same with a wildcard star beyond a star of the text.
        for (const std::string& written : {candidate.mask, "*" + candidate.mask, candidate.mask + "*",
                                           "*" + candidate.mask + "*"}) {
            if (!FileCanHold(written) || !KeepsWhole(written, candidate.text) || !MatchNameMask(title, written)) {
                continue;
            }
            mask = written;
            best = candidate.text.size();
            found = true;
            break;
        }
    }
    return found;
}
