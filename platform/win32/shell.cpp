// The shell on the real system. shell32 is loaded only when a program is to be
// started through it: importing it would load it, and what it brings along, at
// every start of the launcher.
#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/conversions.h"
#include "platform/win32/system_library.h"

namespace platform {

bool ShellExecuteExW(const std::string& verb, const std::string& file, const std::string& parameters,
                     const std::string& directory) {
    using ShellExecuteFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    static HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
    auto execute = shell32 == nullptr ? nullptr
                                      : reinterpret_cast<ShellExecuteFunction>(
                                            reinterpret_cast<void*>(::GetProcAddress(shell32, "ShellExecuteExW")));
    if (execute == nullptr) return false;
    WideText wideVerb = AnsiToWide(verb), wideFile = AnsiToWide(file), wideParameters = AnsiToWide(parameters),
             wideDirectory = AnsiToWide(directory);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // The launcher ends right after the call: the start must not be left to a thread of the shell's.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = wideVerb.data();
    info.lpFile = wideFile.data();
    info.lpParameters = wideParameters.data();
    info.lpDirectory = wideDirectory.data();
    info.nShow = SW_SHOWNORMAL;
    return execute(&info) != FALSE;
}

}  // namespace platform
