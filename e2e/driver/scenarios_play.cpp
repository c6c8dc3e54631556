// The play around the window on real windows: the cursor kept in the target's
// client area and the target topmost while it is in front, both let go while a
// window of the driver's own is in front, which then lies above the target (and the
// surround), and the pause key sent as keyboard input after a launcher stub ended;
// the surround around a pillar-boxed window, clicked, and following its window.
// The foreground and the cursor belong to the whole desktop, so these scenarios run
// alone and in one case each.
#include <atomic>
#include <thread>
#include <utility>

#include "harness.h"

namespace {

const DWORD kFirstResizeMs = 60000;
const DWORD kWithinMs = 1000;  // a cycle is 10 ms; allow for a loaded machine
const Geometry kCentred{560, 240, 800, 600};

Geometry ClipOf() {
    RECT r{};
    GetClipCursor(&r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Geometry Screen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Geometry ScreenClientOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x, origin.y, r.right, r.bottom};
}

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The named windows in their Z-order, top first: "the driver's window, the target".
std::string ZOrderOf(const std::vector<std::pair<HWND, std::string>>& named) {
    std::string order;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        for (const auto& [handle, name] : named) {
            if (handle == window) order += (order.empty() ? "" : ", ") + name;
        }
    }
    return order;
}

// What another program does to the target's frame, its outer rectangle kept.
void SetStyleInPlace(HWND window, LONG style) {
    SetWindowLongW(window, GWL_STYLE, style);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A window of the driver's own, on a thread of its own that serves its messages.
class OwnWindow {
public:
    OwnWindow() {
        thread_ = std::thread([this] {
            threadId_ = GetCurrentThreadId();
            window_ = CreateWindowExW(0, L"STATIC", L"fw-e2e driver's window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                      50, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            ready_ = true;
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        });
        WaitUntil([this] { return ready_.load(); }, 10000);
    }
    ~OwnWindow() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND Handle() const { return window_; }

private:
    std::thread thread_;
    std::atomic<bool> ready_{false};
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

// Brings a window to the front as the user would; true once it has been the
// foreground window for 100 ms. Without a window manager Wine may still be finishing
// the last switch, whose focus event then takes the front back: ask again until it
// stays.
bool BringToFront(HWND window) {
    DWORD steadySince = 0;
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() != window) {
                SetForegroundWindow(window);
                steadySince = 0;
                return false;
            }
            if (steadySince == 0) steadySince = GetTickCount();
            return GetTickCount() - steadySince >= 100;
        },
        5000);
}

// Waits until the cursor clip and the topmost bit are what the launcher should make
// of the situation, and checks both.
void ExpectPlay(Checker& c, const std::string& what, HWND target, const Geometry& clip, bool topmost) {
    DWORD elapsed = 0;
    const bool reached =
        WaitUntil([&] { return ClipOf() == clip && IsTopmost(target) == topmost; }, 5000, &elapsed);
    c.Record(reached && elapsed <= kWithinMs,
             what + ": cursor held in " + ToText(clip) + ", topmost " + ToText(topmost) + " within " +
                 std::to_string(kWithinMs) + " ms",
             reached ? "after " + std::to_string(elapsed) + " ms"
                     : "got " + ToText(ClipOf()) + ", topmost " + ToText(IsTopmost(target)));
}

