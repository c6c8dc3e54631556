// The end-to-end scenarios of launching as people do it: a profile on the command
// line, a launcher stub, the log file, and the input method's hidden window.
#include <regex>

#include "harness.h"

namespace {

const DWORD kFirstResizeMs = 60000;
const Geometry kCentred{560, 240, 800, 600};  // 800x600 on 1920x1080

std::string Options(const std::string& title, const std::string& more) { return "--title \"" + title + "\" " + more; }

bool ExpectOuter(Checker& c, const std::string& what, HWND window, const Geometry& expected) {
    WaitUntil([&] { return OuterOf(window) == expected; }, kFirstResizeMs);
    return c.Equal(what, expected, OuterOf(window));
}

void CloseAndFinish(Checker& c, LauncherRun& run, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!run.Finish(c, 60000)) KillWindowProcess(window);
    run.ExpectBoxes(c, {});
}

// ---- profile ----

// The configuration lives in a folder with a space, named on the command line in
// quotes; the launcher's own folder has no framewright.ini at all.
void ProfileInQuotes(Checker& c, const Env& env) {
    LauncherRun run(env, "profile");
    const std::string title = "fw-e2e profile";
    CreateDirectoryW(L"C:\\some folder", nullptr);
    const std::string profile = "C:\\some folder\\game one.ini";
    HANDLE file = CreateFileW(Widen(profile).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    const std::string ini = ValidIni(env, Options(title, "--outer 640 480 --pos 100 100")).Text();
    DWORD written = 0;
    WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
    CloseHandle(file);
    if (!run.Start(c, "-frontend-flag \"" + profile + "\" other.ini")) return;
    HWND window = WaitForTargetWindow(c, title, kWindowAppearsMs);
    if (!window) return;
    ExpectOuter(c, "sized as the profile says: 800x600 centred", window, kCentred);
    CloseAndFinish(c, run, window);
}

// ---- launcher stubs ----

// The stub starts the target and ends at once.
void StubFollowed(Checker& c, const Env& env) {
    LauncherRun run(env, "follow-children");
    const std::string title = "fw-e2e followed child";
    Ini ini = ValidIni(env, Options(title, "--spawn-child --outer 640 480 --pos 100 100"));
    ini.Set("program", "followchildren", "1");
    run.WriteFile("framewright.ini", ini.Text());
    if (!run.Start(c)) return;
    HWND window = WaitForTargetWindow(c, title, kWindowAppearsMs);
    if (!window) return;
    c.Record(ParentProcessOf(ProcessOf(window)) != run.Pid(), "window owned by the stub's child",
             "window pid " + std::to_string(ProcessOf(window)) + ", launcher " + std::to_string(run.Pid()));
    ExpectOuter(c, "the child's window sized: 800x600 centred", window, kCentred);
    HANDLE stub = OpenProcess(SYNCHRONIZE, FALSE, ParentProcessOf(ProcessOf(window)));
    c.Equal("the stub has ended", true, !stub || WaitForSingleObject(stub, 10000) == WAIT_OBJECT_0);
    if (stub) CloseHandle(stub);
    Sleep(1000);
    c.Equal("launcher still running after the stub ended", true, run.Running());
    CloseAndFinish(c, run, window);
}

void StubNotFollowed(Checker& c, const Env& env) {
    LauncherRun run(env, "not-following-children");
    const std::string title = "fw-e2e unfollowed child";
    const Geometry original{100, 100, 640, 480};
    run.WriteFile("framewright.ini", ValidIni(env, Options(title, "--spawn-child --outer 640 480 --pos 100 100")).Text());
    if (!run.Start(c)) return;
    HWND window = WaitForTargetWindow(c, title, kWindowAppearsMs);
    if (!window) return;
    run.Finish(c, 60000);
    run.ExpectBoxes(c, {});
    c.Equal("the launcher ended with the stub, leaving the child's window as it was", original, OuterOf(window));
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// ---- log file ----

void LogOfARun(Checker& c, const Env& env) {
    LauncherRun run(env, "log-file");
    const std::string title = "fw-e2e log file";
    Ini ini = ValidIni(env, Options(title, "--delay 1500 --outer 640 480 --pos 100 100"));
    ini.Set("tweaks", "logfile", "framewright.log");
    run.WriteFile("framewright.ini", ini.Text());
    if (!run.Start(c)) return;
    HWND window = WaitForTargetWindow(c, title, kWindowAppearsMs);
    if (!window) return;
    ExpectOuter(c, "first resize", window, kCentred);
    const std::wstring logPath = run.Folder() + L"\\framewright.log";
    bool readable = WaitUntil([&] { return ReadShared(logPath).find("First window resize successful") !=
                                           std::string::npos; }, 5000);
    c.Equal("the log can be read while it is written, up to the first resize", true, readable);
    const DWORD pid = ProcessOf(window);
    CloseAndFinish(c, run, window);

    const std::string log = ReadShared(logPath);
    std::vector<std::string> lines;
    for (size_t at = 0; at < log.size();) {
        size_t end = log.find("\r\n", at);
        if (end == std::string::npos) end = log.size();
        lines.push_back(log.substr(at, end - at));
        at = end + 2;
    }
    const std::string header = "Framewright 1.0.0, started ";
    const std::string configured = ", configuration file: " + run.FolderA() + "\\framewright.ini";
    c.Record(!lines.empty() && lines[0].rfind(header, 0) == 0 && lines[0].size() > configured.size() &&
                 lines[0].compare(lines[0].size() - configured.size(), configured.size(), configured) == 0,
             "header: version, date and time, configuration file", lines.empty() ? "(empty log)" : Quoted(lines[0]));
    const std::vector<std::string> expected = {
        "Loading settings from: " + run.FolderA() + "\\framewright.ini",
        "Window find method: PID only",
        "Display resolution: 1920 x 1080",
        "*** Launching program ***",
        "Program started, PID = " + std::to_string(pid),
        "Will lock window size",
        "NeedToFindWindow!",
        "FindWindow failed",
        "NeedToFindWindow!",
        "FindWindow failed",
        "(the last 2 lines repeated N more times)",
        "NeedToFindWindow!",
    };
    const std::regex stamped(R"( *(\d+) ms  (.*))");
    const std::regex count(R"(\(the last 2 lines repeated [1-9]\d* more times\))");
    unsigned long last = 0;
    bool ordered = true;
    std::vector<std::string> texts;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::smatch m;
        if (!std::regex_match(lines[i], m, stamped)) {
            c.Record(false, "log line " + std::to_string(i + 1) + " has its milliseconds", Quoted(lines[i]));
            continue;
        }
        unsigned long ms = std::stoul(m[1].str());
        ordered = ordered && ms >= last;
        last = ms;
        texts.push_back(std::regex_match(m[2].str(), count) ? "(the last 2 lines repeated N more times)" : m[2].str());
    }
    c.Equal("milliseconds never go back", true, ordered);
    for (size_t i = 0; i < expected.size(); ++i) {
        c.Equal("log line " + std::to_string(i + 2), expected[i], i < texts.size() ? texts[i] : std::string("(none)"));
    }
    const std::vector<std::string> tail = {"New window position: 560, 240 - 800 x 600", "First window resize successful",
                                           "No longer repositioning the window", "Program stopped with exit code: 0",
                                           "*** Program finished, exiting ***"};
    for (size_t i = 0; i < tail.size(); ++i) {
        size_t at = texts.size() - tail.size() + i;
        c.Equal("log line " + std::to_string(at + 2), tail[i], at < texts.size() ? texts[at] : std::string("(none)"));
    }
}

// A log that is the configuration file under other names (the dot folder, the
// file's short name, a trailing dot): refused with its box, the run goes on, and
// the file stays as it was.
void LogThatIsTheConfiguration(Checker& c, const Env& env) {
    LauncherRun run(env, "log-is-configuration");
    const std::string title = "fw-e2e log is configuration";
    run.WriteFile("framewright.ini", "");
    wchar_t shortPath[MAX_PATH] = {};
    GetShortPathNameW((run.Folder() + L"\\framewright.ini").c_str(), shortPath, MAX_PATH);
    const std::wstring shortName(shortPath);
    const std::string logfile = ".\\" + Narrow(shortName.substr(shortName.find_last_of(L'\\') + 1)) + ".";
    c.Note("logfile=" + logfile);
    Ini ini = ValidIni(env, Options(title, "--outer 640 480 --pos 100 100"));
    ini.Set("tweaks", "logfile", logfile);
    run.WriteFile("framewright.ini", ini.Text());
    if (!run.Start(c)) return;
    HWND window = WaitForTargetWindow(c, title, kWindowAppearsMs);
    if (!window) return;
    ExpectOuter(c, "the run goes on: 800x600 centred", window, kCentred);
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!run.Finish(c, 60000)) KillWindowProcess(window);
    run.ExpectBoxes(c, {"Cannot open the log file: " + run.FolderA() + "\\" + logfile +
                        "\r\nIt is the configuration file."});
    c.Equal("the configuration file as it was", ini.Text(), ReadShared(run.Folder() + L"\\framewright.ini"));
}

