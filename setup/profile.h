// The profile being edited: the settings layer between the setup program's pages
// and the file. Pages get and set a key's text here; the file is read and written
// only by Open and Save, in place and whole.
#pragma once

#include <string>

#include "setup/ini_editor.h"

class Profile {
public:
    // A new profile with the three sections and no keys, to be saved at path
    // (empty: a name is asked for first).
    void New(const std::string& path);
    // Reads the file. False with a reason, and the profile unchanged, when it is
    // missing, cannot be read, or is not 8-bit text (the launcher could not read it).
    bool Open(const std::string& path, std::string& error);
    // Writes the text to a temporary file in the same folder and puts it in the
    // file's place, so a failure leaves the file as it was. False with the reason.
    bool Save(std::string& error);
    bool SaveAs(const std::string& path, std::string& error);

    const std::string& Path() const { return path_; }
    const std::string& Text() const { return document_.Text(); }
    bool IsDirty() const { return document_.Text() != saved_; }

    // The key's value as written; empty when the key is absent.
    std::string Value(const std::string& section, const std::string& key) const;
    // The flag as the launcher reads it, with the launcher's default when absent.
    bool Flag(const std::string& section, const std::string& key, bool launcherDefault) const;
    // Blanks at either end are dropped, as the reader drops them. An empty value
    // removes the key: the launcher reads both alike. False when the value cannot
    // be written (a line break in it).
    bool SetValue(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string path_;
    IniDocument document_;
    std::string saved_;  // the file's text as last read or written
};
