// DLLs loaded at run time by full path from the system directory: one that is not
// always taken from there would be loaded from a copy planted beside the launched
// program if it were imported, and one needed only on a rare road would cost every
// start-up its loading. Internal to platform/win32.
#pragma once

#include <windows.h>

namespace platform {

// The DLL of that file name (such as L"winmm.dll") from the system directory; null
// when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

}  // namespace platform
