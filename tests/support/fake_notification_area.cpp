// The notification area on the simulated desktop.
#include "platform/notification_area.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

bool AddNotifyIcon(WindowHandle window, std::uint32_t callbackMessage, const std::string& tip) {
    Active().count(Call::AddNotifyIcon);
    return Active().addNotifyIcon(window, callbackMessage, tip);
}

bool SetNotifyIconTip(WindowHandle window, const std::string& tip) {
    Active().count(Call::SetNotifyIconTip);
    fake::NotifyIcon* icon = Active().notifyIconOf(window);
    if (icon == nullptr) return false;
    icon->tip = tip.substr(0, 127);
    return true;
}

bool ShowNotifyBalloon(WindowHandle window, const std::string& title, const std::string& text) {
    Active().count(Call::ShowNotifyBalloon);
    fake::NotifyIcon* icon = Active().notifyIconOf(window);
    if (icon == nullptr) return false;
    icon->balloons.push_back(title.substr(0, 63) + ": " + text.substr(0, 255));
    return true;
}

bool DeleteNotifyIcon(WindowHandle window) {
    Active().count(Call::DeleteNotifyIcon);
    return Active().deleteNotifyIcon(window);
}

std::uint32_t RegisterWindowMessageA(const std::string& name) {
    Active().count(Call::RegisterWindowMessageA);
    return Active().registerWindowMessage(name);
}

std::uint32_t ShowPopupMenu(WindowHandle, const std::vector<MenuItem>& items) {
    Active().count(Call::ShowPopupMenu);
    return Active().showPopupMenu(items);
}

}  // namespace platform
