// The end-to-end scenario of a program Framewright did not start: the driver starts
// the target itself, then "framewright.exe --attach PID profile.ini" supervises it,
// a second attach to it is refused, and the stop request gives the window back.
#include "harness.h"

namespace {

const Geometry kOriginal{100, 100, 640, 480};
const Geometry kCentred{560, 240, 800, 600};  // 800x600 on 1920x1080

void AttachAndGiveBack(Checker& c, const Env& env) {
    const std::string title = "fw-e2e attached";
    StartedElsewhere target;
    if (!StartElsewhere(c, env.targetDir + L"\\" + Widen(kTargetName), "--title \"" + title + "\" --outer 640 480 --pos 100 100 --time-limit 300000", target)) {
        return;
    }
    HWND window = WaitForTargetWindow(c, title, kWindowAppearsMs);
    if (!window) return;
    Sleep(2000);
    c.Equal("the program's own rectangle", kOriginal, OuterOf(window));

    // No [program]; a delay that, counted from the attach, would hold the size back 2 s.
    LauncherRun supervisor(env, "attach");
    Ini ini = ValidIni(env, "");
    ini.Erase("program", "path").Erase("program", "name").Erase("program", "parameters");
    ini.Set("windowresize", "firstresizedelayms", "2000").Set("tweaks", "borderless", "1");
    supervisor.WriteFile("profile.ini", ini.Text());
    const std::string attach = "--attach " + std::to_string(target.pi.dwProcessId) + " profile.ini";
    if (!supervisor.Start(c, attach)) return;
    DWORD sizedAfter = 0;
    WaitUntil([&] { return OuterOf(window) == kCentred; }, 60000, &sizedAfter);
    c.Equal("sized: 800x600 centred", kCentred, OuterOf(window));
    c.Record(sizedAfter <= 1000, "sized within 1 s of the attach's start: the delay counts from the program's",
             std::to_string(sizedAfter) + " ms");
    c.Equal("borderless", false, HasCaption(window));

    LauncherRun second(env, "attach-again");
    second.WriteFile("profile.ini", ini.Text());
    if (second.Start(c, attach)) second.Finish(c, 60000, 3);
    second.ExpectBoxes(c, {});
    c.Equal("the first supervisor runs on", true, supervisor.Running());

    const std::wstring stopName = L"Local\\Framewright.Stop." + std::to_wstring(supervisor.Pid());
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, stopName.c_str());
    c.Equal("stop request set", TRUE, stop ? SetEvent(stop) : FALSE);
    supervisor.Finish(c, 60000, 0);
    if (stop) CloseHandle(stop);
    supervisor.ExpectBoxes(c, {});
    c.Equal("the rectangle given back", kOriginal, OuterOf(window));
    c.Equal("the frame given back", true, HasCaption(window));
    c.Equal("the program runs on", true, target.Running());
}

}  // namespace

std::vector<Scenario> AttachScenarios() {
    return {{"attach", {{"a program started elsewhere, attached to and given back", AttachAndGiveBack}}}};
}
