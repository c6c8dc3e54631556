// The command-line splitter over arbitrary bytes, as a store or a shortcut may pass
// them. The first byte chooses the code page: odd, 932 (Shift-JIS), whose second
// byte of a character may be a backslash or a quote; even, a single-byte one (the
// seeds begin with "1" or "0"). The rest is the command line. The arguments, quoted
// back by the splitter's own rules, split again to the same texts; every argument
// ends on a character's boundary, after the one before; and the program after "--"
// gets the rest byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/check.h"
#include "platform/text.h"
#include "settings/command_line.h"

namespace {

const LeadBytes kSingleByte;
const LeadBytes kShiftJis = LeadBytesOf(platform::CodePageInfo{2, {0x81, 0x9F, 0xE0, 0xFC}});

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The characters of a text, each as its length in bytes: a lead byte takes the byte
// after it, unless it is the last.
std::vector<std::size_t> Characters(std::string_view text, const LeadBytes& lead) {
    std::vector<std::size_t> lengths;
    for (std::size_t at = 0; at < text.size(); at += lengths.back()) {
        lengths.push_back(lead[static_cast<unsigned char>(text[at])] && at + 1 < text.size() ? 2 : 1);
    }
    return lengths;
}

// A lead byte alone can only end the line; written back, it must end it again, so
// it goes after the closing quote.
bool EndsInLoneLeadByte(std::string_view text, const LeadBytes& lead) {
    return !text.empty() && lead[static_cast<unsigned char>(text.back())] && Characters(text, lead).back() == 1;
}

bool HasQuoteCharacter(std::string_view text, const LeadBytes& lead) {
    std::size_t at = 0;
    for (std::size_t length : Characters(text, lead)) {
        if (length == 1 && text[at] == '"') return true;
        at += length;
    }
    return false;
}

// The program name has no escapes: quoted, unless it holds a quote, and then it
// holds no blank either.
std::string QuotedProgram(std::string_view name, const LeadBytes& lead) {
    if (HasQuoteCharacter(name, lead)) return std::string(name);
    return "\"" + std::string(name) + (EndsInLoneLeadByte(name, lead) ? "" : "\"");
}

// Backslashes before a quote, or before the closing quote, are doubled; a quote is
// escaped; a two-byte character is copied whole.
std::string QuotedArgument(std::string_view text, const LeadBytes& lead) {
    const bool lone = EndsInLoneLeadByte(text, lead);
    const std::string_view body = text.substr(0, text.size() - (lone ? 1 : 0));
    std::string quoted = "\"";
    std::size_t at = 0, backslashes = 0;
    for (std::size_t length : Characters(body, lead)) {
        if (length == 1 && body[at] == '\\') {
            ++backslashes;
        } else {
            const bool quote = length == 1 && body[at] == '"';
            quoted.append(quote ? 2 * backslashes + 1 : backslashes, '\\');
            quoted.append(body.substr(at, length));
            backslashes = 0;
        }
        at += length;
    }
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    if (lone) quoted += text.back();
    return quoted;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const LeadBytes& lead = data[0] % 2 == 1 ? kShiftJis : kSingleByte;
    const std::string_view line(reinterpret_cast<const char*>(data) + 1, size - 1);

    // Each argument ends on a character's boundary, past the one before; from the
    // third on, a blank follows the one before; after the last, only blanks.
    const std::vector<CommandLineArgument> arguments = ParseCommandLine(line, lead);
    std::vector<bool> boundary(line.size() + 1, false);
    std::size_t at = 0;
    for (std::size_t length : Characters(line, lead)) {
        boundary[at] = true;
        at += length;
    }
    boundary[line.size()] = true;
    FUZZ_CHECK(!arguments.empty());
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        FUZZ_CHECK(arguments[i].end <= line.size() && boundary[arguments[i].end]);
        FUZZ_CHECK(i == 0 || arguments[i].end > arguments[i - 1].end);
        FUZZ_CHECK(i < 2 || IsBlank(line[arguments[i - 1].end]));
    }
    for (std::size_t i = arguments.back().end; i < line.size(); ++i) FUZZ_CHECK(IsBlank(line[i]));

    // Quoted back and joined, the arguments split to the same texts.
    std::string joined = QuotedProgram(arguments[0].text, lead);
    for (std::size_t i = 1; i < arguments.size(); ++i) joined += " " + QuotedArgument(arguments[i].text, lead);
    const std::vector<std::string> again = SplitCommandLine(joined, lead);
    FUZZ_CHECK(again.size() == arguments.size());
    for (std::size_t i = 0; i < again.size(); ++i) FUZZ_CHECK(again[i] == arguments[i].text);

    // "--": the launcher's arguments are those of the line before it, and the
    // program's command line is the rest, verbatim, from its first non-blank.
    const LauncherArguments split = SplitLauncherCommandLine(line, lead);
    const std::string& rest = split.launch.commandLine;
    if (split.launch.given) {
        FUZZ_CHECK(rest.size() <= line.size() && line.substr(line.size() - rest.size()) == rest);
        FUZZ_CHECK(rest.empty() || !IsBlank(rest[0]));
        FUZZ_CHECK(boundary[line.size() - rest.size()]);
        std::string_view before = line.substr(0, line.size() - rest.size());
        while (!before.empty() && IsBlank(before.back())) before.remove_suffix(1);
        // "--" is an argument of its own: after a blank, or right after a quoted program name.
        FUZZ_CHECK(before.size() >= 2 && before.substr(before.size() - 2) == "--");
        before.remove_suffix(2);
        FUZZ_CHECK(before.size() == arguments[0].end || (!before.empty() && IsBlank(before.back())));
        FUZZ_CHECK(split.own == SplitCommandLine(before, lead));
        FUZZ_CHECK(split.launch.program == (rest.empty() ? "" : SplitCommandLine(rest, lead)[0]));
    } else {
        FUZZ_CHECK(rest.empty() && split.launch.program.empty());
        FUZZ_CHECK(split.own == SplitCommandLine(line, lead));
    }
    FUZZ_CHECK(split.profile.empty() || IsProfileArgument(split.profile));
    return 0;
}
