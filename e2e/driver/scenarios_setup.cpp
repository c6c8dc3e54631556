// The setup program driven through its control IDs: open a profile, change the
// method, pick the target's window, type the scale key by key, read the preview,
// save, see the launcher do what the preview said, copy the launch options, read
// the watch's line and start the watch with Windows.
#include <cstdio>
#include <cstdlib>

#include "harness.h"
#include "platform/win32/setup/resource.h"

namespace {

const DWORD kAppearsMs = 120000;
const std::string kPickedTitle = "fw-e2e setup picked";
const std::string kHelperTitle = "fw-e2e setup helper";

struct Process {
    PROCESS_INFORMATION pi{};
    ~Process() {
        if (!pi.hProcess) return;
        if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
};

bool Start(Checker& c, Process& p, const std::wstring& exe, const std::wstring& arguments, const std::wstring& dir) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &p.pi)) {
        return true;
    }
    return c.Record(false, "started " + Narrow(exe), "error " + std::to_string(GetLastError()));
}

// The process's top-level dialog that holds a control with this ID.
HWND DialogWith(DWORD pid, int id) {
    struct Search {
        DWORD pid;
        int id;
        HWND found;
    } search{pid, id, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == s->pid && IsWindowVisible(w) && GetDlgItem(w, s->id)) s->found = w;
            return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control anywhere below the dialog: the key controls sit on child pages.
HWND Control(HWND dialog, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM p) {
            auto* s = reinterpret_cast<Search*>(p);
            if (GetDlgCtrlID(w) == s->id) s->found = w;
            return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// WM_GETTEXT, which GetWindowText does not send to another process's controls.
std::string TextOf(HWND control) {
    wchar_t text[1024] = {};
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

void Notify(HWND control, WORD notification) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), notification),
                 reinterpret_cast<LPARAM>(control));
}

// CF_UNICODETEXT, as the setup program puts it there.
std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "(the clipboard cannot be opened)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Narrow(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

// A stand-in for a running watch, as another program sees one: a hidden window of
// the watch's class whose text is the folder it watches.
class WatchWindow {
public:
    explicit WatchWindow(const std::wstring& folder) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"FramewrightWatch";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"FramewrightWatch", folder.c_str(), WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    }
    ~WatchWindow() {
        DestroyWindow(window_);
        UnregisterClassW(L"FramewrightWatch", GetModuleHandleW(nullptr));
    }

private:
    HWND window_;
};

// The setup's watch line and check box: a watch found by its window on another
// folder, then on this one (the profile matched), then none; the check box writing
// and removing the Run value.
void WatchLineAndStartWithWindows(Checker& c, HWND dialog, const std::string& folder, const std::string& launcher) {
    HWND line = Control(dialog, IDC_WATCH_STATUS);
    std::string seen;
    const auto shows = [&](const std::string& start) {
        // Read again on the setup's slow timer.
        WaitUntil([&] { return (seen = TextOf(line)).rfind(start, 0) == 0; }, 10000);
        return seen;
    };
    const std::string matched = "fw-target.exe is matched: the watch applies this profile when it runs.";
    c.Equal("watch line: none",
            std::string("No watch is running.\r\nfw-target.exe is not matched until this profile's folder is watched."),
            shows("No watch"));
    {
        const WatchWindow elsewhere(L"C:\\windows");
        c.Equal("watch line: a watch on another folder",
                std::string("A watch is running on C:\\windows.\r\n"
                            "fw-target.exe is not matched until this profile's folder is watched."),
                shows("A watch"));
    }
    {
        const WatchWindow here(Widen(folder));
        c.Equal("watch line: a watch on this folder", "A watch is running on " + folder +
                " (this profile's folder).\r\n" + matched, shows("A watch is running on " + folder));
    }
    shows("No watch");
    c.Equal("watch line: the watch gone", std::string("No watch is running."), seen.substr(0, seen.find('\r')));

    HWND check = Control(dialog, IDC_START_WITH_WINDOWS);
    const std::string command = "\"" + launcher + "\" --watch \"" + folder + "\"";
    DWORD_PTR ignored = 0;
    for (bool on : {true, false}) {
        SendMessageW(check, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDC_START_WITH_WINDOWS, BN_CLICKED),
                            reinterpret_cast<LPARAM>(check), SMTO_ABORTIFHUNG, 20000, &ignored);
        c.Equal(on ? "start with Windows: the Run value written" : "start with Windows: the Run value removed",
                on ? command : std::string(), RunValue());
        c.Equal("start with Windows: the box as the value says", static_cast<LRESULT>(on ? BST_CHECKED : BST_UNCHECKED),
                SendMessageW(check, BM_GETCHECK, 0, 0));
    }

    // "Watch this folder" starts the launcher's own watch there, which the line shows.
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDC_WATCH_FOLDER, BN_CLICKED),
                        reinterpret_cast<LPARAM>(Control(dialog, IDC_WATCH_FOLDER)), SMTO_ABORTIFHUNG, 20000, &ignored);
    HWND watch = nullptr;
    WaitUntil([&] { return (watch = FindWindowW(L"FramewrightWatch", nullptr)) != nullptr; }, 20000);
    if (!c.Record(watch != nullptr, "watch this folder: a watch runs", "")) return;
    c.Equal("watch line: the watch started", "A watch is running on " + folder + " (this profile's folder).\r\n" +
            matched, shows("A watch is running on " + folder));
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(watch));
    PostMessageW(watch, WM_CLOSE, 0, 0);
    c.Equal("the watch ends when closed", static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(process, 30000));
    CloseHandle(process);
}

