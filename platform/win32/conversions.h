// What the seam's Win32 files share: handles and rectangles between the seam's
// types and the system's, and text between the ANSI code page and UTF-16.
// Internal to platform/win32.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
inline WindowHandle FromHwnd(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window)); }
inline HANDLE ToHandle(KernelHandle handle) { return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(handle)); }
inline KernelHandle FromHandle(HANDLE handle) { return static_cast<KernelHandle>(reinterpret_cast<std::uintptr_t>(handle)); }
inline Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// UTF-16 text kept in a vector, NUL-terminated: std::wstring would pull the whole
// of the library's wide-string code into every exe.
using WideText = std::vector<wchar_t>;

inline WideText AnsiToWide(const std::string& text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    WideText wide(static_cast<std::size_t>(length) + 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

inline std::string WideToAnsi(const wchar_t* text, std::size_t size) {
    if (size == 0) return std::string();
    int length = ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(size), &ansi[0], length, nullptr, nullptr);
    return ansi;
}

}  // namespace platform
