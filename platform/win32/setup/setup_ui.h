// What the setup window's parts share: the model, the messages between the window
// and its pages, and the page and picker dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "platform/setup_window.h"

namespace setup_ui {

extern platform::SetupModel* Model;

// The window asks a page to fill every control from the profile, to enable the
// controls of the keys that matter now, to list the drop-downs' choices again
// (the displays changed), or to hand the profile every field the user has typed
// in and not left yet (the result: nonzero when that changed the profile); a page
// tells the window that it changed the profile.
constexpr UINT kReloadPage = WM_APP + 1;
constexpr UINT kRefreshEnables = WM_APP + 2;
constexpr UINT kProfileChanged = WM_APP + 3;
constexpr UINT kChoicesChanged = WM_APP + 4;
constexpr UINT kCommitFields = WM_APP + 5;

INT_PTR CALLBACK ProgramPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK WindowPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TweaksPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

struct PickedWindow {
    std::string title;
    RECT outer, client;
};
// The modal list of open windows. False when the user cancels.
bool PickWindow(HWND owner, PickedWindow& picked);

// A file chooser's record over the caller's buffer; it never changes the working
// directory, which is the profile's folder.
OPENFILENAMEA FileChooser(HWND owner, const char* filter, char* file, DWORD size, DWORD flags);

std::string TextOf(HWND control);
void ShowError(HWND owner, const std::string& message);

}  // namespace setup_ui
