// The program the end-to-end tests launch through the launcher: one configurable
// top-level window that paints its client size and its age.
//
// The launcher passes its configured parameters as the whole command line, so the
// first token may be an option or a placeholder; words that are not options are
// skipped. Options:
//   --title T         window title (default "Framewright target")
//   --outer W H       initial outer size
//   --client W H      initial client size (the frame is added)
//   --pos X Y         initial position (default 100 100)
//   --popup           borderless popup window
//   --empty-client    the whole window is frame: client height 0
//   --min W H / --max W H   outer size limits, enforced on every resize
//   --delay MS        create the window only after MS milliseconds
//   --spawn-child     start a copy of itself that owns the window, and exit at once
//   --linger MS       with --spawn-child: wait MS milliseconds before exiting
//   --exit-code N     exit code (also when closed)
//   --time-limit MS   close itself after MS milliseconds (default 600000)
//   --frame-back MS   MS milliseconds after the window is made, give it its caption
//                     and sizing frame back, as a program switching to windowed does
//   --perf-log FILE   append timings to FILE: "start" (Unix time in ms, when the
//                     process starts), "reaction" (ms from the window's creation to
//                     its first resize by another process), "restore" (ms from each
//                     disturbance to the size put back), "resized" (Unix time in ms
//                     of that first resize), "pid" (its process id)
//   --disturb N MS    after that first resize: N times, MS apart, shrink itself by
//                     40 x 30 as a user dragging its frame would, and time the way
//                     back; then close. With N 0, close right after the first resize
//   --keep-ime        leave the input method on, its hidden "Default IME" companion
//                     above the window from the start (as Windows often has it)
// With the environment variable FW_TARGET_REPORT naming a file, it writes there its
// command line (GetCommandLineA) and its working directory, one per line, as it starts.
// The window property "fw.sizerequests" counts the resizes it was asked for;
// "fw.framebackclient" is the client width right after the frame was put back.
#include <windows.h>
#include <imm.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Options {
    std::wstring title = L"Framewright target";
    int width = 640, height = 480;
    bool clientSize = false;
    int x = 100, y = 100;
    bool popup = false;
    bool emptyClient = false;
    SIZE minSize{0, 0}, maxSize{0, 0};
    DWORD delayMs = 0;
    bool spawnChild = false;
    DWORD lingerMs = 0;
    UINT exitCode = 0;
    DWORD timeLimitMs = 600000;
    DWORD frameBackMs = 0;
    std::wstring perfLog;
    int disturbances = -1;  // -1: no disturbing, no closing after the first resize
    UINT disturbEveryMs = 0;
    bool keepIme = false;
};

Options g_options;
DWORD g_startTick = 0;
LONG_PTR g_sizeRequests = 0;
const UINT_PTR kRepaintTimer = 1, kTimeLimitTimer = 2, kFrameBackTimer = 3, kDisturbTimer = 4;

// ---- timings for the performance report ----

struct Timing {
    double createdMs = 0;      // the window exists from here on
    SIZE created{0, 0};        // its size then; creating and showing it repeat that size
    bool resized = false;      // resized by another process at least once
    SIZE placed{0, 0};         // the size it was given then, which a lock keeps
    bool ownMove = false;      // inside a resize of our own
    double disturbedMs = -1;   // a disturbance waiting for the size to come back
    int restores = 0;
};
Timing g_timing;

double NowMs() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void LogTiming(const char* what, double value) {
    if (g_options.perfLog.empty()) return;
    if (FILE* f = _wfopen(g_options.perfLog.c_str(), L"a")) {
        std::fprintf(f, "%s %.3f\n", what, value);
        std::fclose(f);
    }
}

// The Unix time in ms, to compare with the clock of whoever started us.
double UnixTimeMs() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    return static_cast<double>(t.QuadPart - 116444736000000000ULL) / 10000.0;
}

