// Times how soon the cursor is confined to a window after the window returns to
// the front, for the performance report: brings a window of its own to the front,
// waits until the cursor is free, waits a moment (so each return falls at another
// point of the launcher's cycle), brings the target back and polls the clip every
// millisecond until it is the target's client area. Appends "clip MS" per switch,
// then closes the target. With 0 switches it only brings the target to the front.
//   fw-foreground-switch.exe TITLE SWITCHES LOG
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

HWND FindTarget(const char* title) {
    for (int i = 0; i < 2000; ++i) {
        if (HWND window = FindWindowA("FramewrightTarget", title)) return window;
        Sleep(5);
    }
    return nullptr;
}

RECT ClientOnScreen(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Polls every millisecond for up to 2 s; the milliseconds it took, or -1.
template <class Condition>
double MsUntil(Condition condition) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (;;) {
        QueryPerformanceCounter(&now);
        const double ms = static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
        if (condition()) return ms;
        if (ms > 2000) return -1;
        Sleep(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 64;
    HWND target = FindTarget(argv[1]);
    if (!target) return 1;
    const int switches = std::atoi(argv[2]);
    timeBeginPeriod(1);
    SetForegroundWindow(target);
    HWND own = CreateWindowExA(0, "STATIC", "fw-foreground-switch", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    FILE* log = std::fopen(argv[3], "a");
    std::srand(GetTickCount());
    for (int i = 0; i < switches && log; ++i) {
        RECT clip, screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
        screen.right += screen.left;
        screen.bottom += screen.top;
        SetForegroundWindow(own);
        MsUntil([&] { return GetClipCursor(&clip) && EqualRect(&clip, &screen); });
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(30 + std::rand() % 40);
        const RECT wanted = ClientOnScreen(target);
        SetForegroundWindow(target);
        const double ms = MsUntil([&] { return GetClipCursor(&clip) && EqualRect(&clip, &wanted); });
        if (ms >= 0) std::fprintf(log, "clip %.3f\n", ms);
        else std::fprintf(log, "lost\n");
    }
    if (log) std::fclose(log);
    DestroyWindow(own);
    SetForegroundWindow(target);
    if (switches > 0) PostMessageA(target, WM_CLOSE, 0, 0);
    timeEndPeriod(1);
    return 0;
}
