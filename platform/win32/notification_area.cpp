// The notification area on the real system. shell32 is loaded when the icon is
// first added, as for the shell's other calls: only the watch shows one.
#include "platform/notification_area.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "platform/win32/conversions.h"
#include "platform/win32/system_library.h"

namespace platform {
namespace {

constexpr UINT kIconId = 1;

bool NotifyIcon(DWORD command, NOTIFYICONDATAW& data) {
    using NotifyFunction = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
    static HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
    static auto notify = shell32 == nullptr ? nullptr
                                            : reinterpret_cast<NotifyFunction>(reinterpret_cast<void*>(
                                                  ::GetProcAddress(shell32, "Shell_NotifyIconW")));
    return notify != nullptr && notify(command, &data) != FALSE;
}

NOTIFYICONDATAW IconOf(WindowHandle window) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = ToHwnd(window);
    data.uID = kIconId;
    return data;
}

// Copies as much as fits, the buffer's last place kept for the NUL.
template <std::size_t N>
void CopyCut(wchar_t (&buffer)[N], const std::string& utf8) {
    const WideText wide = Utf8ToWide(utf8);
    std::wcsncpy(buffer, wide.data(), N - 1);
    buffer[N - 1] = L'\0';
}

}  // namespace

bool AddNotifyIcon(WindowHandle window, std::uint32_t callbackMessage, const std::string& tip) {
    NOTIFYICONDATAW data = IconOf(window);
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    // Shared icons of the exe's own resources need no destroying.
    data.hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                 LR_SHARED));
    CopyCut(data.szTip, tip);
    return NotifyIcon(NIM_ADD, data);
}

bool SetNotifyIconTip(WindowHandle window, const std::string& tip) {
    NOTIFYICONDATAW data = IconOf(window);
    data.uFlags = NIF_TIP;
    CopyCut(data.szTip, tip);
    return NotifyIcon(NIM_MODIFY, data);
}

bool ShowNotifyBalloon(WindowHandle window, const std::string& title, const std::string& text) {
    NOTIFYICONDATAW data = IconOf(window);
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    CopyCut(data.szInfoTitle, title);
    CopyCut(data.szInfo, text);
    return NotifyIcon(NIM_MODIFY, data);
}

bool DeleteNotifyIcon(WindowHandle window) {
    NOTIFYICONDATAW data = IconOf(window);
    return NotifyIcon(NIM_DELETE, data);
}

std::uint32_t RegisterWindowMessageA(const std::string& name) { return ::RegisterWindowMessageA(name.c_str()); }

std::uint32_t ShowPopupMenu(WindowHandle window, const std::vector<MenuItem>& items) {
    const HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) return 0;
    for (const MenuItem& item : items) {
        if (item.command == 0) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const WideText text = Utf8ToWide(item.text);
        ::AppendMenuW(menu, MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), item.command, text.data());
    }
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const HWND owner = ToHwnd(window);
    // Without the foreground the menu would stay open after a click elsewhere; the
    // message after it lets the next click open it again at once.
    ::SetForegroundWindow(owner);
    const UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON;
    const BOOL command = ::TrackPopupMenu(menu, flags, cursor.x, cursor.y, 0, owner, nullptr);
    ::PostMessageW(owner, WM_NULL, 0, 0);
    ::DestroyMenu(menu);
    return command > 0 ? static_cast<std::uint32_t>(command) : 0;
}

}  // namespace platform
