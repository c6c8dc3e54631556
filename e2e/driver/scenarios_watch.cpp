// The end-to-end scenario of the watch: "framewright.exe --watch" resident on a folder
// of profiles, the driver starting programs directly (never through Framewright):
// each is sized by its own profile, again after a restart, two at once; then
// "--watch --stop" gives every window back its rectangle and frame, the programs
// running on. And its icon in the notification area: the menu it opens, "Start with
// Windows" written to the registry, "Quit" giving every window back.
#include "harness.h"

#include <algorithm>

namespace {

const Geometry kOriginal{100, 100, 640, 480};
const Geometry kCentred{560, 240, 800, 600};        // 800x600 on 1920x1080
const Geometry kSecondCentred{660, 315, 600, 450};  // 600x450
const DWORD kSizedWithinMs = 60000;

std::string ProfileOf(const Env& env, const std::wstring& folder, const std::string& exeName, int width,
                      int height, bool borderless) {
    Ini ini = ValidIni(env, "");
    ini.Set("program", "path", Narrow(folder)).Set("program", "name", exeName).Erase("program", "parameters");
    ini.Set("windowresize", "windowwidth", std::to_string(width));
    ini.Set("windowresize", "windowheight", std::to_string(height));
    if (borderless) ini.Set("tweaks", "borderless", "1");
    return ini.Text();
}

HWND StartAndFind(Checker& c, const std::wstring& exe, const std::string& title, StartedElsewhere& program) {
    if (!StartElsewhere(c, exe, "--title \"" + title + "\" --outer 640 480 --pos 100 100 --time-limit 300000",
                        program)) {
        return nullptr;
    }
    return WaitForTargetWindow(c, title, kWindowAppearsMs);
}

bool SizedTo(Checker& c, const std::string& what, HWND window, const Geometry& expected) {
    WaitUntil([&] { return OuterOf(window) == expected; }, kSizedWithinMs);
    return c.Equal(what, expected, OuterOf(window));
}

void WatchSizesAndGivesBack(Checker& c, const Env& env) {
    LauncherRun watch(env, "watch");
    // The programs live in the watched folder: copies of the target under names of their own.
    const std::wstring first = watch.Folder() + L"\\fw-game-one.exe", second = watch.Folder() + L"\\fw-game-two.exe";
    const std::wstring target = env.targetDir + L"\\" + Widen(kTargetName);
    if (!c.Record(CopyFileW(target.c_str(), first.c_str(), FALSE) && CopyFileW(target.c_str(), second.c_str(), FALSE),
                  "the programs copied", "")) {
        return;
    }
    watch.WriteFile("one.ini", ProfileOf(env, watch.Folder(), "fw-game-one.exe", 800, 600, true));
    watch.WriteFile("two.ini", ProfileOf(env, watch.Folder(), "fw-game-two.exe", 600, 450, false));
    if (!watch.Start(c, "--watch")) return;
    HWND watchWindow = nullptr;
    WaitUntil([&] { return (watchWindow = FindWindowW(L"FramewrightWatch", nullptr)) != nullptr; }, kWindowAppearsMs);
    if (!c.Record(watchWindow != nullptr, "the watch's window", "")) return;

    {
        StartedElsewhere once;
        HWND window = StartAndFind(c, first, "fw-e2e watched once", once);
        if (!window) return;
        SizedTo(c, "started directly, sized by its profile", window, kCentred);
        c.Equal("borderless", false, HasCaption(window));
    }
    // Ended (by the destructor above) and started again.
    StartedElsewhere one, two;
    HWND window = StartAndFind(c, first, "fw-e2e watched again", one);
    HWND other = StartAndFind(c, second, "fw-e2e watched too", two);
    if (!window || !other) return;
    SizedTo(c, "started again, sized again", window, kCentred);
    SizedTo(c, "a second program at the same time, by its own profile", other, kSecondCentred);

    LauncherRun stop(env, "watch-stop");
    if (stop.Start(c, "--watch --stop")) stop.Finish(c, 60000, 0);
    watch.Finish(c, 60000, 0);
    watch.ExpectBoxes(c, {});
    c.Equal("the watch's window gone", false, FindWindowW(L"FramewrightWatch", nullptr) != nullptr);
    c.Equal("the first window's rectangle given back", kOriginal, OuterOf(window));
    c.Equal("its frame given back", true, HasCaption(window));
    c.Equal("the second window's rectangle given back", kOriginal, OuterOf(other));
    c.Equal("the programs run on", true, one.Running() && two.Running());
    c.Record(ReadShared(watch.Folder() + L"\\framewright-watch.log").find("fw-game-two.exe") != std::string::npos,
             "the watch's log names the programs it saw", "");
}

// Wine shows the icons, without a notification area of the desktop's, in a window of
// its own, one child per icon.
HWND TrayIcon() {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    return tray ? FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr) : nullptr;
}

