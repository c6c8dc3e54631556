// The title test over arbitrary masks and titles. The input is the mask, a line
// feed, then the title: a mask comes from one INI line, so it never holds a line
// end, while a title may hold any byte. The result must follow the rule in its
// short form, built here from the ends of the mask alone.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/check.h"
#include "geometry/discovery.h"

namespace {

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
bool BeginsWith(std::string_view text, std::string_view part) { return text.substr(0, part.size()) == part; }
bool EndsWith(std::string_view text, std::string_view part) {
    return text.size() >= part.size() && text.substr(text.size() - part.size()) == part;
}

bool Expected(std::string_view title, std::string_view mask) {
    if (mask.empty()) return false;
    if (mask == "*") return true;
    const bool leading = mask.front() == '*';
    const bool trailing = mask.back() == '*';
    // "**": either star may be the one at the edge.
    if (mask == "**") return BeginsWith(title, "*") || EndsWith(title, "*");
    if (leading && trailing) return Contains(title, mask.substr(1, mask.size() - 2));
    if (leading) return EndsWith(title, mask.substr(1));
    if (trailing) return BeginsWith(title, mask.substr(0, mask.size() - 1));
    return title == mask;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    if (split == std::string_view::npos) return 0;
    const std::string_view mask = input.substr(0, split);
    const std::string_view title = input.substr(split + 1);
    FUZZ_CHECK(MatchNameMask(title, mask) == Expected(title, mask));
    // A title always matches itself as a mask, stars and all.
    FUZZ_CHECK(title.empty() || MatchNameMask(title, title));
    return 0;
}