// Picks the window with this title in the setup program's "Pick a window..." list.
bool Pick(Checker& c, DWORD setupPid, HWND dialog, const std::string& title) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PICK, BN_CLICKED), 0);
    HWND picker = nullptr;
    WaitUntil([&] { return (picker = DialogWith(setupPid, IDC_WINDOW_LIST)) != nullptr; }, 10000);
    if (!c.Record(picker != nullptr, "window picker appears", picker ? "found" : "not found")) return false;
    HWND list = GetDlgItem(picker, IDC_WINDOW_LIST);
    const std::wstring line = Widen(title + "\t");
    LRESULT index = SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str()));
    c.Record(index != LB_ERR, "the window " + Quoted(title) + " is listed", "line " + std::to_string(index));
    SendMessageW(list, LB_SETCURSEL, index, 0);
    Notify(list, LBN_SELCHANGE);
    PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitUntil([&] { return !IsWindow(picker); }, 10000);
}

// The setup program started on the folder's framewright.ini, and its window.
HWND StartSetup(Checker& c, const Env& env, Process& setup, const LauncherRun& folder) {
    if (!Start(c, setup, env.setup, L"framewright.ini", folder.Folder())) return nullptr;
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = DialogWith(setup.pi.dwProcessId, IDC_RUN)) != nullptr; }, kAppearsMs);
    c.Record(dialog != nullptr, "setup window appears", dialog ? "found" : "not found");
    return dialog;
}

