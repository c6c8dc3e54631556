// Text on the simulated desktop: code pages, the locale's separators and message
// boxes.
#include "tests/support/fake_desktop.h"

#include "tests/support/desktop_records.h"

namespace fake {

// ---- code pages and the locale ----

Desktop& Desktop::ansiCodePage(std::uint32_t codePage) {
    ansiCodePage_ = codePage;
    return *this;
}

namespace {

// The lead-byte ranges the system gives for the code pages modelled; others are
// not installed.
bool KnownCodePage(std::uint32_t codePage, platform::CodePageInfo& info) {
    switch (codePage) {
        case 1252: info = {1, {}}; return true;
        case 932: info = {2, {0x81, 0x9F, 0xE0, 0xFC}}; return true;
        case 936: case 949: case 950: info = {2, {0x81, 0xFE}}; return true;
        default: return false;
    }
}

}  // namespace

bool Desktop::codePageInfo(std::uint32_t codePage, platform::CodePageInfo& info) {
    if (KnownCodePage(codePage == platform::kCpAcp ? ansiCodePage_ : codePage, info)) return true;
    return fail(87);  // ERROR_INVALID_PARAMETER
}

bool Desktop::isLeadByte(char c) const {
    platform::CodePageInfo info;
    if (!KnownCodePage(ansiCodePage_, info)) return false;
    const unsigned char byte = static_cast<unsigned char>(c);
    for (int i = 0; i + 1 < 12 && info.leadByte[i] != 0; i += 2) {
        if (byte >= info.leadByte[i] && byte <= info.leadByte[i + 1]) return true;
    }
    return false;
}

Desktop& Desktop::localeSeparators(std::string decimal, std::string thousands) {
    decimal_ = std::move(decimal);
    thousands_ = std::move(thousands);
    localeReadable_ = true;
    return *this;
}

Desktop& Desktop::localeUnreadable() {
    localeReadable_ = false;
    return *this;
}

bool Desktop::localeInfo(std::uint32_t type, std::string& value) const {
    if (!localeReadable_) return false;
    if (type == platform::kLocaleSDecimal) value = decimal_;
    else if (type == platform::kLocaleSThousand) value = thousands_;
    else return false;
    return true;
}

// ---- message boxes ----

Desktop& Desktop::boxesStayOpenFor(std::int64_t ms) {
    boxOpenMs_ = ms;
    return *this;
}

int Desktop::messageBox(const std::string& text, const std::string& caption, std::uint32_t type) {
    boxes_.push_back({text, caption, type, clockMs_});
    // A modal box halts the launcher while the rest of the desktop goes on.
    if (boxOpenMs_ > 0) advanceTo(clockMs_ + boxOpenMs_);
    return 1;  // IDOK
}

std::vector<std::string> Desktop::boxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes_) texts.push_back(box.text);
    return texts;
}

}  // namespace fake
