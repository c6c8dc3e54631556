#include "harness.h"

#include <tlhelp32.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <thread>

const char* const kTargetName = "fw-target.exe";

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Hex(DWORD value) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '\r') out += "\\r";
        else if (ch == '\n') out += "\\n";
        else if (ch == '\t') out += "\\t";
        else out += ch;
    }
    return out + "\"";
}

std::string ToText(const Geometry& g) {
    return "(" + std::to_string(g.left) + "," + std::to_string(g.top) + " " + std::to_string(g.width) + "x" +
           std::to_string(g.height) + ")";
}

bool Checker::Record(bool ok, const std::string& what, const std::string& detail) {
    (ok ? passed : failed)++;
    log_ += std::string(ok ? "  ok   " : "  FAIL ") + what + ": " + detail + "\n";
    return ok;
}

// ---- configuration ----

Ini& Ini::Set(const std::string& section, const std::string& key, const std::string& value) {
    for (auto& [s, k, v] : entries_) {
        if (s == section && k == key) {
            v = value;
            return *this;
        }
    }
    entries_.emplace_back(section, key, value);
    return *this;
}

Ini& Ini::Erase(const std::string& section, const std::string& key) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const auto& e) { return std::get<0>(e) == section && std::get<1>(e) == key; }),
                   entries_.end());
    return *this;
}

std::string Ini::Text() const {
    std::vector<std::string> sections;
    for (const auto& e : entries_) {
        if (std::find(sections.begin(), sections.end(), std::get<0>(e)) == sections.end()) {
            sections.push_back(std::get<0>(e));
        }
    }
    std::string out;
    for (const auto& section : sections) {
        out += "[" + section + "]\r\n";
        for (const auto& [s, k, v] : entries_) {
            if (s == section) out += k + "=" + v + "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

Ini ValidIni(const Env& env, const std::string& targetOptions) {
    Ini ini;
    ini.Set("program", "path", Narrow(env.targetDir))
        .Set("program", "name", kTargetName)
        .Set("program", "parameters", "fw-target " + targetOptions)
        .Set("windowresize", "windowfindmethod", "pidonly")
        .Set("windowresize", "firstresizedelayms", "100")
        .Set("windowresize", "firstresizetimeoutms", "30000")
        .Set("windowresize", "windowwidth", "800")
        .Set("windowresize", "windowheight", "600")
        .Set("windowresize", "lockwindow", "1")
        .Set("windowresize", "movewindow", "centre")
        .Set("windowresize", "scalingmethod", "defined");
    return ini;
}

// ---- error boxes ----

namespace {

// Records and dismisses every message box of the registered launcher processes.
class BoxMonitor {
public:
    static BoxMonitor& Instance() {
        static BoxMonitor monitor;
        return monitor;
    }
    void Register(DWORD pid) {
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_[pid].clear();
    }
    std::vector<Box> BoxesOf(DWORD pid) {
        std::lock_guard<std::mutex> lock(mutex_);
        return boxes_[pid];
    }

private:
    BoxMonitor() { std::thread([this] { Loop(); }).detach(); }

    void Loop() {
        for (;;) {
            EnumWindows(&BoxMonitor::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(15);
        }
    }

    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        reinterpret_cast<BoxMonitor*>(self)->Consider(window);
        return TRUE;
    }

    void Consider(HWND window) {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!boxes_.count(pid) || handled_.count(window)) return;
        }
        Box box{TextOf(window), TextOf(GetDlgItem(window, 0xFFFF))};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            handled_.insert(window);
            boxes_[pid].push_back(box);
        }
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }

    static std::string TextOf(HWND window) {
        wchar_t text[2048] = {};
        if (window) GetWindowTextW(window, text, 2048);
        return Narrow(text);
    }

    std::mutex mutex_;
    std::map<DWORD, std::vector<Box>> boxes_;
    std::set<HWND> handled_;
};

void MakeFolders(const std::wstring& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
}

}  // namespace

