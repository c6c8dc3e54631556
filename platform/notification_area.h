// The notification area: an icon of the launcher's own window there, its tooltip
// and balloons, the pop-up menu it opens, and the message the shell sends when it
// starts again. The shell shows Unicode, so the texts here are UTF-8
// (AnsiToUtf8 in platform/text.h converts the ANSI ones).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// What the icon's callback message carries in lParam: the mouse message.
constexpr std::uint32_t kWmLButtonUp = 0x202, kWmRButtonUp = 0x205;

// Shell_NotifyIconW NIM_ADD of the exe's own icon (its resource 1, at the small
// icon size) for the window: its clicks come to the window as `callbackMessage`,
// lParam the mouse message. The tooltip is cut to 127 characters.
bool AddNotifyIcon(WindowHandle window, std::uint32_t callbackMessage, const std::string& tip);
bool SetNotifyIconTip(WindowHandle window, const std::string& tip);
// A balloon with the information icon; title and text are cut to 63 and 255
// characters.
bool ShowNotifyBalloon(WindowHandle window, const std::string& title, const std::string& text);
bool DeleteNotifyIcon(WindowHandle window);

// RegisterWindowMessageA: the same number for the same name in every program of
// the session ("TaskbarCreated": the shell has started again); 0 on failure.
std::uint32_t RegisterWindowMessageA(const std::string& name);

// One item of a pop-up menu; command 0 is a separator. "&" marks the access key
// ("&&" is an ampersand); a tab puts the rest in the menu's right-hand column.
struct MenuItem {
    std::uint32_t command = 0;
    std::string text;
    bool checked = false;
};
// TrackPopupMenu of a menu of the items at the cursor, for the window (brought to
// the foreground first, so the menu closes when the user clicks elsewhere). Returns
// when the menu closes: the command chosen, 0 for none.
std::uint32_t ShowPopupMenu(WindowHandle window, const std::vector<MenuItem>& items);

}  // namespace platform
