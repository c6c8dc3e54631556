// The three pages, one dialog procedure each. Every key's control is a row of a
// table, so a new key is a table row and a control in setup.rc.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <map>
#include <vector>

#include "platform/win32/setup/resource.h"
#include "platform/win32/setup/setup_ui.h"

namespace setup_ui {

namespace {

enum class Kind { Edit, Flag, Keyword };

struct KeyControl {
    int id;
    const char* section;
    const char* key;
    Kind kind;
    // Keyword: the words, each ended by a NUL, or null when they depend on the
    // system and the model lists them. Flag: "1" when the launcher's default is true.
    const char* choices;
    int readingId = 0;  // a text beside the field with the launcher's reading of it
};

const KeyControl kProgramKeys[] = {
    {IDC_PATH, "program", "path", Kind::Edit, nullptr},
    {IDC_NAME, "program", "name", Kind::Edit, nullptr},
    {IDC_PARAMETERS, "program", "parameters", Kind::Edit, nullptr},
    {IDC_FOLLOWCHILDREN, "program", "followchildren", Kind::Flag, ""},
};

const KeyControl kWindowKeys[] = {
    {IDC_NAMEMASK, "windowresize", "namemask", Kind::Edit, nullptr},
    {IDC_WINDOWFINDMETHOD, "windowresize", "windowfindmethod", Kind::Keyword, "pidonly\0pidandname\0nameonly\0"},
    {IDC_FIRSTRESIZEDELAYMS, "windowresize", "firstresizedelayms", Kind::Edit, nullptr},
    {IDC_FIRSTRESIZETIMEOUTMS, "windowresize", "firstresizetimeoutms", Kind::Edit, nullptr},
    {IDC_WINDOWWIDTH, "windowresize", "windowwidth", Kind::Edit, nullptr},
    {IDC_WINDOWHEIGHT, "windowresize", "windowheight", Kind::Edit, nullptr},
    {IDC_LOCKWINDOW, "windowresize", "lockwindow", Kind::Flag, ""},
    {IDC_MOVEWINDOW, "windowresize", "movewindow", Kind::Keyword, "centre\0fixed\0none\0"},
    {IDC_ALWAYSMOVEWINDOW, "windowresize", "alwaysmovewindow", Kind::Flag, ""},
    {IDC_WINDOWX, "windowresize", "windowx", Kind::Edit, nullptr},
    {IDC_WINDOWY, "windowresize", "windowy", Kind::Edit, nullptr},
    {IDC_CLIENTRESIZE, "windowresize", "clientresize", Kind::Flag, ""},
    {IDC_SCALE, "windowresize", "scale", Kind::Edit, nullptr},
    {IDC_SCALINGMETHOD, "windowresize", "scalingmethod", Kind::Keyword,
     "defined\0windowscale\0displayscale\0pixelscale\0"},
    {IDC_MAINTAINASPECTRATIO, "windowresize", "maintainaspectratio", Kind::Flag, ""},
    {IDC_ASPECTRATIO, "windowresize", "aspectratio", Kind::Edit, nullptr},
    {IDC_DISPLAY, "windowresize", "display", Kind::Keyword, nullptr},
};

const KeyControl kTweaksKeys[] = {
    {IDC_AUTODETECTBORDERSIZE, "tweaks", "autodetectbordersize", Kind::Flag, "1"},
    {IDC_BORDERWIDTH, "tweaks", "borderwidth", Kind::Edit, nullptr},
    {IDC_BORDERHEIGHT, "tweaks", "borderheight", Kind::Edit, nullptr},
    {IDC_SCALINGIGNOREBORDERSIZE, "tweaks", "scalingignorebordersize", Kind::Flag, ""},
    {IDC_BORDERLESS, "tweaks", "borderless", Kind::Flag, ""},
    {IDC_LOGFILE, "tweaks", "logfile", Kind::Edit, nullptr},
    {IDC_CLIPCURSOR, "tweaks", "clipcursor", Kind::Flag, ""},
    {IDC_TOPMOST, "tweaks", "topmost", Kind::Flag, ""},
    {IDC_PAUSEKEY, "tweaks", "pausekey", Kind::Edit, nullptr, IDC_PAUSEKEY_READING},
    {IDC_SURROUND, "tweaks", "surround", Kind::Flag, ""},
    {IDC_SURROUNDCOLOUR, "tweaks", "surroundcolour", Kind::Edit, nullptr, IDC_SURROUNDCOLOUR_READING},
};

struct Page {
    const KeyControl* begin;
    const KeyControl* end;
};

template <std::size_t N>
Page PageOf(const KeyControl (&keys)[N]) {
    return {keys, keys + N};
}

// Set while controls are filled from the profile, so their notifications do not
// write the same values back.
bool Filling = false;

// What each text field and drop-down showed when the profile last had its value.
// A field goes to the profile when the user is done with it (on leaving it, on
// Enter, before Save, Run and the preview read the profile) and only when it
// differs from this: a field filled, never touched, writes nothing.
std::map<HWND, std::string> Committed;

// A choice's label follows its value after ": " ("2: 1280 x 1024 at 1920, 0").
const char kLabelSeparator[] = ": ";

std::string ValueOfChoice(const std::string& text) { return text.substr(0, text.find(kLabelSeparator)); }

std::string ShownValue(HWND control, const KeyControl& row) {
    const std::string text = TextOf(control);
    return row.kind == Kind::Keyword ? ValueOfChoice(text) : text;
}

void Fill(HWND page, const KeyControl& row) {
    HWND control = GetDlgItem(page, row.id);
    if (row.kind == Kind::Flag) {
        const bool checked = Model->Flag(row.section, row.key, row.choices[0] == '1');
        SendMessageA(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    const std::string value = Model->Value(row.section, row.key);
    // A value with a labelled choice shows its label; any other shows as written.
    const LRESULT labelled =
        row.kind == Kind::Keyword && !value.empty()
            ? SendMessageA(control, CB_FINDSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>((value + kLabelSeparator).c_str()))
            : CB_ERR;
    if (labelled != CB_ERR) {
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(labelled), 0);
    } else {
        SetWindowTextA(control, value.c_str());
    }
    Committed[control] = ShownValue(control, row);
}

void FillChoices(HWND page, const KeyControl& row) {
    SendDlgItemMessageA(page, row.id, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> words;
    if (row.choices == nullptr) words = Model->Choices(row.section, row.key);
    for (const char* word = row.choices; word != nullptr && *word != '\0'; word += std::strlen(word) + 1) {
        words.push_back(word);
    }
    for (const std::string& word : words) {
        SendDlgItemMessageA(page, row.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
    }
}

// The value of the choice just selected in a drop-down (its text shows it only
// after the notification).
bool SelectedValue(HWND control, std::string& value) {
    const LRESULT selected = SendMessageA(control, CB_GETCURSEL, 0, 0);
    const LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, selected, 0);
    if (selected == CB_ERR || length == CB_ERR) return false;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(control, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    value = ValueOfChoice(text);
    return true;
}

// Hands the profile a field's value when it differs from what the profile has.
// True when the profile changed.
bool Commit(HWND page, const KeyControl& row, const std::string& value) {
    HWND control = GetDlgItem(page, row.id);
    if (Committed[control] == value) return false;
    if (!Model->SetValue(row.section, row.key, value)) {
        ShowError(page, std::string(row.section) + "->" + row.key + " cannot hold that value.");
        Filling = true;
        Fill(page, row);  // back to what the profile has
        Filling = false;
        return false;
    }
    Committed[control] = value;
    return true;
}

// What the user has just done to a key's control, handed to the profile. True
// when the notification was one of the control's.
bool TakeNotification(HWND page, const KeyControl& row, WORD notification) {
    HWND control = GetDlgItem(page, row.id);
    bool changed = false;
    std::string value;
    if (row.kind == Kind::Flag && notification == BN_CLICKED) {
        Model->SetFlag(row.section, row.key, SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED,
                       row.choices[0] == '1');
        changed = true;
    } else if (row.kind == Kind::Keyword && notification == CBN_SELCHANGE) {
        changed = SelectedValue(control, value) && Commit(page, row, value);
    } else if ((row.kind == Kind::Edit && notification == EN_KILLFOCUS) ||
               (row.kind == Kind::Keyword && notification == CBN_KILLFOCUS)) {
        changed = Commit(page, row, ShownValue(control, row));
    } else {
        return false;
    }
    if (changed) SendMessageA(GetParent(page), kProfileChanged, 0, 0);
    return true;
}

// The key controls' share of a page's messages. True when the message was handled.
bool HandleKeys(HWND page, UINT message, WPARAM wParam, Page keys) {
    switch (message) {
        case WM_INITDIALOG:
        case kChoicesChanged:
            Filling = true;  // emptying a drop-down empties its text too
            for (const KeyControl* row = keys.begin; row != keys.end; ++row) {
                if (row->kind == Kind::Keyword) FillChoices(page, *row);
            }
            [[fallthrough]];
        case kReloadPage:
            Filling = true;
            for (const KeyControl* row = keys.begin; row != keys.end; ++row) Fill(page, *row);
            Filling = false;
            [[fallthrough]];
        case kRefreshEnables:
            for (const KeyControl* row = keys.begin; row != keys.end; ++row) {
                EnableWindow(GetDlgItem(page, row->id), Model->Applies(row->section, row->key));
                if (row->readingId != 0) {
                    SetDlgItemTextA(page, row->readingId, Model->Reading(row->section, row->key).c_str());
                }
            }
            return true;
        case kCommitFields: {
            bool changed = false;
            for (const KeyControl* row = keys.begin; row != keys.end; ++row) {
                if (row->kind != Kind::Flag) changed |= Commit(page, *row, ShownValue(GetDlgItem(page, row->id), *row));
            }
            SetWindowLongPtrA(page, DWLP_MSGRESULT, changed);
            return true;
        }
        case WM_COMMAND:
            if (Filling) return false;
            for (const KeyControl* row = keys.begin; row != keys.end; ++row) {
                if (row->id == LOWORD(wParam)) return TakeNotification(page, *row, HIWORD(wParam));
            }
            return false;
    }
    return false;
}

// The program chooser fills the folder and the file name.
void ChooseProgram(HWND page) {
    char file[MAX_PATH * 4] = "";
    const std::string folder = Model->Value("program", "path");
    OPENFILENAMEA dialog = FileChooser(GetParent(page), "Programs (*.exe)\0*.exe\0All files\0*.*\0", file,
                                       sizeof file, OFN_FILEMUSTEXIST);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = "Choose the program to launch";
    if (!GetOpenFileNameA(&dialog)) return;
    SendMessageA(page, kCommitFields, 0, 0);  // the page is filled anew below
    Model->SetProgramFile(file);
    SendMessageA(page, kReloadPage, 0, 0);
    SendMessageA(GetParent(page), kProfileChanged, 0, 0);
}

// The log file need not exist: the launcher creates it. Its full path is written,
// so the log lands there whatever folder the launcher is started in.
void ChooseLogFile(HWND page) {
    char file[MAX_PATH * 4] = "";
    lstrcpynA(file, Model->Value("tweaks", "logfile").c_str(), sizeof file);
    OPENFILENAMEA dialog = FileChooser(GetParent(page), "Log files (*.log)\0*.log\0All files\0*.*\0", file,
                                       sizeof file, OFN_PATHMUSTEXIST);
    dialog.lpstrDefExt = "log";
    dialog.lpstrTitle = "Choose the log file (it is appended to)";
    if (!GetSaveFileNameA(&dialog)) {
        // A value that is no file name keeps the chooser shut; open it empty then.
        if (CommDlgExtendedError() != FNERR_INVALIDFILENAME) return;
        file[0] = '\0';
        if (!GetSaveFileNameA(&dialog)) return;
    }
    SendMessageA(page, kCommitFields, 0, 0);  // the page is filled anew below
    Model->SetValue("tweaks", "logfile", file);
    SendMessageA(page, kReloadPage, 0, 0);
    SendMessageA(GetParent(page), kProfileChanged, 0, 0);
}

}  // namespace

INT_PTR CALLBACK ProgramPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_BROWSE_PROGRAM && HIWORD(wParam) == BN_CLICKED) {
        ChooseProgram(page);
        return TRUE;
    }
    return HandleKeys(page, message, wParam, PageOf(kProgramKeys));
}

INT_PTR CALLBACK WindowPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    return HandleKeys(page, message, wParam, PageOf(kWindowKeys));
}

INT_PTR CALLBACK TweaksPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_BROWSE_LOGFILE && HIWORD(wParam) == BN_CLICKED) {
        ChooseLogFile(page);
        return TRUE;
    }
    return HandleKeys(page, message, wParam, PageOf(kTweaksKeys));
}

}  // namespace setup_ui