LauncherRun::LauncherRun(const Env& env, const std::string& folderName)
    : env_(env), folder_(env.workRoot + L"\\" + Widen(folderName)) {
    MakeFolders(folder_);
}

LauncherRun::~LauncherRun() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 99);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
}

void LauncherRun::WriteFile(const std::string& name, const std::string& content) const {
    std::wstring path = folder_ + L"\\" + Widen(name);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

void LauncherRun::SetEnvironment(const std::string& name, const std::string& value) {
    environment_ += Widen(name + "=" + value) + L'\0';
}

bool LauncherRun::Start(Checker& c, const std::string& arguments) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + env_.launcher + L"\"";
    if (!arguments.empty()) commandLine += L" " + Widen(arguments);
    // The driver's environment with the added variables, ended by an empty entry.
    std::wstring block;
    if (!environment_.empty()) {
        wchar_t* own = GetEnvironmentStringsW();
        for (const wchar_t* entry = own; *entry; entry += wcslen(entry) + 1) block += std::wstring(entry) + L'\0';
        FreeEnvironmentStringsW(own);
        block += environment_ + L'\0';
    }
    // Suspended until registered, so that no box can be missed.
    bool ok = CreateProcessW(env_.launcher.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                             CREATE_SUSPENDED | (block.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT),
                             block.empty() ? nullptr : block.data(), folder_.c_str(), &si, &pi_);
    if (!ok) return c.Record(false, "launcher started", "CreateProcessW error " + std::to_string(GetLastError()));
    BoxMonitor::Instance().Register(pi_.dwProcessId);
    ResumeThread(pi_.hThread);
    c.Note("launcher pid " + std::to_string(pi_.dwProcessId) + " in " + FolderA());
    return true;
}

bool LauncherRun::Finish(Checker& c, DWORD timeoutMs, DWORD exitCode) {
    DWORD start = GetTickCount();
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return c.Record(false, "launcher ends", "still running after " + std::to_string(timeoutMs) + " ms");
    }
    c.Note("launcher ended " + std::to_string(GetTickCount() - start) + " ms after the wait began");
    DWORD code = 12345;
    GetExitCodeProcess(pi_.hProcess, &code);
    return c.Equal("launcher exit code", static_cast<unsigned long>(exitCode), static_cast<unsigned long>(code));
}

std::vector<Box> LauncherRun::Boxes() const { return BoxMonitor::Instance().BoxesOf(pi_.dwProcessId); }

void LauncherRun::ExpectBoxes(Checker& c, const std::vector<std::string>& texts) const {
    std::vector<Box> boxes = Boxes();
    c.Equal("number of error boxes", texts.size(), boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i) {
        std::string n = "box " + std::to_string(i + 1);
        c.Equal(n + " caption", std::string("Framewright Tool"), boxes[i].caption);
        c.Equal(n + " text", i < texts.size() ? texts[i] : std::string("(no box)"), boxes[i].text);
    }
    for (size_t i = boxes.size(); i < texts.size(); ++i) {
        c.Equal("box " + std::to_string(i + 1) + " text", texts[i], std::string("(no box)"));
    }
}

// Reads a file that another program may still be writing.
std::string RunValue() {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Framewright",
                     RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return "";
    }
    return Narrow(value);
}

std::string ReadShared(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) {
        content.append(buffer, got);
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return content;
}

// ---- windows ----

bool WaitUntil(const std::function<bool()>& poll, DWORD timeoutMs, DWORD* elapsedMs) {
    DWORD start = GetTickCount();
    for (;;) {
        bool ok = poll();
        DWORD elapsed = GetTickCount() - start;
        if (elapsedMs) *elapsedMs = elapsed;
        if (ok) return true;
        if (elapsed >= timeoutMs) return false;
        Sleep(5);
    }
}

