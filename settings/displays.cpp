#include "settings/displays.h"

#include "platform/displays.h"
#include "settings/integer_text.h"

namespace {

const std::string kDevicePrefix = "\\\\.\\display";

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

bool ParseDisplayChoice(const std::string& text, DisplayChoice& choice, std::int32_t& number) {
    const std::string keyword = LowerAscii(text);
    if (keyword.empty() || keyword == "primary") {
        choice = DisplayChoice::Primary;
        return true;
    }
    if (keyword == "window") {
        choice = DisplayChoice::Window;
        return true;
    }
    std::int32_t value = 0;
    if (!ParseIntegerText(text, value) || value < 1) return false;
    choice = DisplayChoice::Numbered;
    number = value;
    return true;
}

std::int32_t DisplayNumberOf(const std::string& device) {
    if (device.size() <= kDevicePrefix.size() || device.size() > kDevicePrefix.size() + 9 ||
        LowerAscii(device.substr(0, kDevicePrefix.size())) != kDevicePrefix) {
        return 0;
    }
    std::int32_t number = 0;
    for (std::size_t i = kDevicePrefix.size(); i < device.size(); ++i) {
        if (device[i] < '0' || device[i] > '9') return 0;
        number = number * 10 + (device[i] - '0');
    }
    return number;
}

std::vector<DisplayEntry> ListDisplays() {
    std::vector<DisplayEntry> displays;
    for (platform::MonitorHandle monitor : platform::EnumDisplayMonitors()) {
        platform::MonitorInfo info;
        // A display unplugged during the walk has no information left.
        if (!platform::GetMonitorInfoA(monitor, info)) continue;
        displays.push_back({DisplayNumberOf(info.device), info.device, info.monitor,
                            (info.flags & platform::kMonitorInfoPrimary) != 0});
    }
    return displays;
}

std::string DisplayText(const platform::Rect& rect) {
    return std::to_string(std::int64_t{rect.right} - rect.left) + " x " +
           std::to_string(std::int64_t{rect.bottom} - rect.top) + " at " + std::to_string(rect.left) + ", " +
           std::to_string(rect.top);
}

std::string DisplayListText(const std::vector<DisplayEntry>& displays) {
    std::string text;
    for (const DisplayEntry& display : displays) {
        if (!text.empty()) text += ", ";
        text += (display.number > 0 ? std::to_string(display.number) : display.device) + " (" +
                DisplayText(display.rect) + (display.primary ? ", primary)" : ")");
    }
    return text.empty() ? "none" : text;
}