// Shrinks the window as a user would; a disturbance still waiting after 2 s is
// logged as lost and a new one made.
void Disturb(HWND hwnd) {
    if (g_timing.disturbedMs >= 0 && NowMs() - g_timing.disturbedMs < 2000) return;
    if (g_timing.disturbedMs >= 0) LogTiming("lost", NowMs() - g_timing.disturbedMs);
    g_timing.ownMove = true;
    g_timing.disturbedMs = NowMs();
    SetWindowPos(hwnd, nullptr, 0, 0, g_timing.placed.cx - 40, g_timing.placed.cy - 30,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    g_timing.ownMove = false;
}

// A size change that another process made: the first resize, or a restore.
void ResizedByOther(HWND hwnd, int cx, int cy) {
    if (!g_timing.resized) {
        if (cx == g_timing.created.cx && cy == g_timing.created.cy) return;
        g_timing.resized = true;
        g_timing.placed = {cx, cy};
        LogTiming("reaction", NowMs() - g_timing.createdMs);
        LogTiming("resized", UnixTimeMs());
        if (g_options.disturbances == 0) PostMessageW(hwnd, WM_CLOSE, 0, 0);
        else if (g_options.disturbances > 0) SetTimer(hwnd, kDisturbTimer, g_options.disturbEveryMs, nullptr);
    } else if (g_timing.disturbedMs >= 0 && cx == g_timing.placed.cx && cy == g_timing.placed.cy) {
        LogTiming("restore", NowMs() - g_timing.disturbedMs);
        g_timing.disturbedMs = -1;
        if (++g_timing.restores >= g_options.disturbances) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }
}

bool ParseOptions(int argc, wchar_t** argv, Options& o) {
    auto num = [&](int& i) { return i + 1 < argc ? static_cast<int>(wcstoll(argv[++i], nullptr, 10)) : 0; };
    for (int i = 0; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a.rfind(L"--", 0) != 0) continue;
        if (a == L"--title" && i + 1 < argc) o.title = argv[++i];
        else if (a == L"--outer" || a == L"--client") {
            o.clientSize = a == L"--client";
            o.width = num(i);
            o.height = num(i);
        } else if (a == L"--pos") {
            o.x = num(i);
            o.y = num(i);
        } else if (a == L"--popup") o.popup = true;
        else if (a == L"--empty-client") o.emptyClient = true;
        else if (a == L"--min") {
            o.minSize.cx = num(i);
            o.minSize.cy = num(i);
        } else if (a == L"--max") {
            o.maxSize.cx = num(i);
            o.maxSize.cy = num(i);
        } else if (a == L"--delay") o.delayMs = num(i);
        else if (a == L"--spawn-child") o.spawnChild = true;
        else if (a == L"--linger") o.lingerMs = num(i);
        else if (a == L"--exit-code" && i + 1 < argc) o.exitCode = static_cast<UINT>(wcstoull(argv[++i], nullptr, 0));
        else if (a == L"--time-limit") o.timeLimitMs = num(i);
        else if (a == L"--frame-back") o.frameBackMs = num(i);
        else if (a == L"--perf-log" && i + 1 < argc) o.perfLog = argv[++i];
        else if (a == L"--disturb") {
            o.disturbances = num(i);
            o.disturbEveryMs = num(i);
        }
        else if (a == L"--keep-ime") o.keepIme = true;
        else return false;
    }
    return true;
}

