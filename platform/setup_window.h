// The setup program's window, and what it asks of the profile behind it.
//
// The window (platform/win32/setup) only shows and collects: every value goes
// through SetupModel, which the setup program implements on its settings layer and
// the launcher's own rules. So the pages never touch the file.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

constexpr const char* kSetupCaption = "Framewright Setup";

// What the preview draws and writes beside the drawing.
struct PreviewPicture {
    bool placed = false;  // false: `message` says why there is no rectangle
    std::string message;
    // The display the settings choose (virtual-screen coordinates; empty when the
    // settings are rejected), and what it is.
    Rect display;
    std::string displayText;
    Rect window;  // after the first resize, in virtual-screen coordinates
    std::string windowText, clientText;
    Rect client;  // the client area inside `window`
    // The rest of the display covered in one colour, 0xRRGGBB.
    bool surround = false;
    std::uint32_t surroundColour = 0;
};

// The watch as the setup window shows it beside "Watch this folder".
struct WatchPicture {
    bool canWatch = false;  // false: the profile has no file yet, and `line` says so
    // Whether a watch runs, on which folder, and whether it matches this profile
    // (if not, why); lines end in "\r\n".
    std::string line;
    // The system starts this watch at logon: the launcher beside the setup program
    // on this profile's folder.
    bool startsWithWindows = false;
};

// What a save, or Run (which saves first when something changed), came to.
// ChangedElsewhere: nothing was written or started, because another program
// changed, made or removed the file since it was opened here; the window asks
// whether to reload it, overwrite it, or leave it.
enum class SaveOutcome { Done, Failed, ChangedElsewhere };

class SetupModel {
public:
    virtual ~SetupModel() = default;
    // Empty for a new profile that has no file yet.
    virtual std::string ProfilePath() const = 0;
    virtual bool IsDirty() const = 0;
    // The key's value as written; empty when absent.
    virtual std::string Value(const char* section, const char* key) const = 0;
    // The flag as the launcher reads it; `launcherDefault` when absent.
    virtual bool Flag(const char* section, const char* key, bool launcherDefault) const = 0;
    // A drop-down's choices that depend on the system, each a value, then ": " and
    // what it stands for; empty for keys whose words are fixed.
    virtual std::vector<std::string> Choices(const char* section, const char* key) const = 0;
    // Whether the key matters under the methods chosen now.
    virtual bool Applies(const char* section, const char* key) const = 0;
    // What the launcher's own parser makes of a value written by rules of its own
    // (the pause key, the surround's colour), shown beside its field; empty when
    // there is nothing to say.
    virtual std::string Reading(const char* section, const char* key) const = 0;
    // A field's value once the user is done with it. The file is written only by
    // saving, and then only the lines of keys whose value differs from the file's.
    virtual bool SetValue(const char* section, const char* key, const std::string& value) = 0;
    virtual void SetFlag(const char* section, const char* key, bool value, bool launcherDefault) = 0;
    // The program chosen by its file: program->path gets its folder, program->name
    // its file name.
    virtual void SetProgramFile(const std::string& file) = 0;
    // The last part of a path, cut as the launcher cuts paths.
    virtual std::string FileNameOf(const std::string& path) const = 0;
    // Gives windowresize->namemask a mask that the launcher's matcher matches to
    // this window title. False with the reason when no mask the file can hold does.
    virtual bool SetNameMask(const std::string& title, std::string& error) = 0;
    virtual void New() = 0;
    virtual bool Open(const std::string& path, std::string& error) = 0;
    // Writes only when something changed, and only over the file as it was opened.
    virtual SaveOutcome Save(std::string& error) = 0;
    // Saves over whatever the file holds now.
    virtual SaveOutcome Overwrite(std::string& error) = 0;
    // Takes the file as it is now; the values changed here stay on top of it, unsaved.
    virtual bool Reload(std::string& error) = 0;
    virtual SaveOutcome SaveAs(const std::string& path, std::string& error) = 0;
    // Saves as Save does, then starts the launcher on the profile.
    virtual SaveOutcome Run(std::string& error) = 0;
    // Saves as Save does, then puts on the clipboard, owned by the window, the
    // launch options that start the launcher on the profile from a store.
    virtual SaveOutcome CopyLaunchOptions(WindowHandle owner, std::string& error) = 0;
    // For a window with these rectangles (an empty outer one: none known).
    virtual PreviewPicture Preview(const Rect& outer, const Rect& client) = 0;
    // Looks at the running watch and reads the profile as saved, now.
    virtual WatchPicture Watch() = 0;
    // Saves as Save does, then starts the launcher's watch on the profile's folder
    // (which hands the folder to a watch already running) without waiting for it.
    virtual SaveOutcome WatchFolder(std::string& error) = 0;
    // Has the system start this watch at logon, or no longer. False with the reason.
    virtual bool StartWithWindows(bool on, std::string& error) = 0;
};

// Shows the setup window until the user closes it. Returns the exit code.
int RunSetupWindow(SetupModel& model);

}  // namespace platform
