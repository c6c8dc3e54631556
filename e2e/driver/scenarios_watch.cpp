// The end-to-end scenario of the watch: "framewright.exe --watch" resident on a folder
// of profiles, the driver starting programs directly (never through Framewright):
// each is sized by its own profile, again after a restart, two at once; then
// "--watch --stop" gives every window back its rectangle and frame, the programs
// running on.
#include "harness.h"

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

}  // namespace

std::vector<Scenario> WatchScenarios() {
    return {{"watch", {{"programs started elsewhere sized by the watch, given back at its stop", WatchSizesAndGivesBack}}}};
}
