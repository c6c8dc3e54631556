#include "checktool/arguments.h"

#include "settings/command_line.h"

namespace {

// Six digits: no display or window comes near a million pixels, and the sizes stay
// far from the 32-bit limits in the size arithmetic.
bool ParseDimension(const std::string& text, std::int32_t& value) {
    if (text.empty() || text.size() > 6) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool ParseExtent(const std::string& text, Extent& extent) {
    std::size_t cross = text.find_first_of("xX");
    return cross != std::string::npos && ParseDimension(text.substr(0, cross), extent.width) &&
           ParseDimension(text.substr(cross + 1), extent.height);
}

struct SizeOption {
    const char* name;
    bool CheckOptions::*given;
    Extent CheckOptions::*extent;
};

const SizeOption kSizeOptions[] = {
    {"--display", &CheckOptions::hasDisplay, &CheckOptions::display},
    {"--window", &CheckOptions::hasWindow, &CheckOptions::window},
    {"--client", nullptr, &CheckOptions::client},
};

// The text after "name=", or else the next argument; false when there is none.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, std::size_t nameLength,
               std::string& value) {
    if (nameLength < arguments[i].size()) {
        value = arguments[i].substr(nameLength + 1);
        return true;
    }
    if (i + 1 == arguments.size()) return false;
    value = arguments[++i];
    return true;
}

}  // namespace

bool ParseCheckArguments(const std::vector<std::string>& arguments, CheckOptions& options,
                         std::string& error) {
    options = CheckOptions{};
    bool hasClient = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
            continue;
        }
        std::string name = argument.substr(0, argument.find('='));
        if (name == "--watch") {
            if (options.watch) {
                error = "--watch is given twice";
                return false;
            }
            options.watch = true;
            if (!TakeValue(arguments, i, name.size(), options.watchFolder) || options.watchFolder.empty()) {
                error = "--watch needs a folder";
                return false;
            }
            continue;
        }
        const SizeOption* option = nullptr;
        for (const SizeOption& candidate : kSizeOptions) {
            if (name == candidate.name) option = &candidate;
        }
        if (option == nullptr && IsProfileArgument(argument)) {
            if (!options.profile.empty()) {
                error = "two configuration files given: \"" + options.profile + "\" and \"" + argument + "\"";
                return false;
            }
            options.profile = argument;
            continue;
        }
        if (option == nullptr) {
            error = "unknown argument \"" + argument + "\"";
            return false;
        }
        std::string value;
        if (!TakeValue(arguments, i, name.size(), value)) {
            error = name + " needs a size, such as 1920x1080";
            return false;
        }
        bool& given = option->given != nullptr ? options.*(option->given) : hasClient;
        if (given) {
            error = name + " is given twice";
            return false;
        }
        given = true;
        if (!ParseExtent(value, options.*(option->extent))) {
            error = name + " needs a size such as 1920x1080, not \"" + value + "\"";
            return false;
        }
    }
    if (options.hasDisplay && (options.display.width < 1 || options.display.height < 1)) {
        error = "--display needs a size of at least 1x1";
        return false;
    }
    if (options.hasWindow != hasClient) {
        error = "--window and --client go together: the window's outer size and its client area's";
        return false;
    }
    if (options.watch && (!options.profile.empty() || options.hasDisplay || options.hasWindow)) {
        error = "--watch reads a folder's profiles: it goes with no profile and no size";
        return false;
    }
    return true;
}
