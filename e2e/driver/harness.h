// The end-to-end harness: checks that print what they expected and what they got,
// launcher runs in a folder of their own with every error box recorded and
// dismissed, and helpers that find and measure the target's window.
#pragma once

#include <windows.h>

#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text);
// Text as it is printed in a check: quoted, with CR, LF and tabs made visible.
std::string Quoted(const std::string& text);
// "0x0000ABCD": styles and colours as they are printed in a check.
std::string Hex(DWORD value);

struct Geometry {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Geometry& o) const {
        return std::tie(left, top, width, height) == std::tie(o.left, o.top, o.width, o.height);
    }
};
std::string ToText(const Geometry& g);
inline std::string ToText(const std::string& s) { return Quoted(s); }
inline std::string ToText(bool b) { return b ? "true" : "false"; }
template <class T>
std::string ToText(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// One case's checks; its log is printed as a block when the case ends.
class Checker {
public:
    explicit Checker(std::string caseName) : caseName_(std::move(caseName)) {}
    template <class T>
    bool Equal(const std::string& what, const T& expected, const T& got) {
        return Record(expected == got, what, "expected " + ToText(expected) + ", got " + ToText(got));
    }
    bool Record(bool ok, const std::string& what, const std::string& detail);
    void Note(const std::string& line) { log_ += "       " + line + "\n"; }
    const std::string& Name() const { return caseName_; }
    const std::string& Log() const { return log_; }
    int passed = 0, failed = 0;

private:
    std::string caseName_;
    std::string log_;
};

// Paths given on the command line, in Windows form.
struct Env {
    std::wstring launcher;   // framewright.exe, or the trace build
    std::wstring targetDir;  // folder of fw-target.exe
    std::wstring workRoot;   // one sub-folder per case is made here
    std::wstring debugLog;   // Wine's debug output of this driver and its children
    int jobs = 2;
    std::wstring setup;      // framewright-setup.exe, for its scenario
};
extern const char* const kTargetName;  // "fw-target.exe"

// framewright.ini content, keys kept in insertion order within their section.
class Ini {
public:
    Ini& Set(const std::string& section, const std::string& key, const std::string& value);
    Ini& Erase(const std::string& section, const std::string& key);
    std::string Text() const;

private:
    std::vector<std::tuple<std::string, std::string, std::string>> entries_;
};

// A complete, valid configuration: the target started with the given options,
// found by PID, 800 x 600, centred, locked.
Ini ValidIni(const Env& env, const std::string& targetOptions);

struct Box {
    std::string caption, text;
};

// One run of the launcher with its working directory in a fresh folder.
class LauncherRun {
public:
    LauncherRun(const Env& env, const std::string& folderName);
    ~LauncherRun();  // ends a launcher that is still running
    const std::wstring& Folder() const { return folder_; }
    std::string FolderA() const { return Narrow(folder_); }
    void WriteFile(const std::string& name, const std::string& content) const;
    // A variable added to the environment the launcher gets, beside the driver's own.
    void SetEnvironment(const std::string& name, const std::string& value);
    // Starts the launcher, with the arguments after its name on its command line.
    bool Start(Checker& c, const std::string& arguments = "");
    bool Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
    // Waits for the launcher to end and checks its exit code (0 but for an attach's own).
    bool Finish(Checker& c, DWORD timeoutMs, DWORD exitCode = 0);
    DWORD Pid() const { return pi_.dwProcessId; }
    std::vector<Box> Boxes() const;
    // Checks that the launcher has shown exactly these boxes, in this order.
    void ExpectBoxes(Checker& c, const std::vector<std::string>& texts) const;

private:
    const Env& env_;
    std::wstring folder_;
    std::wstring environment_;  // NAME=value\0 entries added; empty: the driver's own
    PROCESS_INFORMATION pi_{};
};

// The value that starts a watch at sign-in, read back from the registry; empty: none.
std::string RunValue();

// The whole content of a file that another program may still be writing.
std::string ReadShared(const std::wstring& path);

// Runs `poll` every few milliseconds until it holds or the time is up; reports the
// milliseconds it took through `elapsedMs`.
bool WaitUntil(const std::function<bool()>& poll, DWORD timeoutMs, DWORD* elapsedMs = nullptr);

// The target's top-level window with exactly this title, or null.
HWND FindTargetWindow(const std::string& title);
HWND WaitForTargetWindow(Checker& c, const std::string& title, DWORD timeoutMs);
// Start-up of the 32-bit launcher and its target, slow under emulation.
const DWORD kWindowAppearsMs = 400000;
// Writes `ini` as the run's framewright.ini, starts the launcher and waits for the
// target's window; null when either fails.
HWND LaunchWithWindow(Checker& c, LauncherRun& run, const Ini& ini, const std::string& title);
Geometry OuterOf(HWND window);
Geometry ClientOf(HWND window);  // left/top 0
DWORD ProcessOf(HWND window);
// The first top-level window of the process, shown or hidden, that is neither a box
// nor an input-method window the system gives every thread (the launcher's
// surround), or null.
HWND OwnWindowOf(DWORD pid);
DWORD ParentProcessOf(DWORD pid);
// A program the driver starts itself, not through the launcher; ended with the case.
struct StartedElsewhere {
    PROCESS_INFORMATION pi{};
    ~StartedElsewhere();
    bool Running() const { return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }
};
// Starts the exe in its own folder with the options as its command line's rest.
bool StartElsewhere(Checker& c, const std::wstring& exe, const std::string& options, StartedElsewhere& program);
bool HasCaption(HWND window);
// Ends the target process behind a window (clean-up after a failed case).
void KillWindowProcess(HWND window);
// How many resizes the target has been asked for (its window property).
long SizeRequestsOf(HWND window);

// The trace lines (OutputDebugStringA texts) found in Wine's debug output.
std::vector<std::string> ReadTraceLines(const std::wstring& debugLog);

struct Case {
    std::string name;
    std::function<void(Checker&, const Env&)> run;
};
struct Scenario {
    std::string name;
    std::vector<Case> cases;
};
std::vector<Scenario> AllScenarios();

// The scenarios of borderless windows and of the choice of display.
std::vector<Scenario> DisplayScenarios();
// The scenario of the setup program.
std::vector<Scenario> SetupScenarios();
// The scenarios of profiles, launcher stubs, the log file and the input-method window.
std::vector<Scenario> LaunchingScenarios();
// The scenario of a launch wrapped as a store does it: "-- PROGRAM [ARGUMENTS]".
std::vector<Scenario> WrappedLaunchScenarios();
// The scenarios of the cursor clip, topmost and the pause key, and of the surround.
std::vector<Scenario> PlayScenarios();
// The scenario of a program started elsewhere: "--attach PID", and the stop request.
std::vector<Scenario> AttachScenarios();
// The scenario of the watch: "--watch", programs started elsewhere sized, "--watch --stop".
std::vector<Scenario> WatchScenarios();
// The surround on display 2, for the scenario on two displays.
Case SurroundOnDisplayTwo();
