// "Pick a window...": the open top-level windows, one line each, for the user to
// choose the program's window from.
#include <vector>

#include "platform/win32/setup/resource.h"
#include "platform/win32/setup/setup_ui.h"

namespace setup_ui {

namespace {

std::vector<HWND> Listed;  // the windows behind the list's lines, in order
PickedWindow* Chosen = nullptr;

// Windows' input-method companions belong to every program with a window; no one
// means them.
bool IsInputMethodCompanion(HWND window) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "IME" || std::string(className) == "MSCTFIME UI";
}

std::string ProgramFileOf(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return "?";
    char path[MAX_PATH * 2] = "";
    DWORD length = sizeof path;
    const bool known = QueryFullProcessImageNameA(process, 0, path, &length) != FALSE;
    CloseHandle(process);
    if (!known) return "?";
    return Model->FileNameOf(std::string(path, length));
}

std::string SizeText(const RECT& r) { return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top); }

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (!IsWindowVisible(window) || pid == GetCurrentProcessId() || IsInputMethodCompanion(window)) return TRUE;
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    std::string title = TextOf(window);
    const std::string line = (title.empty() ? "(no title)" : title) + "\t" + ProgramFileOf(pid) + "\tPID " +
                             std::to_string(pid) + "\t" + SizeText(outer) + "\t" + SizeText(client);
    SendMessageA(reinterpret_cast<HWND>(list), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    Listed.push_back(window);
    return TRUE;
}

void FillList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_WINDOW_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    Listed.clear();
    EnumWindows(AddWindow, reinterpret_cast<LPARAM>(list));
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 1200, 0);
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
}

// A window closed since the list was made cannot be picked.
bool TakeSelected(HWND dialog) {
    const LRESULT selected = SendDlgItemMessageA(dialog, IDC_WINDOW_LIST, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || static_cast<std::size_t>(selected) >= Listed.size()) return false;
    HWND window = Listed[static_cast<std::size_t>(selected)];
    if (!IsWindow(window) || !GetWindowRect(window, &Chosen->outer) || !GetClientRect(window, &Chosen->client)) {
        ShowError(dialog, "That window has closed. The list is made anew.");
        FillList(dialog);
        return false;
    }
    Chosen->title = TextOf(window);
    return true;
}

INT_PTR CALLBACK PickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        // Title, program, process, outer size, client area.
        const int tabs[] = {150, 220, 260, 305};
        SendDlgItemMessageA(dialog, IDC_WINDOW_LIST, LB_SETTABSTOPS, 4, reinterpret_cast<LPARAM>(tabs));
        FillList(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case IDC_WINDOW_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE) EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
            if (HIWORD(wParam) != LBN_DBLCLK) return TRUE;
            [[fallthrough]];
        case IDOK:
            if (TakeSelected(dialog)) EndDialog(dialog, IDOK);
            return TRUE;
        case IDC_REFRESH:
            FillList(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

bool PickWindow(HWND owner, PickedWindow& picked) {
    Chosen = &picked;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PICK_WINDOW), owner,
                                           PickerProc, 0);
    Chosen = nullptr;
    return result == IDOK;
}

}  // namespace setup_ui
