// The end-to-end scenario of a launch wrapped as a store or game library does it:
// "framewright.exe PROFILE.ini -- PROGRAM [ARGUMENTS]". The target writes the command
// line and working directory it got to the file named by FW_TARGET_REPORT.
#include "harness.h"

namespace {

const DWORD kWindowAppearsMs = 400000;
const DWORD kLauncherEndsMs = 60000;
const Geometry kCentred{560, 240, 800, 600};  // 800x600 on 1920x1080
const std::string kFolder = "C:\\some folder";

// The profile in the launcher's working directory names a program of its own, whose title
// tells whether it was started instead.
LauncherRun& Prepare(LauncherRun& run, const Env& env) {
    run.WriteFile("profile.ini", ValidIni(env, "--title \"fw-e2e the profile's program\"").Text());
    run.SetEnvironment("FW_TARGET_REPORT", run.FolderA() + "\\report.txt");
    return run;
}

// The report's two lines: the command line and the working directory.
std::vector<std::string> Report(const LauncherRun& run) {
    std::vector<std::string> lines;
    HANDLE file = CreateFileW((run.Folder() + L"\\report.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    char buffer[4096];
    DWORD got = 0;
    std::string content;
    if (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr)) content.assign(buffer, got);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    for (size_t at = 0, end; (end = content.find("\r\n", at)) != std::string::npos; at = end + 2) {
        lines.push_back(content.substr(at, end - at));
    }
    lines.resize(2, "(no line)");
    return lines;
}

void Close(Checker& c, LauncherRun& run, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!run.Finish(c, kLauncherEndsMs)) KillWindowProcess(window);
    run.ExpectBoxes(c, {});
}

// The line of the issue, as a store writes it: the program's path in quotes with a
// blank, escaped quotes inside a quoted argument, and a word that is no option.
void StoreLine(Checker& c, const Env& env) {
    LauncherRun run(env, "wrapped");
    CreateDirectoryW(Widen(kFolder).c_str(), nullptr);
    const std::wstring program = Widen(kFolder) + L"\\target.exe";
    CopyFileW((env.targetDir + L"\\" + Widen(kTargetName)).c_str(), program.c_str(), FALSE);
    const std::string commandLine = "\"" + kFolder + "\\target.exe\" --title \"a \\\"quoted\\\" title\" x";
    if (!Prepare(run, env).Start(c, "profile.ini -- " + commandLine)) return;
    HWND window = WaitForTargetWindow(c, "a \"quoted\" title", kWindowAppearsMs);
    if (!window) return;
    WaitUntil([&] { return OuterOf(window) == kCentred; }, kLauncherEndsMs);
    c.Equal("sized as the profile says: 800x600 centred", kCentred, OuterOf(window));
    const std::vector<std::string> report = Report(run);
    c.Equal("the program's command line, exactly as written after --", commandLine, report[0]);
    c.Equal("the program runs in the launcher's working directory", run.FolderA(), report[1]);
    Close(c, run, window);
}

// Without "--" the other arguments are ignored: the profile's program starts.
void WithoutDoubleDash(Checker& c, const Env& env) {
    LauncherRun run(env, "not-wrapped");
    if (!Prepare(run, env).Start(c, "profile.ini \"" + kFolder + "\\target.exe\" --title ignored")) return;
    HWND window = WaitForTargetWindow(c, "fw-e2e the profile's program", kWindowAppearsMs);
    if (!window) return;
    const std::vector<std::string> report = Report(run);
    c.Equal("the profile's parameters", std::string("fw-target --title \"fw-e2e the profile's program\""), report[0]);
    c.Equal("in the profile's program->path", Narrow(env.targetDir), report[1]);
    Close(c, run, window);
}

}  // namespace

std::vector<Scenario> WrappedLaunchScenarios() {
    return {{"wrapped_launch",
             {{"a store's line after --", StoreLine}, {"without --, the profile's program", WithoutDoubleDash}}}};
}
