#include "checktool/settings_listing.h"

#include <cstdio>
#include <cstring>

#include "settings/colour_text.h"
#include "settings/integer_text.h"
#include "settings/pause_key.h"
#include "settings/settings.h"

namespace {

enum class Kind { Text, Integer, Flag, Keyword, Ratio };

struct SettingRow {
    const char* section;
    const char* key;
    Kind kind;
    std::string (*value)();  // the launcher's value, as the listing shows it
};

std::string Text(const std::string& value) { return value.empty() ? "(empty)" : value; }
std::string Flag(bool value) { return value ? "on" : "off"; }

std::string FindMethod() {
    if (!Settings.FindByName) return "pidonly";
    return Settings.FindByPid ? "pidandname" : "nameonly";
}

std::string MoveMode() {
    const char* names[] = {"centre", "fixed", "none"};
    return names[static_cast<int>(Settings.MoveWindow)];
}

std::string Method() {
    const char* names[] = {"defined", "windowscale", "displayscale", "pixelscale"};
    return names[static_cast<int>(Settings.ScalingMethod)];
}

// Seven significant digits, the precision a single-precision ratio holds; C99
// printf in both builds, as the launcher's own trace of the ratio.
std::string Ratio() {
    if (Settings.AspectRatio == 0.0f) return "0 (detected from the window)";
    char text[32];
    int length = std::snprintf(text, sizeof text, "%.7g", static_cast<double>(Settings.AspectRatio));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string DisplayChoiceText() {
    if (Settings.Display == DisplayChoice::Window) return "window";
    if (Settings.Display == DisplayChoice::Numbered) return std::to_string(Settings.DisplayNumber);
    return "primary";
}

// The key's own spelling; a text that is no key combination as written (the checks
// after reading reject it).
std::string PauseKeyShown() {
    PauseKey key;
    if (!ParsePauseKey(Settings.PauseKeyWritten, key)) return Settings.PauseKeyWritten;
    return key.key == 0 ? "(none)" : PauseKeyText(key);
}

// "RRGGBB" in capitals; a text that is no colour as written.
std::string SurroundColourShown() {
    std::uint32_t rgb = 0;
    return ParseColourText(Settings.SurroundColourWritten, rgb) ? ColourText(rgb) : Settings.SurroundColourWritten;
}

const SettingRow kRows[kSettingCount] = {
    {"program", "path", Kind::Text, [] { return Text(Settings.ProgramPath); }},
    {"program", "name", Kind::Text, [] { return Text(Settings.ProgramName); }},
    {"program", "parameters", Kind::Text, [] { return Text(Settings.ProgramParameters); }},
    {"windowresize", "namemask", Kind::Text, [] { return Text(Settings.NameMask); }},
    {"windowresize", "windowfindmethod", Kind::Keyword, FindMethod},
    {"windowresize", "firstresizedelayms", Kind::Integer, [] { return std::to_string(Settings.FirstResizeDelayMs); }},
    {"windowresize", "firstresizetimeoutms", Kind::Integer, [] { return std::to_string(Settings.FirstResizeTimeoutMs); }},
    {"windowresize", "windowwidth", Kind::Integer, [] { return std::to_string(Settings.WindowWidth); }},
    {"windowresize", "windowheight", Kind::Integer, [] { return std::to_string(Settings.WindowHeight); }},
    {"windowresize", "lockwindow", Kind::Flag, [] { return Flag(Settings.LockWindow); }},
    {"windowresize", "movewindow", Kind::Keyword, MoveMode},
    {"windowresize", "alwaysmovewindow", Kind::Flag, [] { return Flag(Settings.AlwaysMoveWindow); }},
    {"windowresize", "windowx", Kind::Integer, [] { return std::to_string(Settings.WindowX); }},
    {"windowresize", "windowy", Kind::Integer, [] { return std::to_string(Settings.WindowY); }},
    {"windowresize", "clientresize", Kind::Flag, [] { return Flag(Settings.ClientResize); }},
    {"windowresize", "scale", Kind::Integer, [] { return std::to_string(Settings.Scale); }},
    {"windowresize", "scalingmethod", Kind::Keyword, Method},
    {"windowresize", "maintainaspectratio", Kind::Flag, [] { return Flag(Settings.MaintainAspectRatio); }},
    {"windowresize", "aspectratio", Kind::Ratio, Ratio},
    {"tweaks", "autodetectbordersize", Kind::Flag, [] { return Flag(Settings.AutodetectBorderSize); }},
    {"tweaks", "borderwidth", Kind::Integer, [] { return std::to_string(Settings.BorderWidth); }},
    {"tweaks", "borderheight", Kind::Integer, [] { return std::to_string(Settings.BorderHeight); }},
    {"tweaks", "scalingignorebordersize", Kind::Flag, [] { return Flag(Settings.ScalingIgnoreBorderSize); }},
    {"windowresize", "display", Kind::Keyword, DisplayChoiceText},
    {"tweaks", "borderless", Kind::Flag, [] { return Flag(Settings.Borderless); }},
    {"program", "followchildren", Kind::Flag, [] { return Flag(Settings.FollowChildren); }},
    {"tweaks", "clipcursor", Kind::Flag, [] { return Flag(Settings.ClipCursor); }},
    {"tweaks", "topmost", Kind::Flag, [] { return Flag(Settings.Topmost); }},
    {"tweaks", "pausekey", Kind::Keyword, PauseKeyShown},
    {"tweaks", "surround", Kind::Flag, [] { return Flag(Settings.Surround); }},
    {"tweaks", "surroundcolour", Kind::Keyword, SurroundColourShown},
};

// Looked up as soon as the file is read, so that the log gets every line.
const SettingRow kLogFileRow = {"tweaks", "logfile", Kind::Text,
                                [] { return Settings.LogFile.empty() ? std::string("(none)") : Settings.LogFile; }};

// The rejections LoadSettings gives while it reads; it reads no further key.
struct ReadingRejection {
    int key;
    const char* messageStart;
};
const ReadingRejection kReadingRejections[] = {
    {5, "Invalid settings: windowresize->windowfindmethod "},
    {5, "Invalid settings: windowresize->namemask "},
    {11, "Invalid settings: windowresize->movewindow "},
    {17, "Invalid settings: windowresize->scale "},
    {17, "Invalid settings: windowresize->scalingmethod "},
    {19, "Invalid settings: windowresize->aspectratio "},
    {24, "Invalid settings: windowresize->display is not a legal value"},
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Where a value that was read came from: the reader's own lookup tells an absent
// key (its default comes back) from a present one.
std::string Source(const ConfigReader& file, const SettingRow& row, const std::string& shown) {
    if (Settings.CommandLineLaunch.given && std::strcmp(row.section, "program") == 0) {
        if (std::strcmp(row.key, "path") == 0) return "the working directory, as the command line names the program";
        if (std::strcmp(row.key, "followchildren") != 0) return "from the command line after --";
    }
    const std::string written = file.ReadText(row.section, row.key, "");
    if (written != file.ReadText(row.section, row.key, "\n")) return "default";
    std::int32_t number;
    switch (row.kind) {
        case Kind::Text:
            if (written.empty() && std::strcmp(row.key, "path") == 0) {
                return "from the file: empty, so the working directory";
            }
            return "from the file";
        case Kind::Integer:
            if (written.empty()) return "default: the value is empty";
            if (!ParseIntegerText(written, number)) return "default: " + Quoted(written) + " is not an integer";
            break;
        case Kind::Flag:
            if (written.empty()) return "default: the value is empty";
            if (written == "0" || written == "1") return "from the file";
            break;
        case Kind::Keyword:
        case Kind::Ratio:
            if (written.empty()) return "from the file: empty";
            break;
    }
    return written == shown ? "from the file" : "from the file, written " + Quoted(written);
}

std::string RejectedValue(const ConfigReader& file, const SettingRow& row) {
    const std::string written = file.ReadText(row.section, row.key, "\n");
    const std::string where = "  (loading stopped here, see below)";
    return (written == "\n" ? std::string("(absent)") : Quoted(written)) + where;
}

}  // namespace

int KeyReachedBy(const std::string& rejection) {
    if (rejection.rfind("Cannot find the configuration file", 0) == 0) return 0;
    for (const ReadingRejection& reading : kReadingRejections) {
        if (rejection.rfind(reading.messageStart, 0) == 0) return reading.key;
    }
    return kSettingCount;
}

std::string ListSettings(const ConfigReader& file, int reached, bool rejectedThere) {
    std::string listing;
    for (int i = -1; i < kSettingCount; ++i) {
        const SettingRow& row = i < 0 ? kLogFileRow : kRows[i];
        std::string line = std::string("  ") + row.section + "->" + row.key;
        line.resize(38, ' ');
        if (i < 0) {
            const std::string shown = row.value();
            line += "= " + shown + "  (" + Source(file, row, shown) + ")";
        } else if (i + 1 > reached) {
            line += "not read: loading stopped at the rejection";
        } else if (i + 1 == reached && rejectedThere) {
            line += "= " + RejectedValue(file, row);
        } else {
            const std::string shown = row.value();
            line += "= " + shown + "  (" + Source(file, row, shown) + ")";
        }
        listing += line + "\n";
    }
    return listing;
}