// ---- the input method's window ----

// The input method left on: its hidden companion lies above the main window, and
// pidonly must still size the main window, every time.
Case InputMethodRun(int number) {
    return {"run " + std::to_string(number), [number](Checker& c, const Env& env) {
                LauncherRun run(env, "input-method-" + std::to_string(number));
                const std::string title = "fw-e2e input method " + std::to_string(number);
                run.WriteFile("framewright.ini",
                              ValidIni(env, Options(title, "--keep-ime --outer 640 480 --pos 100 100")).Text());
                if (!run.Start(c)) return;
                HWND window = WaitForTargetWindow(c, title, kWindowAppearsMs);
                if (!window) return;
                HWND above = nullptr;
                WaitUntil([&] {
                    for (HWND w = GetTopWindow(nullptr); w && w != window; w = GetWindow(w, GW_HWNDNEXT)) {
                        wchar_t className[64] = {};
                        GetClassNameW(w, className, 64);
                        if (ProcessOf(w) == ProcessOf(window) && std::wstring(className) == L"IME") above = w;
                    }
                    return above != nullptr;
                }, 2000);
                c.Equal("the target's IME window lies above its main window", true, above != nullptr);
                ExpectOuter(c, "the main window sized: 800x600 centred", window, kCentred);
                if (above) c.Equal("the IME window left at 1x1", 1, OuterOf(above).width);
                CloseAndFinish(c, run, window);
            }};
}

}  // namespace

std::vector<Scenario> LaunchingScenarios() {
    std::vector<Case> inputMethodRuns;
    for (int i = 1; i <= 10; ++i) inputMethodRuns.push_back(InputMethodRun(i));
    return {
        {"profile", {{"a profile in quotes, with spaces", ProfileInQuotes}}},
        {"follow_children",
         {{"a stub with followchildren=1", StubFollowed}, {"a stub with followchildren=0", StubNotFollowed}}},
        {"log_file",
         {{"a log of a whole run", LogOfARun},
          {"a log that is the configuration under other names", LogThatIsTheConfiguration}}},
        {"input_method_window", inputMethodRuns},
    };
}
