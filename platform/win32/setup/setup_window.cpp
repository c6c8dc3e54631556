// The setup window: the file commands, the three pages and the preview.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "platform/win32/setup/resource.h"
#include "platform/win32/setup/setup_ui.h"

namespace setup_ui {

platform::SetupModel* Model = nullptr;

std::string TextOf(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(control, &text[0], length + 1)));
    return text;
}

void ShowError(HWND owner, const std::string& message) {
    MessageBoxA(owner, message.c_str(), platform::kSetupCaption, MB_OK | MB_ICONERROR);
}

OPENFILENAMEA FileChooser(HWND owner, const char* filter, char* file, DWORD size, DWORD flags) {
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = file;
    dialog.nMaxFile = size;
    dialog.Flags = flags | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return dialog;
}

namespace {

const char* const kProfileFilter = "Profiles (*.ini)\0*.ini\0All files\0*.*\0";
// The help beside "Copy launch options" once it has copied.
const char* const kCopiedHelp = "On the clipboard. Steam: paste it into the game's Properties, Launch options. "
                                "Other stores and game libraries: see docs\\configuration.md.";

// The watch's line is read again this often while nothing else happens: another
// program may start or end a watch at any time.
const UINT_PTR kWatchTimer = 1;
const UINT kWatchTimerMs = 2000;
const UINT kWatchSoonMs = 100;

struct PageSpec {
    int templateId;
    DLGPROC procedure;
    RECT placement;  // dialog units within the window
};

const PageSpec kPages[] = {
    {IDD_PAGE_PROGRAM, ProgramPageProc, {4, 22, 240, 94}},
    {IDD_PAGE_WINDOW, WindowPageProc, {4, 96, 240, 252}},
    {IDD_PAGE_TWEAKS, TweaksPageProc, {4, 254, 240, 406}},
};

HWND Pages[sizeof kPages / sizeof kPages[0]];
platform::PreviewPicture Picture;
POINT PickedCorner{0, 0};  // the picked window's top left corner, for movewindow=none
bool SettingSizes = false;

void ToPages(UINT message) {
    for (HWND page : Pages) SendMessageA(page, message, 0, 0);
}

void ShowTitle(HWND window) {
    const std::string path = Model->ProfilePath();
    SetDlgItemTextA(window, IDC_PROFILE_PATH, path.empty() ? "(new profile, not saved yet)" : path.c_str());
    const std::string title = std::string(platform::kSetupCaption) + " - " +
                              (path.empty() ? "new profile" : Model->FileNameOf(path)) +
                              (Model->IsDirty() ? " *" : "");
    SetWindowTextA(window, title.c_str());
}

// A size typed in: 1 to 6 digits.
bool ReadSize(HWND window, int id, LONG& value) {
    const std::string text = TextOf(GetDlgItem(window, id));
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stol(text);
    return true;
}

void UpdatePreview(HWND window) {
    LONG outerWidth = 0, outerHeight = 0, clientWidth = 0, clientHeight = 0;
    platform::Rect outer, client;
    if (ReadSize(window, IDC_OUTER_WIDTH, outerWidth) && ReadSize(window, IDC_OUTER_HEIGHT, outerHeight) &&
        ReadSize(window, IDC_CLIENT_WIDTH, clientWidth) && ReadSize(window, IDC_CLIENT_HEIGHT, clientHeight)) {
        outer = {PickedCorner.x, PickedCorner.y, PickedCorner.x + outerWidth, PickedCorner.y + outerHeight};
        client = {0, 0, clientWidth, clientHeight};
    }
    Picture = Model->Preview(outer, client);
    SetDlgItemTextA(window, IDC_DISPLAY_TEXT, Picture.displayText.c_str());
    SetDlgItemTextA(window, IDC_WINDOW_TEXT, Picture.windowText.c_str());
    SetDlgItemTextA(window, IDC_CLIENT_TEXT, Picture.clientText.c_str());
    SetDlgItemTextA(window, IDC_PREVIEW_MESSAGE, Picture.message.c_str());
    InvalidateRect(GetDlgItem(window, IDC_PREVIEW_DRAWING), nullptr, TRUE);
}

// The watch's line and check box, and the button, which needs a file to watch.
void UpdateWatch(HWND window) {
    const platform::WatchPicture watch = Model->Watch();
    SetDlgItemTextA(window, IDC_WATCH_STATUS, watch.line.c_str());
    EnableWindow(GetDlgItem(window, IDC_WATCH_FOLDER), watch.canWatch);
    EnableWindow(GetDlgItem(window, IDC_START_WITH_WINDOWS), watch.canWatch);
    CheckDlgButton(window, IDC_START_WITH_WINDOWS, watch.startsWithWindows ? BST_CHECKED : BST_UNCHECKED);
}

void ProfileChanged(HWND window) {
    ToPages(kRefreshEnables);
    ShowTitle(window);
    UpdatePreview(window);
    UpdateWatch(window);
}

void ProfileReplaced(HWND window) {
    ToPages(kReloadPage);
    ProfileChanged(window);
}

// The fields typed in and not left yet go to the profile before anything reads
// it. True when that changed the profile (the window is up to date then).
bool CommitFields(HWND window) {
    bool changed = false;
    for (HWND page : Pages) changed |= SendMessageA(page, kCommitFields, 0, 0) != 0;
    if (changed) ProfileChanged(window);
    return changed;
}

void Box(HDC dc, const RECT& r, COLORREF fill, COLORREF edge) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

// The display scaled into the drawing (in the surround's colour when it has one),
// the window after the first resize on it, and its client area inside. A window reaching past the display is cut at the
// drawing's edge.
void DrawPreview(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT area = item.rcItem;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const platform::Rect& display = Picture.display;
    const double displayWidth = static_cast<double>(display.right) - display.left;
    const double displayHeight = static_cast<double>(display.bottom) - display.top;
    if (displayWidth <= 0 || displayHeight <= 0) return;
    const double scale = std::min((area.right - area.left - 2) / displayWidth,
                                  (area.bottom - area.top - 2) / displayHeight);
    // The display centred in the drawing.
    const double originX = area.left + (area.right - area.left - displayWidth * scale) / 2;
    const double originY = area.top + (area.bottom - area.top - displayHeight * scale) / 2;
    // From virtual-screen coordinates to the drawing; far-off coordinates are held
    // within GDI's range.
    auto at = [&](double origin, LONG v, LONG displayOrigin) {
        return static_cast<LONG>(std::clamp(origin + (static_cast<double>(v) - displayOrigin) * scale, -1e6, 1e6));
    };
    auto toArea = [&](const platform::Rect& r) {
        return RECT{at(originX, r.left, display.left), at(originY, r.top, display.top),
                    at(originX, r.right, display.left), at(originY, r.bottom, display.top)};
    };
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const std::uint32_t surround = Picture.surroundColour;
    Box(dc, toArea(display),
        Picture.surround ? RGB(surround >> 16 & 0xFF, surround >> 8 & 0xFF, surround & 0xFF) : RGB(32, 32, 40),
        RGB(0, 0, 0));
    if (Picture.placed) {
        Box(dc, toArea(Picture.window), RGB(70, 110, 170), RGB(200, 220, 255));
        Box(dc, toArea(Picture.client), RGB(225, 235, 250), RGB(70, 110, 170));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(20, 40, 80));
        const std::string numbers = Picture.windowText + "\nclient " + Picture.clientText;
        RECT inside = toArea(Picture.client);
        InflateRect(&inside, -2, -2);
        DrawTextA(dc, numbers.c_str(), -1, &inside, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    }
    RestoreDC(dc, saved);
}

INT_PTR CALLBACK ChangedElsewhereProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    const WORD id = LOWORD(wParam);
    if (id == IDC_RELOAD || id == IDC_OVERWRITE || id == IDCANCEL) EndDialog(dialog, id);
    return TRUE;
}

// What a save came to, settled with the user: a failure is shown; a file another
// program changed is reloaded, overwritten or left as it is, as the user chooses,
// never overwritten unasked. True when the profile is saved.
bool Settled(HWND window, platform::SaveOutcome outcome, std::string& error) {
    if (outcome == platform::SaveOutcome::ChangedElsewhere) {
        const INT_PTR choice = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHANGED_ELSEWHERE),
                                               window, ChangedElsewhereProc, 0);
        if (choice == IDC_RELOAD) {
            if (!Model->Reload(error)) ShowError(window, error);
            ProfileReplaced(window);
        }
        if (choice != IDC_OVERWRITE) return false;
        outcome = Model->Overwrite(error);
    }
    if (outcome == platform::SaveOutcome::Failed) {
        ShowError(window, error);
        return false;
    }
    return true;
}

// Asks whether to keep unsaved changes first. False: the user cancelled.
bool ChangesHandled(HWND window);

bool SaveAs(HWND window) {
    CommitFields(window);
    char file[MAX_PATH * 4] = "framewright.ini";
    const std::string current = Model->ProfilePath();
    if (!current.empty()) lstrcpynA(file, current.c_str(), sizeof file);
    OPENFILENAMEA dialog = FileChooser(window, kProfileFilter, file, sizeof file, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    dialog.lpstrDefExt = "ini";
    if (!GetSaveFileNameA(&dialog)) return false;
    std::string error;
    const bool saved = Settled(window, Model->SaveAs(file, error), error);
    ProfileChanged(window);
    return saved;
}

bool Save(HWND window) {
    if (Model->ProfilePath().empty()) return SaveAs(window);
    CommitFields(window);
    std::string error;
    const bool saved = Settled(window, Model->Save(error), error);
    ShowTitle(window);
    UpdateWatch(window);
    return saved;
}

bool ChangesHandled(HWND window) {
    CommitFields(window);
    if (!Model->IsDirty()) return true;
    switch (MessageBoxA(window, "Save the changes to this profile first?", platform::kSetupCaption,
                        MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return Save(window);
        case IDNO:
            return true;
    }
    return false;
}

void Open(HWND window) {
    if (!ChangesHandled(window)) return;
    char file[MAX_PATH * 4] = "";
    OPENFILENAMEA dialog = FileChooser(window, kProfileFilter, file, sizeof file, OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameA(&dialog)) return;
    std::string error;
    if (!Model->Open(file, error)) ShowError(window, error);
    ProfileReplaced(window);
}

// Run and the launch options name the profile's file, so a new profile is given
// one first, and the model saves when something changed; after an overwrite the
// action is only taken again. True when it was taken.
bool SavedThen(HWND window, platform::SaveOutcome (*action)(HWND, std::string&)) {
    CommitFields(window);
    if (Model->ProfilePath().empty() && !SaveAs(window)) return false;
    std::string error;
    const platform::SaveOutcome outcome = action(window, error);
    bool taken = Settled(window, outcome, error);
    if (taken && outcome == platform::SaveOutcome::ChangedElsewhere) {
        taken = Settled(window, action(window, error), error);
    }
    ShowTitle(window);
    UpdateWatch(window);
    return taken;
}

void Run(HWND window) {
    SavedThen(window, [](HWND, std::string& error) { return Model->Run(error); });
}

void CopyLaunchOptions(HWND window) {
    const bool copied = SavedThen(window, [](HWND owner, std::string& error) {
        return Model->CopyLaunchOptions(static_cast<platform::WindowHandle>(reinterpret_cast<UINT_PTR>(owner)),
                                        error);
    });
    if (copied) SetDlgItemTextA(window, IDC_LAUNCH_OPTIONS_HELP, kCopiedHelp);
}

void WatchFolder(HWND window) {
    SavedThen(window, [](HWND, std::string& error) { return Model->WatchFolder(error); });
}

void StartWithWindows(HWND window) {
    std::string error;
    if (!Model->StartWithWindows(IsDlgButtonChecked(window, IDC_START_WITH_WINDOWS) == BST_CHECKED, error)) {
        ShowError(window, error);
    }
    UpdateWatch(window);
}

void Pick(HWND window) {
    CommitFields(window);  // the pages are filled anew below
    PickedWindow picked;
    if (!PickWindow(window, picked)) return;
    std::string error;
    if (!Model->SetNameMask(picked.title, error)) ShowError(window, error);
    PickedCorner = {picked.outer.left, picked.outer.top};
    SettingSizes = true;
    SetDlgItemInt(window, IDC_OUTER_WIDTH, picked.outer.right - picked.outer.left, FALSE);
    SetDlgItemInt(window, IDC_OUTER_HEIGHT, picked.outer.bottom - picked.outer.top, FALSE);
    SetDlgItemInt(window, IDC_CLIENT_WIDTH, picked.client.right - picked.client.left, FALSE);
    SetDlgItemInt(window, IDC_CLIENT_HEIGHT, picked.client.bottom - picked.client.top, FALSE);
    SettingSizes = false;
    ProfileReplaced(window);
}

void PlacePages(HWND window) {
    for (std::size_t i = 0; i < sizeof kPages / sizeof kPages[0]; ++i) {
        Pages[i] = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPages[i].templateId), window,
                                      kPages[i].procedure, 0);
        RECT r = kPages[i].placement;
        MapDialogRect(window, &r);
        SetWindowPos(Pages[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
    }
}

INT_PTR CALLBACK SetupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            PlacePages(window);
            ProfileChanged(window);
            SetTimer(window, kWatchTimer, kWatchTimerMs, nullptr);
            return TRUE;
        case WM_TIMER:
            if (wParam != kWatchTimer) return FALSE;
            SetTimer(window, kWatchTimer, kWatchTimerMs, nullptr);
            UpdateWatch(window);
            return TRUE;
        case WM_ACTIVATE:
            // Back from another program, which may have started or ended a watch: a
            // look soon, after the activation has given the focus back to its control.
            if (LOWORD(wParam) != WA_INACTIVE) SetTimer(window, kWatchTimer, kWatchSoonMs, nullptr);
            return FALSE;
        case kProfileChanged:
            ProfileChanged(window);
            return TRUE;
        case WM_DISPLAYCHANGE:
            // A display plugged in or out: new numbers to offer, perhaps a new size.
            CommitFields(window);
            ToPages(kChoicesChanged);
            UpdatePreview(window);
            return TRUE;
        case WM_DRAWITEM:
            if (wParam != IDC_PREVIEW_DRAWING) return FALSE;
            DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            if (!ChangesHandled(window)) return TRUE;
            KillTimer(window, kWatchTimer);
            EndDialog(window, 0);
            return TRUE;
        case WM_COMMAND:
            break;
        default:
            return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDC_NEW:
            if (ChangesHandled(window)) {
                Model->New();
                ProfileReplaced(window);
            }
            return TRUE;
        case IDC_OPEN:
            Open(window);
            return TRUE;
        case IDC_SAVE:
            Save(window);
            return TRUE;
        case IDC_SAVE_AS:
            SaveAs(window);
            return TRUE;
        case IDC_RUN:
            Run(window);
            return TRUE;
        case IDC_COPY_LAUNCH_OPTIONS:
            CopyLaunchOptions(window);
            return TRUE;
        case IDC_PICK:
            Pick(window);
            return TRUE;
        case IDC_WATCH_FOLDER:
            WatchFolder(window);
            return TRUE;
        case IDC_START_WITH_WINDOWS:
            if (HIWORD(wParam) == BN_CLICKED) StartWithWindows(window);
            return TRUE;
        case IDC_OUTER_WIDTH:
        case IDC_OUTER_HEIGHT:
        case IDC_CLIENT_WIDTH:
        case IDC_CLIENT_HEIGHT:
            if (HIWORD(wParam) == EN_CHANGE && !SettingSizes && !CommitFields(window)) UpdatePreview(window);
            return TRUE;
        case IDOK:  // Enter: the field is done
            CommitFields(window);
            return TRUE;
        case IDCANCEL:  // Escape
            SendMessageA(window, WM_CLOSE, 0, 0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

}  // namespace setup_ui

namespace platform {

int RunSetupWindow(SetupModel& model) {
    setup_ui::Model = &model;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), nullptr,
                                           setup_ui::SetupProc, 0);
    return result == -1 ? 1 : 0;
}

}  // namespace platform