// The profile is the folder's framewright.ini, which the launcher Run starts reads
// whether or not it takes the profile argument it is given.
void PreviewMatchesTheLauncher(Checker& c, const Env& env) {
    LauncherRun folder(env, "setup");
    const std::string profile =
        "; A profile written by hand.\r\n"
        "[Program]\r\n"
        "path = " + Narrow(env.targetDir) + "\r\n"
        "name = fw-target.exe\r\n"
        "parameters = fw-target --title \"" + kHelperTitle + "\" --outer 320 240 --pos 0 0 --time-limit 60000\r\n"
        "\r\n"
        "[windowresize]\r\n"
        "windowfindmethod = nameonly\r\n"
        "namemask = nothing yet\r\n"
        "firstresizedelayms = 100\r\n"
        "firstresizetimeoutms = 30000\r\n"
        ";  size: 800 x 600 for now\r\n"
        "scalingmethod = defined\r\n"
        "scale   = 100\r\n"
        "windowwidth = 800\r\n"
        "windowheight = 600\r\n"
        "movewindow = centre\r\n"
        "unknownkey = kept\r\n";
    folder.WriteFile("framewright.ini", profile);

    Process picked, setup;
    if (!Start(c, picked, env.targetDir + L"\\" + Widen(kTargetName),
               Widen("--title \"" + kPickedTitle + "\" --outer 656 519 --pos 100 50"), env.targetDir)) {
        return;
    }
    HWND target = WaitForTargetWindow(c, kPickedTitle, kAppearsMs);
    HWND dialog = target ? StartSetup(c, env, setup, folder) : nullptr;
    if (!dialog) return;
    c.Equal("profile opened from the argument", folder.FolderA() + "\\framewright.ini",
            TextOf(Control(dialog, IDC_PROFILE_PATH)));

    HWND method = Control(dialog, IDC_SCALINGMETHOD);
    SendMessageW(method, CB_SETCURSEL, 1, 0);  // windowscale
    Notify(method, CBN_SELCHANGE);

    if (!Pick(c, setup.pi.dwProcessId, dialog, kPickedTitle)) return;

    // The scale typed key by key into the field with the focus: Backspace x3 on
    // "100", then "150". The preview, drawn from the profile, stays at 100 % of the
    // picked window until the focus leaves the field.
    const std::string atFirst = TextOf(Control(dialog, IDC_WINDOW_TEXT));
    HWND scale = Control(dialog, IDC_SCALE);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(scale), TRUE);
    SendMessageW(scale, EM_SETSEL, 100, 100);
    for (wchar_t key : std::wstring(L"\b\b\b150")) SendMessageW(scale, WM_CHAR, key, 0);
    c.Equal("typed: the field shows 150", std::string("150"), TextOf(scale));
    const std::string whileTyping = TextOf(Control(dialog, IDC_WINDOW_TEXT));
    c.Record(atFirst.rfind("656 x 519 at ", 0) == 0 && whileTyping == atFirst,
             "while typing: the preview is still at 100 %", atFirst + ", then " + whileTyping);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(dialog, IDC_WINDOWWIDTH)), TRUE);

    // 150 % of 656 x 519 is 984 x 778.5, a tie rounded to even; centred on 1920 x 1080.
    const Geometry expected{468, 151, 984, 778};
    c.Equal("name mask filled with the title", kPickedTitle, TextOf(Control(dialog, IDC_NAMEMASK)));
    c.Equal("the focus left: preview at 150 %", std::string("984 x 778 at 468, 151"),
            TextOf(Control(dialog, IDC_WINDOW_TEXT)));
    const Geometry client = ClientOf(target);
    c.Equal("preview: client area",
            std::to_string(984 - (656 - client.width)) + " x " + std::to_string(778 - (519 - client.height)),
            TextOf(Control(dialog, IDC_CLIENT_TEXT)));
    c.Equal("preview: no rejection", std::string(), TextOf(Control(dialog, IDC_PREVIEW_MESSAGE)));

    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE, BN_CLICKED), 0, SMTO_ABORTIFHUNG, 20000, &ignored);
    std::string edited = Replaced(profile, "scalingmethod = defined", "scalingmethod = windowscale");
    edited = Replaced(Replaced(edited, "scale   = 100", "scale   = 150"), "namemask = nothing yet",
                      "namemask = " + kPickedTitle);
    c.Equal("saved file: only the three changed lines differ", edited, ReadShared(folder.Folder() + L"\\framewright.ini"));

    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), 0);
    WaitUntil([&] { return OuterOf(target) == expected; }, 120000);
    c.Equal("the launcher started by Run gives the window the preview's rectangle", expected, OuterOf(target));

    if (HWND helper = WaitForTargetWindow(c, kHelperTitle, 10000)) PostMessageW(helper, WM_CLOSE, 0, 0);

    // The keys that came later, on the sizes as picked: the one display by its
    // number, and a frameless window that is all client area (150 % of the client).
    HWND display = Control(dialog, IDC_DISPLAY);
    wchar_t choice[128] = {};
    SendMessageW(display, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(choice));
    c.Equal("display choices: the keywords, then the one display", std::string("3, 1: 1920 x 1080 at 0, 0 (primary)"),
            std::to_string(SendMessageW(display, CB_GETCOUNT, 0, 0)) + ", " + Narrow(choice));
    SendMessageW(display, CB_SETCURSEL, 2, 0);
    Notify(display, CBN_SELCHANGE);
    c.Equal("preview: display 1", std::string("1920 x 1080 at 0, 0 (display 1)"),
            TextOf(Control(dialog, IDC_DISPLAY_TEXT)));
    HWND borderless = Control(dialog, IDC_BORDERLESS);
    SendMessageW(borderless, BM_SETCHECK, BST_CHECKED, 0);
    Notify(borderless, BN_CLICKED);
    const std::string window = TextOf(Control(dialog, IDC_WINDOW_TEXT));
    const std::string inside = TextOf(Control(dialog, IDC_CLIENT_TEXT));
    int width = 0, height = 0;
    sscanf(inside.c_str(), "%d x %d", &width, &height);
    c.Record(window.rfind(inside + " at ", 0) == 0 && std::abs(2 * width - 3 * client.width) <= 1 &&
                 std::abs(2 * height - 3 * client.height) <= 1,
             "preview, borderless: the window is its client area, 150 % of the client as picked",
             window + ", client " + inside);
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE, BN_CLICKED), 0, SMTO_ABORTIFHUNG, 20000, &ignored);
    const std::string saved = Replaced(edited, "unknownkey = kept\r\n",
                                       "unknownkey = kept\r\ndisplay=1\r\n\r\n[tweaks]\r\nborderless=1\r\n");
    c.Equal("saved file: the new keys at the ends of their sections", saved,
            ReadShared(folder.Folder() + L"\\framewright.ini"));

    // Another program edits the file while a field is being typed in: Save takes
    // the field, asks, and Reload puts it on top of the other program's edit.
    const std::string theirs = Replaced(saved, "windowheight = 600", "windowheight = 700");
    folder.WriteFile("framewright.ini", theirs);
    SendMessageW(Control(dialog, IDC_WINDOWWIDTH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1024"));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE, BN_CLICKED), 0);
    HWND question = nullptr;
    WaitUntil([&] { return (question = DialogWith(setup.pi.dwProcessId, IDC_RELOAD)) != nullptr; }, 10000);
    if (!c.Record(question != nullptr, "changed elsewhere: Save asks", question ? "asked" : "no question")) return;
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDC_RELOAD, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(question); }, 10000);
    c.Equal("reloaded: the other program's value shows", std::string("700"), TextOf(Control(dialog, IDC_WINDOWHEIGHT)));
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE, BN_CLICKED), 0, SMTO_ABORTIFHUNG, 20000, &ignored);
    c.Equal("saved again: both edits", Replaced(theirs, "windowwidth = 800", "windowwidth = 1024"),
            ReadShared(folder.Folder() + L"\\framewright.ini"));

    // "Copy launch options" with a field still being typed in: the field is taken,
    // the profile saved, and the clipboard holds the line a store takes.
    SendMessageW(Control(dialog, IDC_WINDOWHEIGHT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"720"));
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COPY_LAUNCH_OPTIONS, BN_CLICKED), 0, SMTO_ABORTIFHUNG,
                        20000, &ignored);
    const std::string setupExe = Narrow(env.setup);
    c.Equal("clipboard: the launch options",
            "\"" + setupExe.substr(0, setupExe.find_last_of('\\')) + "\\framewright.exe\" \"" + folder.FolderA() +
                "\\framewright.ini\" -- %command%",
            ClipboardText());
    c.Equal("copied: the field saved first",
            Replaced(Replaced(theirs, "windowwidth = 800", "windowwidth = 1024"), "windowheight = 700",
                     "windowheight = 720"),
            ReadShared(folder.Folder() + L"\\framewright.ini"));
    WatchLineAndStartWithWindows(c, dialog, folder.FolderA(),
                                 setupExe.substr(0, setupExe.find_last_of('\\')) + "\\framewright.exe");
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    c.Equal("setup closes without asking (nothing unsaved)", static_cast<DWORD>(WAIT_OBJECT_0),
            WaitForSingleObject(setup.pi.hProcess, 20000));
    PostMessageW(target, WM_CLOSE, 0, 0);
}

