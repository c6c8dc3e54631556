#include "settings/command_line.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool IsProfileArgument(const std::string& text) {
    if (text.size() < 4) return false;
    std::string tail = text.substr(text.size() - 4);
    for (char& c : tail) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return tail == ".ini";
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;

    // The program name: quotes delimit it and are dropped; backslashes are literal.
    std::string program;
    if (i < line.size() && line[i] == '"') {
        for (++i; i < line.size() && line[i] != '"'; ++i) program += line[i];
        if (i < line.size()) ++i;
    } else {
        for (; i < line.size() && !IsBlank(line[i]); ++i) program += line[i];
    }
    arguments.push_back(program);

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
                argument += line[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string ProfileArgument(std::string_view commandLine) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (IsProfileArgument(arguments[i])) return arguments[i];
    }
    return std::string();
}