HWND MenuOf(DWORD pid) {
    HWND menu = nullptr;
    while ((menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(menu) && ProcessOf(menu) == pid) return menu;
    }
    return nullptr;
}

// The screen's rectangle as a 24-bit BMP, for the docs' picture of the menu.
void SaveScreen(const RECT& r, const std::wstring& path) {
    const int width = r.right - r.left, height = r.bottom - r.top, stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<char> pixels(static_cast<size_t>(stride) * height);
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + pixels.size()), 0, 0, offset};
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &header, sizeof header, &written, nullptr);
    WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(out);
}

// The icon's click as the shell sends it; the menu it opens, closed by the key of
// the item to choose.
bool Choose(Checker& c, HWND watchWindow, DWORD watchPid, char key, const std::wstring& screenshot = L"") {
    PostMessageW(watchWindow, WM_APP + 1, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = MenuOf(watchPid)) != nullptr; }, 5000);
    if (!c.Record(menu != nullptr, std::string("the icon's menu opens, for '") + key + "'", "")) return false;
    if (!screenshot.empty()) {
        RECT shown;
        GetWindowRect(menu, &shown);
        InflateRect(&shown, 24, 24);
        shown.left = std::max(shown.left, 0L), shown.top = std::max(shown.top, 0L);
        SaveScreen(shown, screenshot);
    }
    // A key pressed before the menu has the keyboard goes to the window in front:
    // pressed again until the menu takes it.
    bool closed = false;
    int presses = 0;
    while (presses < 10 && !closed) {
        keybd_event(static_cast<BYTE>(key), 0, 0, 0);
        keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
        ++presses;
        closed = WaitUntil([&] { return MenuOf(watchPid) == nullptr; }, 500);
    }
    if (presses > 1) c.Note("the key pressed " + std::to_string(presses) + " times");
    return c.Record(closed, std::string("the menu closes on '") + key + "'", "");
}

void TheIconsMenu(Checker& c, const Env& env) {
    LauncherRun watch(env, "watch-menu");
    const std::wstring game = watch.Folder() + L"\\fw-game-menu.exe";
    if (!c.Record(CopyFileW((env.targetDir + L"\\" + Widen(kTargetName)).c_str(), game.c_str(), FALSE),
                  "the program copied", "")) {
        return;
    }
    watch.WriteFile("menu.ini", ProfileOf(env, watch.Folder(), "fw-game-menu.exe", 800, 600, true));
    if (!watch.Start(c, "--watch")) return;
    HWND watchWindow = nullptr;
    WaitUntil([&] { return (watchWindow = FindWindowW(L"FramewrightWatch", nullptr)) != nullptr; }, kWindowAppearsMs);
    if (!c.Record(watchWindow != nullptr, "the watch's window", "")) return;
    c.Record(WaitUntil([] { return TrayIcon() != nullptr; }, kWindowAppearsMs), "the icon in the notification area", "");
    StartedElsewhere program;
    HWND window = StartAndFind(c, game, "fw-e2e watched by the menu", program);
    if (!window || !SizedTo(c, "sized by its profile", window, kCentred)) return;
    const std::string command = "\"" + Narrow(env.launcher) + "\" --watch \"" + watch.FolderA() + "\"";
    if (Choose(c, watchWindow, watch.Pid(), 'W', watch.Folder() + L"\\watch-menu.bmp")) {
        WaitUntil([&] { return RunValue() == command; }, kWindowAppearsMs);
        c.Equal("Start with Windows: the Run value written", command, RunValue());
    }
    if (Choose(c, watchWindow, watch.Pid(), 'Q')) watch.Finish(c, 60000, 0);
    watch.ExpectBoxes(c, {});
    c.Equal("Quit: the icon gone", false, TrayIcon() != nullptr);
    c.Equal("Quit: the rectangle given back", kOriginal, OuterOf(window));
    c.Equal("Quit: the frame given back", true, HasCaption(window));
    c.Equal("Quit: the program runs on", true, program.Running());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Framewright");
}

}  // namespace

std::vector<Scenario> WatchScenarios() {
    return {{"watch", {{"programs started elsewhere sized by the watch, given back at its stop", WatchSizesAndGivesBack}}},
            {"watch_menu", {{"the icon's menu: Start with Windows written, Quit giving the window back", TheIconsMenu}}}};
}
