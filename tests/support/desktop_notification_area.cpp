// The simulated desktop's notification area: one icon per window, as the launcher
// adds it, and its menus, which close on what a test has queued.
#include <algorithm>

#include "tests/support/fake_desktop.h"

namespace fake {

Desktop& Desktop::chooseInMenu(std::uint32_t command) {
    menuChoices_.push_back(command);
    return *this;
}

void Desktop::restartShell() {
    notifyIcons_.clear();
    const std::uint32_t message = registerWindowMessage("TaskbarCreated");
    for (WindowHandle window : launcherWindows()) postElsewhere(window, message);
}

bool Desktop::addNotifyIcon(WindowHandle window, std::uint32_t callbackMessage, const std::string& tip) {
    // As the shell does: a second icon of the same window and identifier is refused.
    if (!windowExists(window) || notifyIconOf(window) != nullptr) return false;
    notifyIcons_.push_back({window, callbackMessage, tip.substr(0, 127), {}});
    return true;
}

NotifyIcon* Desktop::notifyIconOf(WindowHandle window) {
    auto found = std::find_if(notifyIcons_.begin(), notifyIcons_.end(),
                              [window](const NotifyIcon& icon) { return icon.window == window; });
    return found == notifyIcons_.end() ? nullptr : &*found;
}

bool Desktop::deleteNotifyIcon(WindowHandle window) {
    const NotifyIcon* icon = notifyIconOf(window);
    if (icon == nullptr) return false;
    notifyIcons_.erase(notifyIcons_.begin() + (icon - notifyIcons_.data()));
    return true;
}

// Registered messages are numbered from 0xC000 up, as the system numbers them.
std::uint32_t Desktop::registerWindowMessage(const std::string& name) {
    auto found = registeredMessages_.find(name);
    if (found != registeredMessages_.end()) return found->second;
    const std::uint32_t message = 0xC000u + static_cast<std::uint32_t>(registeredMessages_.size());
    registeredMessages_[name] = message;
    return message;
}

std::uint32_t Desktop::showPopupMenu(const std::vector<platform::MenuItem>& items) {
    menusShown_.push_back(items);
    if (menuChoices_.empty()) return 0;
    const std::uint32_t command = menuChoices_.front();
    menuChoices_.erase(menuChoices_.begin());
    return command;
}

}  // namespace fake
