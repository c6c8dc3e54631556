// The baseline for the launcher's figures under Wine: a launcher cut down to the
// calls the design requires and nothing else. It starts the program, walks the
// top-level windows every 10 ms with a title read and a process read per window
// until one belongs to the program, sizes it once (centred), then checks its
// rectangle every 10 ms and puts the size back when it differs. Ends with the
// program.
//   fw-baseline.exe WIDTH HEIGHT PROGRAM COMMAND-LINE
#include <windows.h>

#include <cstdlib>

namespace {

HWND FindWindowOf(DWORD processId) {
    for (HWND window = FindWindowA(nullptr, nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        char title[1024];
        GetWindowTextA(window, title, sizeof title);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) return 64;
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(argv[3], argv[4], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return 1;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    timeBeginPeriod(1);
    HWND window = nullptr;
    while (WaitForSingleObject(process.hProcess, 1) != WAIT_OBJECT_0) {
        Sleep(10);
        if (!window) {
            window = FindWindowOf(process.dwProcessId);
            if (window) SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        RECT r;
        if (!GetWindowRect(window, &r)) {
            window = nullptr;
        } else if (r.right - r.left != width || r.bottom - r.top != height) {
            SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    timeEndPeriod(1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return 0;
}