// A title that starts with a star, picked below its twin without one: the mask
// the setup writes makes the launcher Run starts find the picked window only.
void AStarredTitleFindsItsOwnWindow(Checker& c, const Env& env) {
    const std::string starred = "*fw-e2e setup star", helper = "fw-e2e star helper";
    LauncherRun folder(env, "setup-star");
    folder.WriteFile("framewright.ini", ValidIni(env, "--title \"" + helper + "\" --time-limit 60000")
                                            .Set("windowresize", "windowfindmethod", "nameonly")
                                            .Text());
    Process picked, twin, setup;
    const auto open = [&](Process& p, const std::string& title, const char* at) {
        return Start(c, p, env.targetDir + L"\\" + Widen(kTargetName),
                     Widen("--title \"" + title + "\" --outer 320 240 --pos " + at), env.targetDir)
                   ? WaitForTargetWindow(c, title, kAppearsMs)
                   : nullptr;
    };
    HWND starredWindow = open(picked, starred, "100 50");
    HWND twinWindow = starredWindow ? open(twin, starred.substr(1), "500 50") : nullptr;
    HWND dialog = twinWindow ? StartSetup(c, env, setup, folder) : nullptr;
    if (!dialog || !Pick(c, setup.pi.dwProcessId, dialog, starred)) return;
    c.Equal("name mask: the title's star stands for itself", "*" + starred, TextOf(Control(dialog, IDC_NAMEMASK)));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), 0);
    const Geometry centred{560, 240, 800, 600};
    WaitUntil([&] { return OuterOf(starredWindow) == centred || OuterOf(twinWindow) == centred; }, 120000);
    c.Equal("the picked window is resized", centred, OuterOf(starredWindow));
    c.Equal("its twin is left alone", Geometry{500, 50, 320, 240}, OuterOf(twinWindow));
    if (HWND helperWindow = WaitForTargetWindow(c, helper, 10000)) PostMessageW(helperWindow, WM_CLOSE, 0, 0);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

}  // namespace

std::vector<Scenario> SetupScenarios() {
    return {{"setup",
             {{"edit, pick, preview, save and run", PreviewMatchesTheLauncher},
              {"a title starting with a star finds its own window", AStarredTitleFindsItsOwnWindow}}}};
}
