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
//   --keep-ime        leave the input method on, its hidden "Default IME" companion
//                     above the window from the start (as Windows often has it)
// The window property "fw.sizerequests" counts the resizes it was asked for.
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
    bool keepIme = false;
};

Options g_options;
DWORD g_startTick = 0;
LONG_PTR g_sizeRequests = 0;
const UINT_PTR kRepaintTimer = 1, kTimeLimitTimer = 2;

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
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_TIMER:
        if (wp == kTimeLimitTimer) DestroyWindow(hwnd);
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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    g_startTick = GetTickCount();
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || !ParseOptions(argc, argv, g_options)) return 64;
    if (g_options.spawnChild) {
        int rc = SpawnChild(argc, argv);
        return rc ? rc : static_cast<int>(g_options.exitCode);
    }
    int rc = RunWindow();
    return rc ? rc : static_cast<int>(g_options.exitCode);
}
