#include "platform/win32/system_library.h"

#include <cwchar>

namespace platform {

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    const std::size_t nameLength = std::wcslen(fileName);
    if (length == 0 || length + 1 + nameLength + 1 > MAX_PATH) return nullptr;
    path[length] = L'\\';
    std::wmemcpy(path + length + 1, fileName, nameLength + 1);
    return ::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace platform