HWND FindTargetWindow(const std::string& title) {
    std::wstring wanted = Widen(title);
    HWND found = nullptr;
    for (HWND w = GetTopWindow(nullptr); w && !found; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t className[64] = {}, text[512] = {};
        GetClassNameW(w, className, 64);
        if (std::wstring(className) != L"FramewrightTarget") continue;
        GetWindowTextW(w, text, 512);
        if (wanted == text) found = w;
    }
    return found;
}

HWND WaitForTargetWindow(Checker& c, const std::string& title, DWORD timeoutMs) {
    HWND window = nullptr;
    DWORD elapsed = 0;
    WaitUntil([&] { return (window = FindTargetWindow(title)) != nullptr; }, timeoutMs, &elapsed);
    if (!window) c.Record(false, "target window appears", "no window titled " + Quoted(title) + " after " +
                                                              std::to_string(elapsed) + " ms");
    else c.Note("target window appeared after " + std::to_string(elapsed) + " ms");
    return window;
}

HWND LaunchWithWindow(Checker& c, LauncherRun& run, const Ini& ini, const std::string& title) {
    run.WriteFile("framewright.ini", ini.Text());
    if (!run.Start(c)) return nullptr;
    return WaitForTargetWindow(c, title, kWindowAppearsMs);
}

Geometry OuterOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Geometry ClientOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {0, 0, r.right - r.left, r.bottom - r.top};
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

HWND OwnWindowOf(DWORD pid) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        GetClassNameW(w, className, 64);
        const std::wstring name = className;
        if (ProcessOf(w) == pid && name != L"#32770" && name != L"IME" && name != L"MSCTFIME UI") return w;
    }
    return nullptr;
}

DWORD ParentProcessOf(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == pid) parent = entry.th32ParentProcessID;
    }
    CloseHandle(snapshot);
    return parent;
}

void KillWindowProcess(HWND window) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, ProcessOf(window));
    if (process) {
        TerminateProcess(process, 98);
        CloseHandle(process);
    }
}

long SizeRequestsOf(HWND window) {
    return static_cast<long>(reinterpret_cast<LONG_PTR>(GetPropW(window, L"fw.sizerequests")));
}

// ---- trace lines ----

namespace {

// Undoes Wine's quoting of a debug string: \\ \" \n \r \t \xNN.
std::string Unescape(const std::string& quoted) {
    std::string out;
    for (size_t i = 0; i < quoted.size(); ++i) {
        char ch = quoted[i];
        if (ch != '\\' || i + 1 >= quoted.size()) {
            out += ch;
            continue;
        }
        char e = quoted[++i];
        if (e == 'n') out += '\n';
        else if (e == 'r') out += '\r';
        else if (e == 't') out += '\t';
        else if (e == 'x' && i + 2 < quoted.size()) {
            out += static_cast<char>(std::stoi(quoted.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else out += e;
    }
    return out;
}

}  // namespace

std::vector<std::string> ReadTraceLines(const std::wstring& debugLog) {
    std::string content;
    HANDLE file = CreateFileW(debugLog.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    char buffer[65536];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) {
        content.append(buffer, got);
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    std::istringstream in(content);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        size_t channel = line.find(":debugstr:");
        size_t open = line.find('"', channel == std::string::npos ? 0 : channel);
        size_t close = line.rfind('"');
        if (channel == std::string::npos || open == std::string::npos || close <= open) continue;
        lines.push_back(Unescape(line.substr(open + 1, close - open - 1)));
    }
    return lines;
}

// ---- programs started elsewhere ----

StartedElsewhere::~StartedElsewhere() {
    if (!pi.hProcess) return;
    TerminateProcess(pi.hProcess, 97);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

bool StartElsewhere(Checker& c, const std::wstring& exe, const std::string& options, StartedElsewhere& program) {
    std::wstring commandLine = L"\"" + exe + L"\" " + Widen(options);
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                       &program.pi)) {
        return true;
    }
    return c.Record(false, Narrow(exe) + " started by the driver", "CreateProcessW error " + std::to_string(GetLastError()));
}

bool HasCaption(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }
