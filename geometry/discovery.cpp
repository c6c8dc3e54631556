#include "geometry/discovery.h"

#include <algorithm>

#include "platform/windows.h"
#include "settings/settings.h"

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

namespace {

// The hidden companions the system gives a program's first window for its input
// method: owned by the program's process, often right above its main window.
bool IsInputMethodWindow(platform::WindowHandle window) {
    char name[16];
    const int length = platform::GetClassNameA(window, name, sizeof(name));
    const std::string_view className(name, length > 0 ? static_cast<std::size_t>(length) : 0);
    return className == "IME" || className == "MSCTFIME UI";
}

}  // namespace

platform::WindowHandle FindTargetWindow(bool findByPid, std::uint32_t processId, bool findByName,
                                        const std::string& nameMask) {
    return FindTargetWindow(findByPid, &processId, 1, findByName, nameMask);
}

platform::WindowHandle FindTargetWindow(bool findByPid, const std::uint32_t* processIds, std::size_t processCount,
                                        bool findByName, const std::string& nameMask) {
    if (!findByPid && !findByName) return platform::kNoWindow;
    // Runs every cycle while the window is unknown, over every top-level window: each
    // window costs only the reads its test needs, the process first (the cheaper
    // test), and the title buffer lives on the stack so the walk never touches the heap.
    char title[kLongestTitleRead + 1];
    for (platform::WindowHandle window = platform::FindWindowA(); window != 0;
         window = platform::GetWindow(window, platform::kGwHwndNext)) {
        if (window == SurroundWindow) continue;  // the launcher's own, whatever its title
        if (findByPid) {
            std::uint32_t owner = 0;
            platform::GetWindowThreadProcessId(window, owner);
            if (std::find(processIds, processIds + processCount, owner) == processIds + processCount) continue;
        }
        if (findByName) {
            int length = platform::GetWindowTextA(window, title, sizeof(title));
            std::string_view titleText(title, length > 0 ? static_cast<std::size_t>(length) : 0);
            if (!MatchNameMask(titleText, nameMask)) continue;
        }
        if (!IsInputMethodWindow(window)) return window;
    }
    return platform::kNoWindow;
}
