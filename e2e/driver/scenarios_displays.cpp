// Borderless windows and the choice of display, on real windows. "borderless" runs
// on the usual one-display server; "two_displays" needs the two displays that
// run-scenario.sh sets up for it: 1 at 0,0 1920 x 1080 (primary) and 2 at 1920,0
// 1280 x 1024.
#include "harness.h"

namespace {

const DWORD kLauncherEndsMs = 400000;
const DWORD kFirstResizeMs = 60000;
const DWORD kLockRestoresMs = 1000;  // the lock polls every 10 ms; allow for a loaded machine
const char* const kLoadFailed = "Failed to load settings; please check the configuration file.";
const LONG kFrameStyles = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
const LONG kEdgeExStyles = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE;

bool IsBare(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & kFrameStyles) == 0 &&
           (GetWindowLongW(window, GWL_EXSTYLE) & kEdgeExStyles) == 0;
}

void ExpectOuter(Checker& c, const std::string& what, HWND window, const Geometry& expected) {
    WaitUntil([&] { return OuterOf(window) == expected; }, kFirstResizeMs);
    c.Equal(what, expected, OuterOf(window));
}

void CloseAndFinish(Checker& c, LauncherRun& run, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!run.Finish(c, 60000)) KillWindowProcess(window);
    run.ExpectBoxes(c, {});
}

std::string Options(const std::string& title, const std::string& more) { return "--title \"" + title + "\" " + more; }

// The classic borderless fullscreen of a captioned 4:3 window, whose program puts
// its frame back four seconds after it made the window.
void BorderlessFullscreen(Checker& c, const Env& env) {
    LauncherRun run(env, "borderless");
    const std::string title = "fw-e2e borderless";
    Ini ini = ValidIni(env, Options(title, "--outer 816 639 --pos 100 100 --frame-back 4000"));
    ini.Set("windowresize", "scalingmethod", "displayscale")
        .Set("windowresize", "scale", "100")
        .Set("windowresize", "maintainaspectratio", "1")
        .Set("windowresize", "aspectratio", "4:3")
        .Set("tweaks", "borderless", "1");
    HWND window = LaunchWithWindow(c, run, ini, title);
    if (!window) return;
    c.Equal("the program's window has a caption", true, (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) != 0);
    const Geometry pillarBoxed{240, 0, 1440, 1080};
    ExpectOuter(c, "4:3 in the whole 1920x1080 display, centred", window, pillarBoxed);
    WaitUntil([&] { return IsBare(window); }, kFirstResizeMs);
    c.Record(IsBare(window), "caption, frame, menu, boxes and edges gone",
             "style " + Hex(GetWindowLongW(window, GWL_STYLE)) + ", extended " +
                 Hex(GetWindowLongW(window, GWL_EXSTYLE)));
    c.Equal("client area = the whole window", Geometry{0, 0, 1440, 1080}, ClientOf(window));

    WaitUntil([&] { return GetPropW(window, L"fw.framebackclient") != nullptr; }, 30000);
    const long framedClient = static_cast<long>(reinterpret_cast<LONG_PTR>(GetPropW(window, L"fw.framebackclient")));
    c.Record(framedClient > 0 && framedClient < 1440, "the program put its frame back",
             "client width then " + std::to_string(framedClient));
    DWORD elapsed = 0;
    bool bareAgain = WaitUntil([&] { return IsBare(window) && ClientOf(window).width == 1440; }, 5000, &elapsed);
    c.Record(bareAgain && elapsed <= kLockRestoresMs,
             "the lock takes the frame off again within " + std::to_string(kLockRestoresMs) + " ms",
             bareAgain ? "after " + std::to_string(elapsed) + " ms" : "style " + Hex(GetWindowLongW(window, GWL_STYLE)));
    c.Equal("client area = the whole window again", Geometry{0, 0, 1440, 1080}, ClientOf(window));
    c.Equal("still pillar-boxed", pillarBoxed, OuterOf(window));
    CloseAndFinish(c, run, window);
}

Case OnDisplayTwo(const std::string& name, const std::string& targetOptions,
                  const std::vector<std::pair<std::string, std::string>>& resize, const std::string& what,
                  const Geometry& expected) {
    return {name, [=](Checker& c, const Env& env) {
                LauncherRun run(env, "display-" + name);
                const std::string title = "fw-e2e display " + name;
                Ini ini = ValidIni(env, Options(title, targetOptions));
                for (const auto& [key, value] : resize) ini.Set("windowresize", key, value);
                HWND window = LaunchWithWindow(c, run, ini, title);
                if (!window) return;
                ExpectOuter(c, what, window, expected);
                CloseAndFinish(c, run, window);
            }};
}

void MissingDisplay(Checker& c, const Env& env) {
    LauncherRun run(env, "display-missing");
    const std::string title = "fw-e2e display missing";
    Ini ini = ValidIni(env, Options(title, ""));
    ini.Set("windowresize", "display", "3");
    run.WriteFile("framewright.ini", ini.Text());
    if (!run.Start(c)) return;
    run.Finish(c, kLauncherEndsMs);
    run.ExpectBoxes(c, {"Invalid settings: windowresize->display is 3, but there is no display 3; the displays are "
                        "1 (1920 x 1080 at 0, 0, primary), 2 (1280 x 1024 at 1920, 0)",
                        kLoadFailed});
    c.Equal("program not started (its window exists)", false, FindTargetWindow(title) != nullptr);
}

}  // namespace

std::vector<Scenario> DisplayScenarios() {
    return {
        {"borderless", {{"borderless fullscreen, frame put back and taken off again", BorderlessFullscreen}}},
        {"two_displays",
         {OnDisplayTwo("2-centre", "--outer 640 480 --pos 100 100", {{"display", "2"}},
                       "800x600 centred on display 2", {1920 + 240, 212, 800, 600}),
          OnDisplayTwo("2-fixed", "--outer 640 480 --pos 100 100",
                       {{"display", "2"}, {"movewindow", "fixed"}, {"windowx", "10"}, {"windowy", "20"}},
                       "800x600 at 10,20 on display 2", {1920 + 10, 20, 800, 600}),
          OnDisplayTwo("window", "--outer 640 480 --pos 2000 100",
                       {{"display", "window"}, {"scalingmethod", "displayscale"}, {"scale", "50"}},
                       "half of display 2, where the window starts, centred there", {1920 + 320, 256, 640, 512}),
          SurroundOnDisplayTwo(),
          {"missing", MissingDisplay}}},
    };
}
