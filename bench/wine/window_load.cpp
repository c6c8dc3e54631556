// The window load of the search measurement: COUNT other top-level windows with
// titles, owned by a process of their own, for LIFETIME milliseconds. Writes
// READY-FILE once they all exist.
//   fw-window-load.exe COUNT LIFETIME READY-FILE
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) return 64;
    const int count = std::atoi(argv[1]);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FramewrightLoad";
    RegisterClassA(&wc);
    for (int i = 0; i < count; ++i) {
        char title[64];
        std::snprintf(title, sizeof title, "Some other program %d", i);
        if (!CreateWindowExA(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 10 + i % 100, 10 + i % 80, 300, 200,
                             nullptr, nullptr, wc.hInstance, nullptr)) {
            return 1;
        }
    }
    if (FILE* ready = std::fopen(argv[3], "w")) std::fclose(ready);
    // Pump messages, so no program that sends to these windows ever waits on them.
    SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[2])), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER) DispatchMessageA(&msg);
    return 0;
}
