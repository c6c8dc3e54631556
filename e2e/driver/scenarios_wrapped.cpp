// The end-to-end scenario of a launch wrapped as a store or game library does it:
// "framewright.exe PROFILE.ini -- PROGRAM [ARGUMENTS]". Every other scenario starts
// the launcher without "--".
#include "harness.h"

namespace {

const std::string kFolder = "C:\\some folder";
const Geometry kCentred{560, 240, 800, 600};  // 800x600 on 1920x1080

// A line as a store writes it: the program's path in quotes with a
// blank, escaped quotes inside a quoted argument, and a word that is no option. The
// target writes the command line and working directory it got to the file that
// FW_TARGET_REPORT names, which reaches it through the launcher's environment.
void StoreLine(Checker& c, const Env& env) {
    LauncherRun run(env, "wrapped");
    CreateDirectoryW(Widen(kFolder).c_str(), nullptr);
    CopyFileW((env.targetDir + L"\\" + Widen(kTargetName)).c_str(), Widen(kFolder + "\\target.exe").c_str(), FALSE);
    // The profile names a program of its own, whose title would show had it started.
    run.WriteFile("profile.ini", ValidIni(env, "--title \"fw-e2e the profile's program\"").Text());
    run.SetEnvironment("FW_TARGET_REPORT", run.FolderA() + "\\report.txt");
    const std::string commandLine = "\"" + kFolder + "\\target.exe\" --title \"a \\\"quoted\\\" title\" x";
    if (!run.Start(c, "profile.ini -- " + commandLine)) return;
    HWND window = WaitForTargetWindow(c, "a \"quoted\" title", kWindowAppearsMs);
    if (!window) return;
    WaitUntil([&] { return OuterOf(window) == kCentred; }, 60000);
    c.Equal("sized as the profile says: 800x600 centred", kCentred, OuterOf(window));
    c.Equal("the command line exactly as written after --, then the launcher's working directory",
            commandLine + "\r\n" + run.FolderA() + "\r\n", ReadShared(run.Folder() + L"\\report.txt"));
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!run.Finish(c, 60000)) KillWindowProcess(window);
    run.ExpectBoxes(c, {});
}

}  // namespace

std::vector<Scenario> WrappedLaunchScenarios() { return {{"wrapped_launch", {{"a store's line after --", StoreLine}}}}; }
