// The end-to-end scenarios. Every launcher run starts a 32-bit Wine process (in
// about half a second even where 32-bit code is emulated) and the target, so each
// case makes several checks on one run. The deadlines are generous: they only end
// a run that went wrong.
#include "harness.h"

namespace {

const DWORD kLauncherEndsMs = 400000;  // start-up of a 32-bit launcher, with a box or two
const DWORD kFirstResizeMs = 60000;
const DWORD kLockRestoresMs = 1000;  // the lock polls every 10 ms; allow for emulation
const char* const kLoadFailed = "Failed to load settings; please check the configuration file.";
const Geometry kDisplay{0, 0, 1920, 1080};

std::string TargetFolder(const Env& env) { return Narrow(env.targetDir); }

// Disturbs the window as a user would. The launcher reads the rectangle back right
// after each placement of its own; a disturbance that falls between the two would be
// taken as the applied rectangle, so the launcher is given time to finish first.
void MoveWindowTo(HWND window, const Geometry& g) {
    Sleep(250);
    SetWindowPos(window, nullptr, g.left, g.top, g.width, g.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Waits until the window's outer rectangle is `expected`, then checks it.
bool ExpectOuter(Checker& c, const std::string& what, HWND window, const Geometry& expected, DWORD timeoutMs) {
    WaitUntil([&] { return OuterOf(window) == expected; }, timeoutMs);
    return c.Equal(what, expected, OuterOf(window));
}

// Checks that the window keeps `expected` for a while: nothing puts it back.
void ExpectStays(Checker& c, const std::string& what, HWND window, const Geometry& expected, DWORD ms) {
    bool changed = WaitUntil([&] { return !(OuterOf(window) == expected); }, ms);
    c.Equal(what + " (after " + std::to_string(ms) + " ms)", expected, changed ? OuterOf(window) : expected);
}

// Disturbs the window and checks that the lock puts it back to `restored`.
void ExpectLockRestores(Checker& c, const std::string& what, HWND window, const Geometry& disturbed,
                        const Geometry& restored) {
    MoveWindowTo(window, disturbed);
    DWORD elapsed = 0;
    bool back = WaitUntil([&] { return OuterOf(window) == restored; }, 5000, &elapsed);
    c.Record(back && elapsed <= kLockRestoresMs, what + ": moved to " + ToText(disturbed) + ", lock restores " +
                                                     ToText(restored) + " within " + std::to_string(kLockRestoresMs) + " ms",
             back ? "restored after " + std::to_string(elapsed) + " ms" : "got " + ToText(OuterOf(window)));
}

// Closes the target and checks that the launcher ends with code 0 and no box.
void CloseAndFinish(Checker& c, LauncherRun& run, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!run.Finish(c, 60000)) KillWindowProcess(window);
    run.ExpectBoxes(c, {});
}

std::string TargetOptions(const std::string& title, const std::string& more) {
    return "--title \"" + title + "\" " + more;
}

// ---- settings ----

void MissingConfig(Checker& c, const Env& env) {
    LauncherRun run(env, "missing-config");
    if (!run.Start(c)) return;
    run.Finish(c, kLauncherEndsMs);
    run.ExpectBoxes(c, {"Cannot find the configuration file: " + run.FolderA() + "\\framewright.ini", kLoadFailed});
}

// A configuration with one fault: the launcher shows the fault's box, then the
// load-failure box, ends with 0 and never starts the program.
using Fault = std::function<std::string(Ini&, const Env&, const LauncherRun&)>;

Case Rejection(const std::string& name, Fault fault) {
    return {name, [name, fault](Checker& c, const Env& env) {
                LauncherRun run(env, "rejected-" + name);
                std::string title = "fw-e2e rejected " + name;
                Ini ini = ValidIni(env, TargetOptions(title, ""));
                std::string message = fault(ini, env, run);
                run.WriteFile("framewright.ini", ini.Text());
                if (!run.Start(c)) return;
                run.Finish(c, kLauncherEndsMs);
                run.ExpectBoxes(c, {message, kLoadFailed});
                c.Equal("program not started (its window exists)", false, FindTargetWindow(title) != nullptr);
            }};
}

Fault SetValue(const std::string& section, const std::string& key, const std::string& value,
               const std::string& message) {
    return [=](Ini& ini, const Env&, const LauncherRun&) {
        ini.Set(section, key, value);
        return message;
    };
}

const std::string kInvalid = "Invalid settings: windowresize->";

std::vector<Case> RejectionCases() {
    return {
        Rejection("name-missing",
                  [](Ini& ini, const Env&, const LauncherRun&) {
                      ini.Erase("program", "name");
                      return std::string("Invalid settings: program->name is missing");
                  }),
        Rejection("path-not-a-directory",
                  [](Ini& ini, const Env&, const LauncherRun& run) {
                      std::string path = run.FolderA() + "\\nowhere";
                      ini.Set("program", "path", path);
                      return "Invalid settings: program->path does not point to a valid directory (" + path + ")";
                  }),
        Rejection("path-names-a-file",
                  [](Ini& ini, const Env& env, const LauncherRun&) {
                      std::string path = TargetFolder(env) + "\\" + kTargetName;
                      ini.Set("program", "path", path);
                      return "Invalid settings: program->path does not point to a valid directory (" + path + ")";
                  }),
        Rejection("program-not-found",
                  [](Ini& ini, const Env& env, const LauncherRun&) {
                      ini.Set("program", "name", "missing.exe");
                      return "Invalid settings: Cannot find the program (" + TargetFolder(env) + "\\missing.exe)";
                  }),
        Rejection("delay-zero", SetValue("windowresize", "firstresizedelayms", "0",
                                         kInvalid + "firstresizedelayms is not greater than 0")),
        Rejection("timeout-equal-to-delay",
                  SetValue("windowresize", "firstresizetimeoutms", "100",
                           kInvalid + "firstresizetimeoutms is not greater than windowresize->firstresizedelayms")),
        Rejection("width-zero-displayscale",
                  [](Ini& ini, const Env&, const LauncherRun&) {
                      ini.Set("windowresize", "windowwidth", "0")
                          .Set("windowresize", "scalingmethod", "displayscale")
                          .Set("windowresize", "scale", "50");
                      return kInvalid + "windowwidth is not greater than 0";
                  }),
        Rejection("height-missing",
                  [](Ini& ini, const Env&, const LauncherRun&) {
                      ini.Erase("windowresize", "windowheight");
                      return kInvalid + "windowheight is not greater than 0";
                  }),
        Rejection("border-height-missing",
                  [](Ini& ini, const Env&, const LauncherRun&) {
                      ini.Set("tweaks", "autodetectbordersize", "0").Set("tweaks", "borderwidth", "0");
                      return std::string("Invalid settings: tweaks->autodetectbordersize is 0, but tweaks->borderwidth "
                                         "and/or tweaks->borderheight are invalid or undefined");
                  }),
        Rejection("findmethod-with-blank", SetValue("windowresize", "windowfindmethod", "pid only",
                                                    kInvalid + "windowfindmethod is not a legal value")),
        Rejection("movewindow-center", SetValue("windowresize", "movewindow", "center",
                                                kInvalid + "movewindow is not a legal value")),
        Rejection("scalingmethod-stretch", SetValue("windowresize", "scalingmethod", "stretch",
                                                    kInvalid + "scalingmethod is not a legal value")),
        Rejection("scale-not-a-number",
                  [](Ini& ini, const Env&, const LauncherRun&) {
                      ini.Set("windowresize", "scale", "abc").Set("windowresize", "scalingmethod", "WindowScale");
                      return kInvalid +
                             "scale is not a legal value or not set (and required for scalingmethod=windowscale)";
                  }),
        Rejection("aspectratio-zero-height", SetValue("windowresize", "aspectratio", "16:0",
                                                      kInvalid + "aspectratio is not a legal value")),
        Rejection("pausekey-letter-alone", SetValue("tweaks", "pausekey", "P",
                                                    "Invalid settings: tweaks->pausekey is not a legal value (P); for "
                                                    "example pausekey=Ctrl+Alt+P")),
    };
}

void ProgramNotExecutable(Checker& c, const Env& env) {
    LauncherRun run(env, "not-executable");
    run.WriteFile("not-a-program.exe", "This is a text file, not a program.\r\n");
    Ini ini = ValidIni(env, "");
    ini.Set("program", "path", run.FolderA()).Set("program", "name", "not-a-program.exe");
    run.WriteFile("framewright.ini", ini.Text());
    if (!run.Start(c)) return;
    run.Finish(c, kLauncherEndsMs);
    run.ExpectBoxes(c, {"Failed to execute program: " + run.FolderA() + "\\not-a-program.exe"});
}

// ---- first resize and lock ----

void CentredSizeLock(Checker& c, const Env& env) {
    LauncherRun run(env, "lock-size");
    std::string title = "fw-e2e lock size";
    HWND window = LaunchWithWindow(c, run, ValidIni(env, TargetOptions(title, "--outer 640 480 --pos 100 100")), title);
    if (!window) return;
    ExpectOuter(c, "first resize: 800x600 centred on 1920x1080", window, {560, 240, 800, 600}, kFirstResizeMs);
    MoveWindowTo(window, {300, 200, 800, 600});
    ExpectStays(c, "moved only: the position is free", window, {300, 200, 800, 600}, 500);
    ExpectLockRestores(c, "moved and resized", window, {600, 300, 700, 500}, {600, 300, 800, 600});
    ExpectStays(c, "size back, position left where it was moved", window, {600, 300, 800, 600}, 300);
    CloseAndFinish(c, run, window);
}

void CentredPositionLock(Checker& c, const Env& env) {
    LauncherRun run(env, "lock-position");
    std::string title = "fw-e2e lock position";
    Ini ini = ValidIni(env, TargetOptions(title, "--outer 640 480 --pos 100 100"));
    ini.Set("windowresize", "alwaysmovewindow", "1");
    HWND window = LaunchWithWindow(c, run, ini, title);
    if (!window) return;
    const Geometry centred{560, 240, 800, 600};
    ExpectOuter(c, "first resize: 800x600 centred", window, centred, kFirstResizeMs);
    ExpectLockRestores(c, "moved only", window, {300, 200, 800, 600}, centred);
    ExpectLockRestores(c, "moved and resized", window, {600, 300, 700, 500}, centred);
    ExpectStays(c, "stays centred", window, centred, 300);
    CloseAndFinish(c, run, window);
}

// ---- placement variants ----

void FixedPixelScale(Checker& c, const Env& env) {
    LauncherRun run(env, "fixed-pixelscale");
    std::string title = "fw-e2e fixed pixelscale";
    Ini ini = ValidIni(env, TargetOptions(title, "--client 320 200 --pos 100 100"));
    ini.Set("windowresize", "windowfindmethod", "pidandname")
        .Set("windowresize", "namemask", "fw-e2e fixed*")
        .Set("windowresize", "movewindow", "fixed")
        .Set("windowresize", "windowx", "-8")
        .Set("windowresize", "windowy", "0")
        .Set("windowresize", "windowwidth", "320")
        .Set("windowresize", "windowheight", "200")
        .Set("windowresize", "scalingmethod", "pixelscale")
        .Set("windowresize", "scale", "300")
        .Set("windowresize", "clientresize", "1");
    HWND window = LaunchWithWindow(c, run, ini, title);
    if (!window) return;
    WaitUntil([&] { return ClientOf(window).width == 960; }, kFirstResizeMs);
    c.Equal("client size is 300% of 320x200", Geometry{0, 0, 960, 600}, ClientOf(window));
    Geometry outer = OuterOf(window);
    c.Equal("top left at the fixed -8,0", std::string("-8,0"),
            std::to_string(outer.left) + "," + std::to_string(outer.top));
    CloseAndFinish(c, run, window);
}

void NoMoveWindowScale(Checker& c, const Env& env) {
    LauncherRun run(env, "none-windowscale");
    std::string title = "fw-e2e none windowscale";
    Ini ini = ValidIni(env, TargetOptions(title, "--outer 640 480 --pos 123 77"));
    ini.Set("windowresize", "movewindow", "none")
        .Set("windowresize", "scalingmethod", "windowscale")
        .Set("windowresize", "scale", "150")
        .Set("windowresize", "lockwindow", "0");
    HWND window = LaunchWithWindow(c, run, ini, title);
    if (!window) return;
    ExpectOuter(c, "150% of the 640x480 window, left where it was", window, {123, 77, 960, 720}, kFirstResizeMs);
    MoveWindowTo(window, {200, 150, 500, 400});
    ExpectStays(c, "no lock: a disturbed window stays", window, {200, 150, 500, 400}, 1500);
    CloseAndFinish(c, run, window);
}

// The launched program starts a copy of itself that owns the window and ends a few
// seconds later: the window is found by its title, and the launcher ends with the
// program it launched, leaving the window alone.
void DisplayScaleByName(Checker& c, const Env& env) {
    LauncherRun run(env, "displayscale-nameonly");
    std::string title = "fw-e2e nameonly displayscale";
    Ini ini = ValidIni(env, TargetOptions(title, "--spawn-child --linger 8000 --outer 800 600 --pos 50 50"));
    ini.Set("windowresize", "windowfindmethod", "nameonly")
        .Set("windowresize", "namemask", "*nameonly displayscale")
        .Set("windowresize", "scalingmethod", "displayscale")
        .Set("windowresize", "scale", "100")
        .Set("windowresize", "maintainaspectratio", "1")
        .Set("windowresize", "aspectratio", "4:3")
        .Set("windowresize", "clientresize", "1")
        .Set("tweaks", "autodetectbordersize", "0")
        .Set("tweaks", "borderwidth", "16")
        .Set("tweaks", "borderheight", "39");
    HWND window = LaunchWithWindow(c, run, ini, title);
    if (!window) return;
    c.Record(ParentProcessOf(ProcessOf(window)) != run.Pid(), "window owned by a process the launcher did not start",
             "window pid " + std::to_string(ProcessOf(window)) + ", its parent " +
                 std::to_string(ParentProcessOf(ProcessOf(window))) + ", launcher " + std::to_string(run.Pid()));
    // Available 1904x1041; by width too tall, so by height 1388x1041; plus the border.
    ExpectOuter(c, "4:3 fit with the forced 16x39 border, centred", window, {258, 0, 1404, 1080}, kFirstResizeMs);
    run.Finish(c, 60000);
    c.Equal("window still open after the launcher ended", true, IsWindow(window) != FALSE);
    run.ExpectBoxes(c, {});
    PostMessageW(window, WM_CLOSE, 0, 0);
}

void RefusedSize(Checker& c, const Env& env) {
    LauncherRun run(env, "refused-size");
    std::string title = "fw-e2e refused size";
    HWND window = LaunchWithWindow(
        c, run, ValidIni(env, TargetOptions(title, "--outer 640 480 --max 640 480 --pos 100 100")), title);
    if (!window) return;
    WaitUntil([&] { return SizeRequestsOf(window) >= 3; }, kFirstResizeMs);
    c.Equal("centred for 800x600, held at its 640x480 maximum", Geometry{560, 240, 640, 480}, OuterOf(window));
    long before = SizeRequestsOf(window);
    Sleep(1000);
    long perSecond = SizeRequestsOf(window) - before;
    c.Record(perSecond >= 10, "the lock re-applies the size in every cycle (expected at least 10 per second)",
             "got " + std::to_string(perSecond) + " resize requests in 1 s");
    CloseAndFinish(c, run, window);
}

// ---- exception report ----

void EmptyClientDivision(Checker& c, const Env& env) {
    LauncherRun run(env, "empty-client");
    std::string title = "fw-e2e empty client";
    Ini ini = ValidIni(env, TargetOptions(title, "--empty-client --outer 640 480 --pos 100 100"));
    ini.Set("windowresize", "scalingmethod", "displayscale")
        .Set("windowresize", "scale", "50")
        .Set("windowresize", "maintainaspectratio", "1");
    HWND window = LaunchWithWindow(c, run, ini, title);
    if (!window) return;
    c.Equal("target's client height", 0, ClientOf(window).height);
    run.Finish(c, kLauncherEndsMs);
    run.ExpectBoxes(c, {"Internal exception, please contact the developer:\r\nEDivByZero: Division by zero"});
    c.Equal("window left as it was, still open", Geometry{100, 100, 640, 480}, OuterOf(window));
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// ---- trace build ----

// Collapses repeats of the search pair that the loop emits once per 10 ms cycle.
std::vector<std::string> CollapseSearchRepeats(const std::vector<std::string>& lines, int& repeats) {
    std::vector<std::string> out;
    repeats = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        bool pair = i + 1 < lines.size() && lines[i] == "NeedToFindWindow!" && lines[i + 1] == "FindWindow failed";
        bool again = out.size() >= 2 && out[out.size() - 2] == "NeedToFindWindow!" && out.back() == "FindWindow failed";
        if (pair && again) {
            ++i;
            ++repeats;
            continue;
        }
        out.push_back(lines[i]);
    }
    return out;
}

void TraceOfARun(Checker& c, const Env& env) {
    LauncherRun run(env, "trace");
    std::string title = "fw-e2e trace";
    // The window comes late, so the loop searches in vain first; the exit code has
    // its high bit set.
    Ini ini = ValidIni(env, TargetOptions(title, "--delay 2000 --outer 640 480 --pos 100 100 --exit-code 0xC0000005"));
    HWND window = LaunchWithWindow(c, run, ini, title);
    if (!window) return;
    ExpectOuter(c, "first resize", window, {560, 240, 800, 600}, kFirstResizeMs);
    ExpectLockRestores(c, "resized", window, {560, 240, 700, 500}, {560, 240, 800, 600});
    Geometry client = ClientOf(window);
    int borderW = 800 - client.width, borderH = 600 - client.height;
    DWORD pid = ProcessOf(window);
    CloseAndFinish(c, run, window);

    auto size = [](int w, int h) { return std::to_string(w) + " x " + std::to_string(h); };
    std::vector<std::string> expected = {
        "Loading settings from: " + run.FolderA() + "\\framewright.ini",
        "Window find method: PID only",
        "Display resolution: " + size(kDisplay.width, kDisplay.height),
        "*** Launching program ***",
        "Program started, PID = " + std::to_string(pid),
        "Will lock window size",
        "NeedToFindWindow!",
        "FindWindow failed",
        "NeedToFindWindow!",
        "Border size [autodetect]: " + size(borderW, borderH),
        "Original window size: 640 x 480",
        "Original window client size: " + size(640 - borderW, 480 - borderH),
        "Desired window size: 800 x 600",
        "FindWindow succeeded",
        "Trying to resize window (first time)",
        "New window position: 560, 240 - 800 x 600",
        "First window resize successful",
        "No longer repositioning the window",
        "Program stopped with exit code: 3221225477",
        "*** Program finished, exiting ***",
    };
    int repeats = 0;
    std::vector<std::string> got = CollapseSearchRepeats(ReadTraceLines(env.debugLog), repeats);
    c.Note("the vain search pair repeated " + std::to_string(repeats) + " more times");
    c.Equal("number of trace lines (repeats collapsed)", expected.size(), got.size());
    for (size_t i = 0; i < expected.size() || i < got.size(); ++i) {
        c.Equal("trace line " + std::to_string(i + 1), i < expected.size() ? expected[i] : std::string("(none)"),
                i < got.size() ? got[i] : std::string("(none)"));
    }
}

}  // namespace

std::vector<Scenario> AllScenarios() {
    std::vector<Scenario> all = {
        {"missing_config", {{"no framewright.ini", MissingConfig}}},
        {"settings_rejected", RejectionCases()},
        {"program_not_executable", {{"a text file named .exe", ProgramNotExecutable}}},
        {"lock",
         {{"centred, size locked", CentredSizeLock}, {"centred, size and position locked", CentredPositionLock}}},
        {"placement",
         {{"fixed, pixelscale, client size, pid and name", FixedPixelScale},
          {"movewindow none, windowscale, no lock", NoMoveWindowScale},
          {"displayscale 4:3, found by name in a child process", DisplayScaleByName},
          {"window that refuses the size", RefusedSize}}},
        {"exception_report", {{"empty client area under the aspect-ratio fit", EmptyClientDivision}}},
        {"trace", {{"a whole run of the trace build", TraceOfARun}}},
    };
    for (Scenario& s : DisplayScenarios()) all.push_back(std::move(s));
    for (Scenario& scenario : SetupScenarios()) all.push_back(std::move(scenario));
    for (Scenario& s : LaunchingScenarios()) all.push_back(std::move(s));
    for (Scenario& s : WrappedLaunchScenarios()) all.push_back(std::move(s));
    for (Scenario& s : PlayScenarios()) all.push_back(std::move(s));
    for (Scenario& s : AttachScenarios()) all.push_back(std::move(s));
    for (Scenario& s : WatchScenarios()) all.push_back(std::move(s));
    return all;
}
