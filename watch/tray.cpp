#include "watch/tray.h"

#include "diagnostics/trace.h"
#include "platform/notification_area.h"
#include "platform/text.h"
#include "watch/tray_menu.h"
#include "watch/watch_state.h"

namespace {

// A balloon shows some 255 characters; a box text longer than this is cut.
constexpr std::size_t kBalloonBytes = 200;

bool MenuOpen = false;

// Cut at a character's start, never inside its UTF-8 sequence.
std::string Shortened(const std::string& utf8) {
    if (utf8.size() <= kBalloonBytes) return utf8;
    std::size_t cut = kBalloonBytes;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;
    return utf8.substr(0, cut) + "\xE2\x80\xA6";  // U+2026, the ellipsis
}

void OpenMenu() {
    // The menu's own loop takes the messages while it is open: a click on the
    // icon then must not open another.
    if (MenuOpen) return;
    MenuOpen = true;
    const std::uint32_t command = platform::ShowPopupMenu(Watch.window, TrayMenuItems());
    MenuOpen = false;
    ChooseTrayMenuItem(command);
    RefreshTrayIcon();
}

}  // namespace

void ShowTrayIcon() {
    if (Watch.window == 0 || Watch.trayIcon) return;
    if (Watch.taskbarCreated == 0) Watch.taskbarCreated = platform::RegisterWindowMessageA("TaskbarCreated");
    Watch.trayTip = TrayTip();
    Watch.trayIcon = platform::AddNotifyIcon(Watch.window, kTrayIconMessage, Watch.trayTip);
    if (!Watch.trayIcon) {
        Trace("No icon in the notification area: the watch runs on without it");
        return;
    }
    if (!Watch.untold.empty()) ShowTrayBalloon(Watch.untold);
    Watch.untold.clear();
}

void RefreshTrayIcon() {
    if (!Watch.trayIcon) return;
    std::string tip = TrayTip();
    if (tip == Watch.trayTip) return;
    Watch.trayTip = std::move(tip);
    platform::SetNotifyIconTip(Watch.window, Watch.trayTip);
}

void RemoveTrayIcon() {
    if (!Watch.trayIcon) return;
    platform::DeleteNotifyIcon(Watch.window);
    Watch.trayIcon = false;
}

bool HandleTrayMessage(const platform::WindowMessage& message) {
    if (message.message == kTrayIconMessage) {
        if (message.lParam == platform::kWmRButtonUp || message.lParam == platform::kWmLButtonUp) OpenMenu();
        return true;
    }
    if (Watch.taskbarCreated == 0 || message.message != Watch.taskbarCreated) return false;
    // The shell that showed the icon is gone, and the icon with it.
    Watch.trayIcon = false;
    ShowTrayIcon();
    return true;
}

void ShowTrayBalloon(const std::string& text) {
    if (Watch.trayIcon) {
        platform::ShowNotifyBalloon(Watch.window, "Framewright", Shortened(platform::AnsiToUtf8(text)));
    } else if (Watch.untold.size() < kBalloonBytes) {
        Watch.untold += (Watch.untold.empty() ? "" : "\n") + text;
    }
}
