// The watch's menu in the notification area: its items as the watch's state makes
// them, what each choice does, and the icon's tooltip. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/notification_area.h"

constexpr std::uint32_t kMenuPause = 1, kMenuOpenFolder = 2, kMenuOpenLog = 3, kMenuStartWithWindows = 4,
                        kMenuQuit = 5, kMenuFirstProfile = 100;

// One item per usable profile, "program.exe (profile.ini)", checked while active,
// "running" beside it while its program is supervised; "Pause all" or "Resume
// all"; the folder and the log; "Start with Windows", checked when the Run value
// starts this watch; "Quit".
std::vector<platform::MenuItem> TrayMenuItems();

// Does what the item of the menu last made stands for; 0 (no choice) does nothing.
void ChooseTrayMenuItem(std::uint32_t command);

// "Framewright: watching N programs", with "— M running" while some are
// supervised; "Framewright: paused" while paused.
std::string TrayTip();
