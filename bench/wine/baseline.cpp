// The baseline for the launcher's figures under Wine: a launcher cut down to the
// calls the design requires and nothing else. It starts the program, walks the
// top-level windows every 10 ms with a title read and a process read per window
// until one belongs to the program, sizes it once (centred), then checks its
// rectangle every 10 ms and puts the size back when it differs. Ends with the
// program.
// With "play" it also does, plainly, what clipcursor, topmost and a pause key ask
// for: it holds Ctrl+Alt+F11, takes its queue every cycle, reads the foreground
// window every cycle and, while it is the program's, the window's client area and
// the cursor clip, confining the cursor when the clip differs; the window is made
// topmost and back as the foreground comes and goes. It also keeps a black popup
// of its own over the display right beneath the window, as surround=1 does: every
// cycle it reads the window's style and the window below it, and puts the popup
// back beneath when that is another.
//   fw-baseline.exe WIDTH HEIGHT PROGRAM COMMAND-LINE [play]
#include <windows.h>

#include <cstdlib>
#include <cstring>

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

bool paused = false;
bool inFront = false;
HWND surround = nullptr;
bool surroundUp = false;

LRESULT CALLBACK SurroundProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcA(window, message, wParam, lParam);
}

void MakeSurround() {
    WNDCLASSEXA surroundClass = {};
    surroundClass.cbSize = sizeof surroundClass;
    surroundClass.lpfnWndProc = SurroundProcedure;
    surroundClass.hInstance = GetModuleHandleA(nullptr);
    surroundClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    surroundClass.lpszClassName = "BaselineSurround";
    RegisterClassExA(&surroundClass);
    surround = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "BaselineSurround", "", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void KeepSurround(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const bool wanted = (style & (WS_VISIBLE | WS_MINIMIZE)) == WS_VISIBLE && !paused;
    if (wanted && (!surroundUp || GetWindow(window, GW_HWNDNEXT) != surround)) {
        SetWindowPos(surround, window, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else if (!wanted && surroundUp) {
        ShowWindow(surround, SW_HIDE);
    }
    surroundUp = wanted;
}

void Play(HWND window) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_HOTKEY) paused = !paused;
        else DispatchMessageA(&message);
    }
    KeepSurround(window);
    const bool front = GetForegroundWindow() == window && !paused;
    if (front != inFront) {
        SetWindowPos(window, front ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!front) ClipCursor(nullptr);
        inFront = front;
    }
    if (!front) return;
    RECT client, clip;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetClipCursor(&clip);
    if (!EqualRect(&client, &clip)) ClipCursor(&client);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) return 64;
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const bool play = argc == 6 && std::strcmp(argv[5], "play") == 0;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(argv[3], argv[4], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return 1;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (play) {
        RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, VK_F11);
        MakeSurround();
    }

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
            continue;
        }
        if (r.right - r.left != width || r.bottom - r.top != height) {
            SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (play) Play(window);
    }
    timeEndPeriod(1);
    if (play) ClipCursor(nullptr);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return 0;
}
