// The current user's registry on the real system.
#include "platform/registry.h"

#include <windows.h>

#include "platform/win32/conversions.h"

namespace platform {

bool ReadUserRegistryText(const std::string& keyPath, const std::string& valueName, std::string& text) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, AnsiToWide(keyPath).data(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    const WideText name = AnsiToWide(valueName);
    DWORD type = 0, size = 0;
    bool read = ::RegQueryValueExW(key, name.data(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
                (type == REG_SZ || type == REG_EXPAND_SZ);
    if (read) {
        // Room for a terminator the value may lack.
        WideText value(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        read = ::RegQueryValueExW(key, name.data(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) ==
               ERROR_SUCCESS;
        std::size_t length = bytes / sizeof(wchar_t);
        while (length > 0 && value[length - 1] == L'\0') --length;
        if (read) text = WideToAnsi(value.data(), length);
    }
    ::RegCloseKey(key);
    return read;
}

bool WriteUserRegistryText(const std::string& keyPath, const std::string& valueName, const std::string& text) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, AnsiToWide(keyPath).data(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return false;
    const WideText value = AnsiToWide(text);  // with its terminator
    const bool written =
        ::RegSetValueExW(key, AnsiToWide(valueName).data(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()),
                         static_cast<DWORD>(value.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return written;
}

bool DeleteUserRegistryValue(const std::string& keyPath, const std::string& valueName) {
    HKEY key = nullptr;
    const LONG opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, AnsiToWide(keyPath).data(), 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LONG deleted = ::RegDeleteValueW(key, AnsiToWide(valueName).data());
    ::RegCloseKey(key);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform
