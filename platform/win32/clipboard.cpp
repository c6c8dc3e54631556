// The clipboard on the real system.
#include "platform/clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/conversions.h"

namespace platform {

bool OpenClipboard(WindowHandle owner) { return ::OpenClipboard(ToHwnd(owner)) != FALSE; }

bool EmptyClipboard() { return ::EmptyClipboard() != FALSE; }

bool SetClipboardData(const std::string& text) {
    const WideText wide = AnsiToWide(text);
    const std::size_t size = wide.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) return false;
    void* bytes = ::GlobalLock(memory);
    if (bytes != nullptr) {
        std::memcpy(bytes, wide.data(), size);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(CF_UNICODETEXT, memory) != nullptr) return true;
    }
    // The memory is still ours; the caller reads why the call failed.
    const DWORD error = ::GetLastError();
    ::GlobalFree(memory);
    ::SetLastError(error);
    return false;
}

bool CloseClipboard() { return ::CloseClipboard() != FALSE; }

}  // namespace platform
