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

inline WideText ToWide(UINT codePage, const std::string& text) {
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    WideText wide(static_cast<std::size_t>(length) + 1, L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}
inline WideText AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }
inline WideText Utf8ToWide(const std::string& text) { return ToWide(CP_UTF8, text); }

inline std::string FromWide(UINT codePage, const wchar_t* text, std::size_t size) {
    if (size == 0) return std::string();
    int length = ::WideCharToMultiByte(codePage, 0, text, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, text, static_cast<int>(size), &narrow[0], length, nullptr, nullptr);
    return narrow;
}
inline std::string WideToAnsi(const wchar_t* text, std::size_t size) { return FromWide(CP_ACP, text, size); }

}  // namespace platform
