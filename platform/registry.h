// The current user's registry: string values under HKEY_CURRENT_USER, which any
// program of the user may write without administrator rights.
#pragma once

#include <string>

namespace platform {

// RegOpenKeyExW and RegQueryValueExW of a REG_SZ or REG_EXPAND_SZ value (not
// expanded), converted to the ANSI code page; false when the key or the value is
// missing or of another type.
bool ReadUserRegistryText(const std::string& keyPath, const std::string& valueName, std::string& text);
// RegCreateKeyExW and RegSetValueExW: a REG_SZ value, the key made when missing.
bool WriteUserRegistryText(const std::string& keyPath, const std::string& valueName, const std::string& text);
// RegOpenKeyExW and RegDeleteValueW; true when the value is gone (or was never there).
bool DeleteUserRegistryValue(const std::string& keyPath, const std::string& valueName);

}  // namespace platform
