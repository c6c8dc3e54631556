// The profile being edited: the settings layer between the setup program's pages
// and the file. It keeps the file's text as opened and the values the pages have
// set; saving edits the opened text only where a value reads differently to the
// launcher from the file's (a keyword in another case reads the same), so every
// other byte, and the line of every key set back to its value, stays as it was.
#pragma once

#include <string>
#include <vector>

#include "platform/setup_window.h"
#include "setup/ini_editor.h"

class Profile {
public:
    // A new profile with the three sections and no keys, to be saved at path
    // (empty: a name is asked for first).
    void New(const std::string& path);
    // Reads the file. False with a reason, and the profile unchanged, when it is
    // missing, cannot be read, or is UTF-16 text (the launcher could not read it).
    bool Open(const std::string& path, std::string& error);
    // Writes only when something changed or the file does not exist yet, and only
    // when the file is still what was opened (ChangedElsewhere otherwise). The text
    // goes to a temporary file in the same folder that then takes the file's place,
    // so a failure leaves the file as it was.
    platform::SaveOutcome Save(std::string& error);
    // Writes whatever the file holds now.
    platform::SaveOutcome Overwrite(std::string& error);
    // Another file is written whatever it holds (the user has agreed to replace
    // it); the profile's own file, under any of its names, is saved as by Save.
    platform::SaveOutcome SaveAs(const std::string& path, std::string& error);
    // Takes the file as it is now. Values set here that differ from the file as it
    // was opened stay on top of it; the others give way to the file's.
    bool Reload(std::string& error);

    const std::string& Path() const { return path_; }
    // The text a save would write.
    const std::string& Text() const { return document_.Text(); }
    bool IsDirty() const { return document_.Text() != opened_; }

    // The key's value as the profile has it now; empty when the key is absent.
    std::string Value(const std::string& section, const std::string& key) const;
    // The flag as the launcher reads it, with the launcher's default when absent.
    bool Flag(const std::string& section, const std::string& key, bool launcherDefault) const;
    // Blanks at either end are dropped, as the reader drops them; an empty value
    // is an absent key to the launcher. False when the value cannot be written (a
    // line break in it).
    bool SetValue(const std::string& section, const std::string& key, const std::string& value);
    // A flag set back to what the file as opened says keeps that value as written.
    void SetFlag(const std::string& section, const std::string& key, bool value, bool launcherDefault);

private:
    struct Pending {
        std::string section, key, value;
    };
    // The opened text with every pending value that differs from it.
    void Rebuild();
    // Writes the text at path, which is then the profile's file as opened.
    platform::SaveOutcome Written(const std::string& path, std::string& error);

    std::string path_;
    std::string opened_;  // the file's text as read or last written
    bool onDisk_ = false;  // the file existed then
    std::vector<Pending> pending_;
    IniDocument document_;
};
