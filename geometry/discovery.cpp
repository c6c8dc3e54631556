#include "geometry/discovery.h"

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

bool MatchNameMask(std::string_view title, std::string_view mask) {
    const std::size_t length = mask.size();
    if (length == 0) return false;
    if (mask == "*") return true;
    if (length == 1 && title == mask) return true;
    if (length >= 3 && mask.front() == '*' && mask.back() == '*' &&
        title.find(mask.substr(1, length - 2)) != std::string_view::npos) {
        return true;
    }
    if (mask.front() == '*' && EndsWith(title, mask.substr(1))) return true;
    if (mask.back() == '*' && StartsWith(title, mask.substr(0, length - 1))) return true;
    return title == mask;
}

platform::WindowHandle FindTargetWindow(bool findByPid, std::uint32_t processId, bool findByName,
                                        const std::string& nameMask) {
    // Runs every cycle while the window is unknown, over every top-level window:
    // the title buffer lives on the stack so the walk never touches the heap.
    char title[1024];
    for (platform::WindowHandle window = platform::FindWindowA(); window != 0;
         window = platform::GetWindow(window, platform::kGwHwndNext)) {
        int length = platform::GetWindowTextA(window, title, sizeof(title));
        std::string_view titleText(title, length > 0 ? static_cast<std::size_t>(length) : 0);
        std::uint32_t owner = 0;
        platform::GetWindowThreadProcessId(window, owner);

        bool passes;
        if (findByPid && findByName) passes = owner == processId && MatchNameMask(titleText, nameMask);
        else if (findByPid) passes = owner == processId;
        else if (findByName) passes = MatchNameMask(titleText, nameMask);
        else passes = false;
        if (passes) return window;
    }
    return platform::kNoWindow;
}