// Clamps a proposed outer size to the configured limits; 0 means no limit.
void Clamp(int& cx, int& cy) {
    const Options& o = g_options;
    if (o.minSize.cx && cx < o.minSize.cx) cx = o.minSize.cx;
    if (o.minSize.cy && cy < o.minSize.cy) cy = o.minSize.cy;
    if (o.maxSize.cx && cx > o.maxSize.cx) cx = o.maxSize.cx;
    if (o.maxSize.cy && cy > o.maxSize.cy) cy = o.maxSize.cy;
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    int h = client.bottom - client.top;
    HBRUSH background = CreateSolidBrush(RGB(24, 40, 64));
    FillRect(dc, &client, background);
    DeleteObject(background);
    if (h > 0) {
        int fontHeight = h / 6 < 12 ? 12 : (h / 6 > 96 ? 96 : h / 6);
        HFONT font = CreateFontW(-fontHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 ANTIALIASED_QUALITY, 0, L"Arial");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        wchar_t text[128];
        DWORD ms = GetTickCount() - g_startTick;
        swprintf(text, 128, L"%ld \x00d7 %ld\n%lu.%lu s", client.right - client.left, client.bottom - client.top,
                 ms / 1000, (ms / 100) % 10);
        SetTextColor(dc, RGB(240, 240, 240));
        RECT box = client;
        RECT measure = client;
        DrawTextW(dc, text, -1, &measure, DT_CENTER | DT_CALCRECT | DT_WORDBREAK);
        box.top = (h - (measure.bottom - measure.top)) / 2;
        DrawTextW(dc, text, -1, &box, DT_CENTER | DT_WORDBREAK);
        SelectObject(dc, old);
        DeleteObject(font);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        if (g_options.minSize.cx) info->ptMinTrackSize = {g_options.minSize.cx, g_options.minSize.cy};
        if (g_options.maxSize.cx) info->ptMaxTrackSize = {g_options.maxSize.cx, g_options.maxSize.cy};
        return 0;
    }
    case WM_WINDOWPOSCHANGING: {
        // The system applies the track limits only to some styles; enforce them always.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
        if (!(pos->flags & SWP_NOSIZE)) {
            SetPropW(hwnd, L"fw.sizerequests", reinterpret_cast<HANDLE>(++g_sizeRequests));
            Clamp(pos->cx, pos->cy);
        }
        return 0;
    }
    case WM_NCCALCSIZE:
        if (g_options.emptyClient) {
            // Both forms start with the proposed client rectangle.
            RECT* client = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
            client->bottom = client->top;
            return 0;
        }
        break;
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
        g_timing.createdMs = NowMs();
        g_timing.created = {create->cx, create->cy};
        break;
    }
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
        if (!(pos->flags & SWP_NOSIZE) && !g_timing.ownMove) {
            ResizedByOther(hwnd, pos->cx, pos->cy);
        }
        break;
    }
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_TIMER:
        if (wp == kFrameBackTimer) {
            KillTimer(hwnd, kFrameBackTimer);
            SetWindowLongW(hwnd, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            RECT client;
            GetClientRect(hwnd, &client);
            SetPropW(hwnd, L"fw.framebackclient", reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(client.right)));
        } else if (wp == kDisturbTimer) Disturb(hwnd);
        else if (wp == kTimeLimitTimer) DestroyWindow(hwnd);
        else InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int RunWindow() {
    const Options& o = g_options;
    if (o.delayMs) Sleep(o.delayMs);
    // Wine gives a thread's first window a hidden "Default IME" companion that is
    // briefly above it in the Z-order: a search by process would take that one.
    if (!o.keepIme) ImmDisableIME(static_cast<DWORD>(-1));
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = L"FramewrightTarget";
    RegisterClassW(&wc);
    DWORD style = o.popup ? WS_POPUP | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    RECT r{0, 0, o.width, o.height};
    if (o.clientSize && !o.emptyClient) AdjustWindowRectEx(&r, style, FALSE, 0);
    // The input method's companion comes with the thread's first window: a short-lived
    // helper's, put above every window before the main one exists.
    HWND helper = nullptr;
    if (o.keepIme) {
        WNDCLASSW helperClass{};
        helperClass.lpfnWndProc = DefWindowProcW;
        helperClass.hInstance = instance;
        helperClass.lpszClassName = L"FramewrightTargetHelper";
        RegisterClassW(&helperClass);
        helper = CreateWindowExW(0, helperClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                                 nullptr);
        HWND ime = ImmGetDefaultIMEWnd(helper);
        if (ime) SetWindowPos(ime, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, o.title.c_str(), style, o.x, o.y, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 2;
    if (helper) DestroyWindow(helper);
    SetPropW(hwnd, L"fw.sizerequests", nullptr);
    SetTimer(hwnd, kRepaintTimer, 100, nullptr);
    SetTimer(hwnd, kTimeLimitTimer, o.timeLimitMs, nullptr);
    if (o.frameBackMs) SetTimer(hwnd, kFrameBackTimer, o.frameBackMs, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// Starts a copy of this program without --spawn-child; it owns the window instead.
int SpawnChild(int argc, wchar_t** argv) {
    std::wstring childArgs;
    for (int i = 1; i < argc; ++i) {
        if (std::wstring(argv[i]) != L"--spawn-child") childArgs += L" \"" + std::wstring(argv[i]) + L"\"";
    }
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\"" + childArgs;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 3;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (g_options.lingerMs) Sleep(g_options.lingerMs);
    return 0;
}

// What the launcher handed over, for the driver to compare byte for byte.
void ReportStart() {
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"FW_TARGET_REPORT", path, MAX_PATH)) return;
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    if (FILE* f = _wfopen(path, L"wb")) {
        std::fprintf(f, "%s\r\n%s\r\n", GetCommandLineA(), directory);
        std::fclose(f);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    g_startTick = GetTickCount();
    ReportStart();
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || !ParseOptions(argc, argv, g_options)) return 64;
    LogTiming("start", UnixTimeMs());
    LogTiming("pid", GetCurrentProcessId());
    if (g_options.spawnChild) {
        int rc = SpawnChild(argc, argv);
        return rc ? rc : static_cast<int>(g_options.exitCode);
    }
    int rc = RunWindow();
    return rc ? rc : static_cast<int>(g_options.exitCode);
}
