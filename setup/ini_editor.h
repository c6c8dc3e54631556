// A configuration file edited in place, as `git config` edits its file: a change
// touches only the line of its key, and every other byte (comments, blank lines,
// unknown keys, key order, the case of names, line ends) stays as it stood.
//
// Which line holds a key follows the launcher's reader exactly: the first section
// of the name, and in it the first line of the key. New lines end in CR LF.
#pragma once

#include <string>

class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string content) : text_(std::move(content)) {}

    const std::string& Text() const { return text_; }

    // True with the value, as the launcher's reader would take it, when the key is
    // present (its value may be empty).
    bool Find(const std::string& section, const std::string& key, std::string& value) const;

    // Gives the key this value. A present key has its value replaced on the line
    // the reader takes, its other lines left alone; a missing key is added after the
    // last key line of its section; a missing section is added at the end of the
    // file. An empty value leaves the key's line with nothing after its "=", which
    // the launcher reads as absent, so the line keeps its place beside its comment. False, and nothing changed, for a
    // value that would not read back as written (a line break, or blanks at either
    // end) or a name the reader could not find.
    bool Set(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string text_;
};