// Ctrl+Alt+F11 as keyboard input, pressed and let go.
void PressPauseKey() {
    const WORD keys[] = {VK_CONTROL, VK_MENU, VK_F11};
    INPUT inputs[6] = {};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = inputs[5 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[5 - i].ki.wVk = keys[i];
        inputs[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, inputs, sizeof(INPUT));
}

// The target started through a stub that ends at once (followchildren=1), so the
// launcher's queue is heard after the started process has ended.
void ForegroundAndPause(Checker& c, const Env& env) {
    LauncherRun run(env, "play");
    const std::string title = "fw-e2e play";
    Ini ini = ValidIni(env, "--title \"" + title + "\" --spawn-child --outer 640 480 --pos 100 100");
    ini.Set("program", "followchildren", "1");
    ini.Set("tweaks", "clipcursor", "1").Set("tweaks", "topmost", "1").Set("tweaks", "pausekey", "Ctrl+Alt+F11");
    HWND target = LaunchWithWindow(c, run, ini, title);
    if (!target) return;
    WaitUntil([&] { return OuterOf(target) == kCentred; }, kFirstResizeMs);
    c.Equal("first resize", kCentred, OuterOf(target));
    HANDLE stub = OpenProcess(SYNCHRONIZE, FALSE, ParentProcessOf(ProcessOf(target)));
    c.Equal("the stub has ended", true, !stub || WaitForSingleObject(stub, 10000) == WAIT_OBJECT_0);
    if (stub) CloseHandle(stub);
    c.Record(BringToFront(target), "the target in front", "foreground " + ToText(GetForegroundWindow() == target));
    const Geometry client = ScreenClientOf(target);
    c.Note("the target's client area on the screen: " + ToText(client));
    ExpectPlay(c, "in front", target, client, true);
    SetWindowPos(target, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ExpectPlay(c, "topmost taken away while in front", target, client, true);
    const LONG style = GetWindowLongW(target, GWL_STYLE);
    SetStyleInPlace(target, WS_POPUP | WS_VISIBLE);
    ExpectPlay(c, "its frame taken off, the outer rectangle kept", target, kCentred, true);
    SetStyleInPlace(target, style);
    ExpectPlay(c, "its frame put back", target, client, true);
    {
        OwnWindow own;
        for (int round = 1; round <= 2; ++round) {
            const std::string n = " (" + std::to_string(round) + ")";
            c.Record(BringToFront(own.Handle()), "the driver's window in front" + n, "");
            ExpectPlay(c, "another program in front" + n, target, Screen(), false);
            c.Equal("the driver's window above the target" + n, std::string("the driver's window, the target"),
                    ZOrderOf({{own.Handle(), "the driver's window"}, {target, "the target"}}));
            c.Record(BringToFront(target), "the target back in front" + n, "");
            ExpectPlay(c, "back in front" + n, target, client, true);
        }
    }

    PressPauseKey();
    ExpectPlay(c, "paused", target, Screen(), false);
    SetWindowPos(target, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool resized = WaitUntil([&] { return OuterOf(target).width != 700; }, 500);
    c.Equal("paused: the lock leaves the size the user gave", false, resized);
    PressPauseKey();
    ExpectPlay(c, "resumed", target, client, true);
    c.Equal("resumed: the lock put the size back", kCentred, OuterOf(target));

    PostMessageW(target, WM_CLOSE, 0, 0);
    if (!run.Finish(c, 60000)) KillWindowProcess(target);
    run.ExpectBoxes(c, {});
    c.Equal("the cursor is free after the end", Screen(), ClipOf());
}

// ---- the surround ----

const Geometry kPillarBoxed{240, 0, 1440, 1080};  // 4:3 in the whole 1920 x 1080 display

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The left button pressed and let go at a point of the screen, as mouse input.
void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// Waits until the surround is shown right beneath the target (and topmost only
// while the target is: it never covers another program's window), or hidden, and
// checks it.
void ExpectSurround(Checker& c, const std::string& what, HWND target, HWND surround, bool shown) {
    DWORD elapsed = 0;
    const auto state = [&] {
        return (IsWindowVisible(surround) != FALSE) == shown &&
               (!shown || (GetWindow(target, GW_HWNDNEXT) == surround && (!IsTopmost(surround) || IsTopmost(target))));
    };
    const bool reached = WaitUntil(state, 5000, &elapsed);
    c.Record(reached && elapsed <= kWithinMs,
             what + ": the surround " + (shown ? "right beneath the target" : "hidden") + " within 1 s",
             reached ? "after " + std::to_string(elapsed) + " ms"
                     : "visible, beneath, topmost, the target topmost: " + ToText(IsWindowVisible(surround) != FALSE) +
                           ToText(GetWindow(target, GW_HWNDNEXT) == surround) + ToText(IsTopmost(surround)) +
                           ToText(IsTopmost(target)));
}

void BlackBars(Checker& c, const Env& env) {
    LauncherRun run(env, "surround");
    const std::string title = "fw-e2e surround";
    Ini ini = ValidIni(env, "--title \"" + title + "\" --outer 816 639 --pos 100 100");
    ini.Set("windowresize", "scalingmethod", "displayscale")
        .Set("windowresize", "scale", "100")
        .Set("windowresize", "maintainaspectratio", "1")
        .Set("windowresize", "aspectratio", "4:3")
        .Set("tweaks", "borderless", "1")
        .Set("tweaks", "topmost", "1")
        .Set("tweaks", "surround", "1")
        .Set("tweaks", "surroundcolour", "204060");
    HWND target = LaunchWithWindow(c, run, ini, title);
    if (!target) return;
    WaitUntil([&] { return OuterOf(target) == kPillarBoxed; }, kFirstResizeMs);
    c.Equal("first resize: pillar-boxed", kPillarBoxed, OuterOf(target));
    HWND surround = nullptr;
    WaitUntil([&] { return (surround = OwnWindowOf(run.Pid())) != nullptr && IsWindowVisible(surround); }, 5000);
    if (!c.Record(surround != nullptr, "a window of the launcher's process", "")) return;
    c.Equal("it covers the display", Geometry{0, 0, 1920, 1080}, OuterOf(surround));
    ExpectSurround(c, "at the first placement", target, surround, true);
    const LONG exStyle = GetWindowLongW(surround, GWL_EXSTYLE);
    c.Equal("a tool window that does not activate", Hex(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE),
            Hex(exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)));
    Sleep(200);  // painted by its class brush when the system gets round to it
    c.Equal("the bars in 204060 (a pixel left of the window)", Hex(RGB(0x20, 0x40, 0x60)), Hex(ScreenPixel(120, 540)));

    c.Record(BringToFront(target), "the target in front", "");
    ExpectSurround(c, "the target in front, topmost", target, surround, true);
    ClickAt(120, 540);
    Sleep(300);
    c.Equal("a click on the surround leaves the target in front", true, GetForegroundWindow() == target);
    {
        OwnWindow own;
        c.Record(BringToFront(own.Handle()), "the driver's window in front", "");
        ExpectSurround(c, "another program in front, the target no longer topmost", target, surround, true);
        c.Equal("the driver's window above the target and the surround",
                std::string("the driver's window, the target, the surround"),
                ZOrderOf({{own.Handle(), "the driver's window"}, {target, "the target"}, {surround, "the surround"}}));
        ClickAt(120, 700);
        c.Equal("a click on the surround brings the target back in front", true,
                WaitUntil([&] { return GetForegroundWindow() == target; }, kWithinMs));
    }
    ShowWindow(target, SW_MINIMIZE);
    ExpectSurround(c, "the target minimised", target, surround, false);
    ShowWindow(target, SW_RESTORE);
    ExpectSurround(c, "the target restored", target, surround, true);

    PostMessageW(target, WM_CLOSE, 0, 0);
    if (!run.Finish(c, 60000)) KillWindowProcess(target);
    run.ExpectBoxes(c, {});
    c.Equal("the surround is gone with the program", false, IsWindow(surround) != FALSE);
}

}  // namespace

std::vector<Scenario> PlayScenarios() {
    return {{"play",
             {{"clip and topmost follow the foreground and the window; the pause key after a stub",
               ForegroundAndPause}}},
            {"surround", {{"4:3 with bars in one colour, topmost: beneath, a click, minimised, the end", BlackBars}}}};
}

Case SurroundOnDisplayTwo() {
    return {"surround", [](Checker& c, const Env& env) {
                LauncherRun run(env, "display-surround");
                const std::string title = "fw-e2e display surround";
                Ini ini = ValidIni(env, "--title \"" + title + "\" --outer 640 480 --pos 100 100");
                ini.Set("windowresize", "display", "2").Set("tweaks", "surround", "1");
                HWND target = LaunchWithWindow(c, run, ini, title);
                if (!target) return;
                HWND surround = nullptr;
                WaitUntil([&] { return (surround = OwnWindowOf(run.Pid())) && IsWindowVisible(surround); },
                          kFirstResizeMs);
                c.Equal("the surround covers display 2", Geometry{1920, 0, 1280, 1024}, OuterOf(surround));
                c.Equal("right beneath the target", true, surround && GetWindow(target, GW_HWNDNEXT) == surround);
                PostMessageW(target, WM_CLOSE, 0, 0);
                if (!run.Finish(c, 60000)) KillWindowProcess(target);
                run.ExpectBoxes(c, {});
            }};
}
