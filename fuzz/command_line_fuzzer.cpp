// The command-line splitter over arbitrary lines. The first byte picks the code
// page (odd: 932, whose lead bytes take any byte after them; even: a single-byte
// one), the rest is the line. Each argument must end where the next begins or
// later, and the line cut where an argument ends must split into the same
// arguments up to that one, so that the rest of a line can be taken as written.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/check.h"
#include "settings/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const LeadBytes kShiftJis = LeadBytesOf(platform::CodePageInfo{2, {0x81, 0x9F, 0xE0, 0xFC}});
    const LeadBytes leadBytes = (data[0] & 1) != 0 ? kShiftJis : LeadBytes();
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<CommandLineArgument> arguments = ParseCommandLine(line, leadBytes);
    FUZZ_CHECK(!arguments.empty());
    std::size_t previous = 0;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        FUZZ_CHECK(arguments[k].end >= previous && arguments[k].end <= line.size());
        FUZZ_CHECK(arguments[k].text.size() <= arguments[k].end);
        previous = arguments[k].end;
        const std::vector<CommandLineArgument> cut = ParseCommandLine(line.substr(0, arguments[k].end), leadBytes);
        FUZZ_CHECK(cut.size() == k + 1);
        for (std::size_t i = 0; i <= k && i < cut.size(); ++i) FUZZ_CHECK(cut[i].text == arguments[i].text);
    }
    return 0;
}
