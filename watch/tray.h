// The watch's face in the notification area: its icon, whose tooltip counts the
// programs watched and running, whose clicks open its menu, and whose balloons
// tell what a person must hear.
#pragma once

#include <string>

#include "platform/windows.h"

// The icon's clicks, as the watch's window gets them.
constexpr std::uint32_t kTrayIconMessage = platform::kWmApp + 1;

// Adds the icon for the watch's window; without a notification area the watch
// runs on, traced.
void ShowTrayIcon();
// The tooltip follows the counts; nothing is asked of the shell while they stay.
void RefreshTrayIcon();
void RemoveTrayIcon();
// A click on the icon (either button) opens the menu; the shell starting again
// gets the icon back. False for any other message.
bool HandleTrayMessage(const platform::WindowMessage& message);
// A balloon of the text, shortened to what one shows, while the icon is there.
void ShowTrayBalloon(const std::string& text);
