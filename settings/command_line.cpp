#include "settings/command_line.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The bytes of the character at `at`: two for a lead byte with a byte after it.
std::size_t CharacterLength(std::string_view line, std::size_t at, const LeadBytes& leadBytes) {
    return leadBytes[static_cast<unsigned char>(line[at])] && at + 1 < line.size() ? 2 : 1;
}

}  // namespace

LeadBytes LeadBytesOf(const platform::CodePageInfo& codePage) {
    LeadBytes lead;
    for (std::size_t i = 0; i + 1 < sizeof codePage.leadByte && codePage.leadByte[i] != 0; i += 2) {
        for (unsigned byte = codePage.leadByte[i]; byte <= codePage.leadByte[i + 1]; ++byte) lead.set(byte);
    }
    return lead;
}

LeadBytes AnsiLeadBytes() {
    platform::CodePageInfo codePage;
    return platform::GetCPInfo(platform::kCpAcp, codePage) ? LeadBytesOf(codePage) : LeadBytes();
}

bool IsProfileArgument(const std::string& text) {
    return text.size() >= 4 && LowerAscii(text.substr(text.size() - 4)) == ".ini";
}

std::vector<CommandLineArgument> ParseCommandLine(std::string_view line, const LeadBytes& leadBytes) {
    std::vector<CommandLineArgument> arguments;
    std::size_t i = 0;
    auto takeCharacter = [&](std::string& text) {
        const std::size_t length = CharacterLength(line, i, leadBytes);
        text.append(line.substr(i, length));
        i += length;
    };

    // The program name: quotes delimit it and are dropped; backslashes are literal.
    std::string program;
    if (i < line.size() && line[i] == '"') {
        for (++i; i < line.size() && line[i] != '"';) takeCharacter(program);
        if (i < line.size()) ++i;
    } else {
        while (i < line.size() && !IsBlank(line[i])) takeCharacter(program);
    }
    arguments.push_back({program, i});

    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;

        std::string argument;
        // Quotes come in runs: the first opens a quoted part (or closes one), and
        // every third quote of a run is a literal one.
        int quotes = 0;
        while (i < line.size() && (quotes != 0 || !IsBlank(line[i]))) {
            if (line[i] == '\\') {
                std::size_t backslashes = 0;
                while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
                if (i < line.size() && line[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (line[i] == '"') {
                ++quotes;
                for (++i; i < line.size() && line[i] == '"'; ++i) {
                    if (++quotes == 3) {
                        argument += '"';
                        quotes = 0;
                    }
                }
                if (quotes == 2) quotes = 0;
            } else {
                takeCharacter(argument);
            }
        }
        arguments.push_back({argument, i});
    }
    return arguments;
}

std::vector<std::string> SplitCommandLine(std::string_view line, const LeadBytes& leadBytes) {
    std::vector<std::string> texts;
    for (CommandLineArgument& argument : ParseCommandLine(line, leadBytes)) texts.push_back(std::move(argument.text));
    return texts;
}

std::string_view ArgumentsAfterProgramName(std::string_view line, const LeadBytes& leadBytes) {
    std::size_t start = ParseCommandLine(line, leadBytes).front().end;
    while (start < line.size() && IsBlank(line[start])) ++start;
    return line.substr(start);
}

namespace {

void TakeMode(LauncherArguments& split) {
    if (split.own.size() < 2) return;
    const std::string next = split.own.size() > 2 ? split.own[2] : "";
    if (LowerAscii(split.own[1]) == "--attach") {
        split.mode = LauncherMode::Attach;
        // A profile right after it means the identifier was left out.
        if (!IsProfileArgument(next)) split.attachProcess = next;
    } else if (LowerAscii(split.own[1]) == "--watch") {
        const bool stop = LowerAscii(next) == "--stop";
        split.mode = stop ? LauncherMode::StopWatch : LauncherMode::Watch;
        if (!stop) split.watchFolder = next;
    }
}

}  // namespace

LauncherArguments SplitLauncherCommandLine(std::string_view line, const LeadBytes& leadBytes) {
    LauncherArguments split;
    std::size_t start = 0;
    for (CommandLineArgument& argument : ParseCommandLine(line, leadBytes)) {
        while (start < argument.end && IsBlank(line[start])) ++start;
        // The program name is never the "--" argument.
        if (!split.own.empty() && line.substr(start, argument.end - start) == "--") {
            std::size_t rest = argument.end;
            while (rest < line.size() && IsBlank(line[rest])) ++rest;
            split.launch = {true, "", std::string(line.substr(rest))};
            if (rest < line.size()) split.launch.program = ParseCommandLine(line.substr(rest), leadBytes).front().text;
            break;
        }
        if (!split.own.empty() && split.profile.empty() && IsProfileArgument(argument.text)) {
            split.profile = argument.text;
        }
        split.own.push_back(std::move(argument.text));
        start = argument.end;
    }
    TakeMode(split);
    return split;
}

std::string ProfileArgument(std::string_view commandLine, const LeadBytes& leadBytes) {
    return SplitLauncherCommandLine(commandLine, leadBytes).profile;
}

std::string ProfileArgument(std::string_view commandLine) { return ProfileArgument(commandLine, AnsiLeadBytes()); }
