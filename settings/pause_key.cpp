#include "settings/pause_key.h"

#include "platform/input.h"

namespace {

struct Name {
    const char* text;
    std::uint32_t code;
};

const Name kModifiers[] = {
    {"Ctrl", platform::kModControl}, {"Alt", platform::kModAlt}, {"Shift", platform::kModShift},
    {"Win", platform::kModWin}};

// Keys with a name of their own, and their virtual-key codes.
const Name kNamedKeys[] = {
    {"Pause", 0x13},  {"ScrollLock", 0x91}, {"Insert", 0x2D}, {"Delete", 0x2E}, {"Home", 0x24},
    {"End", 0x23},    {"PageUp", 0x21},     {"PageDown", 0x22}, {"Up", 0x26},   {"Down", 0x28},
    {"Left", 0x25},   {"Right", 0x27},      {"Space", 0x20}};
constexpr std::uint32_t kVkSpace = 0x20, kVkF1 = 0x70, kVkNumPad0 = 0x60;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view text, std::string_view name) {
    if (text.size() != name.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Lower(text[i]) != Lower(name[i])) return false;
    }
    return true;
}

bool StartsWithName(std::string_view text, std::string_view name) {
    return text.size() > name.size() && SameName(text.substr(0, name.size()), name);
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// 1 to `last` written in decimal without leading zeros, else 0.
std::uint32_t SmallNumber(std::string_view digits, std::uint32_t last) {
    if (digits.empty() || digits.size() > 2 || digits[0] == '0') return 0;
    std::uint32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value <= last ? value : 0;
}

// The virtual-key code of a key name, 0 for none.
std::uint32_t KeyCode(std::string_view name) {
    if (name.empty()) return 0;
    if (name.size() == 1) {
        const char c = Lower(name[0]);
        if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>('A' + (c - 'a'));
        if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c);
        return 0;
    }
    for (const Name& key : kNamedKeys) {
        if (SameName(name, key.text)) return key.code;
    }
    if (StartsWithName(name, "NumPad") && name.size() == 7 && name[6] >= '0' && name[6] <= '9') {
        return kVkNumPad0 + static_cast<std::uint32_t>(name[6] - '0');
    }
    if (Lower(name[0]) == 'f') {
        const std::uint32_t number = SmallNumber(name.substr(1), 24);
        if (number != 0) return kVkF1 + number - 1;
    }
    return 0;
}

// Letters, digits and Space are typed in every program.
bool TypedKey(std::uint32_t code) {
    return code == kVkSpace || (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z');
}

}  // namespace

bool ParsePauseKey(std::string_view text, PauseKey& key) {
    PauseKey parsed;
    text = Trimmed(text);
    if (text.empty()) {
        key = parsed;
        return true;
    }
    for (;;) {
        const std::size_t plus = text.find('+');
        const std::string_view part = Trimmed(text.substr(0, plus));
        if (plus == std::string_view::npos) {
            parsed.key = KeyCode(part);
            break;
        }
        std::uint32_t modifier = 0;
        for (const Name& name : kModifiers) {
            if (SameName(part, name.text)) modifier = name.code;
        }
        if (modifier == 0 || (parsed.modifiers & modifier) != 0) return false;
        parsed.modifiers |= modifier;
        text.remove_prefix(plus + 1);
    }
    if (parsed.key == 0 || (parsed.modifiers == 0 && TypedKey(parsed.key))) return false;
    key = parsed;
    return true;
}

std::string PauseKeyText(const PauseKey& key) {
    if (key.key == 0) return "";
    std::string text;
    for (const Name& name : kModifiers) {
        if ((key.modifiers & name.code) != 0) text += std::string(name.text) + "+";
    }
    const std::uint32_t code = key.key;
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return text + static_cast<char>(code);
    if (code >= kVkNumPad0 && code <= kVkNumPad0 + 9) return text + "NumPad" + std::to_string(code - kVkNumPad0);
    if (code >= kVkF1 && code < kVkF1 + 24) return text + "F" + std::to_string(code - kVkF1 + 1);
    for (const Name& named : kNamedKeys) {
        if (named.code == code) return text + named.text;
    }
    return text + "?";
}
