// The baselines of the watch's figures: a resident tool that applies a size to any
// window of the programs it is told, done the two ways such tools do it.
//   walk:        every 3 s, a walk of every top-level window and its process's image
//   foreground:  every 50 ms, a timer that never stops, the foreground window and its
//                process's image
// Each image read is an OpenProcess, a QueryFullProcessImageNameW and a CloseHandle;
// a window of a listed program that is not WIDTH x HEIGHT yet is given that size.
//   fw-watch-baseline.exe walk|foreground WIDTH HEIGHT PROGRAMS-FILE
// PROGRAMS-FILE lists the programs' full paths, one per line (ANSI).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_programs;
int g_width = 0, g_height = 0;

bool IsListed(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return false;
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    const bool read = QueryFullProcessImageNameW(process, 0, image, &size) != FALSE;
    CloseHandle(process);
    if (!read) return false;
    for (const std::wstring& program : g_programs)
        if (_wcsicmp(program.c_str(), image) == 0) return true;
    return false;
}

void Apply(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!IsWindowVisible(window) || !IsListed(processId)) return;
    RECT r;
    GetWindowRect(window, &r);
    if (r.right - r.left != g_width || r.bottom - r.top != g_height)
        SetWindowPos(window, nullptr, 0, 0, g_width, g_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Walk() {
    for (HWND window = FindWindowA(nullptr, nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) Apply(window);
}

bool ReadPrograms(const char* file) {
    FILE* f = std::fopen(file, "r");
    if (f == nullptr) return false;
    char line[MAX_PATH];
    while (std::fgets(line, sizeof line, f)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        wchar_t wide[MAX_PATH];
        if (line[0] && MultiByteToWideChar(CP_ACP, 0, line, -1, wide, MAX_PATH)) g_programs.emplace_back(wide);
    }
    std::fclose(f);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || !ReadPrograms(argv[4])) return 64;
    const bool walk = std::strcmp(argv[1], "walk") == 0;
    g_width = std::atoi(argv[2]);
    g_height = std::atoi(argv[3]);
    SetTimer(nullptr, 0, walk ? 3000 : 50, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message != WM_TIMER) continue;
        if (walk) Walk();
        else if (HWND front = GetForegroundWindow()) Apply(front);
    }
    return 0;
}
