#include <gtest/gtest.h>

#include <string>

#include "diagnostics/exceptions.h"
#include "settings/config_reader.h"
#include "tests/support/fake_desktop.h"

namespace {

using namespace std::string_literals;

const std::string kAbsent = "<absent>";

struct Lookup {
    const char* label;
    std::string content;
    std::string section;
    std::string key;
    std::string expected;  // kAbsent when the default comes back
};

TEST(ConfigReader, FollowsTheDialect) {
    const Lookup rows[] = {
        {"plain", "[program]\nname=demo.exe", "program", "name", "demo.exe"},
        {"byte-order mark", "\xEF\xBB\xBF[program]\nname=a", "program", "name", "a"},
        {"mark on second line", "\n\xEF\xBB\xBF[program]\nname=a", "program", "name", kAbsent},
        {"CR LF", "[s]\r\nk=v\r\nj=w\r\n", "s", "j", "w"},
        {"CR", "[s]\rk=v\rj=w", "s", "j", "w"},
        {"LF CR", "[s]\n\rk=v\n\rj=w\n\r", "s", "j", "w"},
        {"section case", "[PROGRAM]\nname=a", "program", "name", "a"},
        {"key case", "[s]\nNaMe=a", "s", "NAME", "a"},
        {"blanks around header", " \t[program]\t \nname=a", "program", "name", "a"},
        {"blanks inside brackets", "[ program ]\nname=a", "program", "name", kAbsent},
        {"blanks inside brackets kept", "[ program ]\nname=a", " program ", "name", "a"},
        {"trimmed key and value", "[p]\n  path =  C:\\Games \t", "p", "path", "C:\\Games"},
        {"quotes kept", "[p]\nname=\"a b\"", "p", "name", "\"a b\""},
        {"no end-of-line comment", "[w]\nnamemask = Game ; main window", "w", "namemask", "Game ; main window"},
        {"split at first =", "[w]\nwidth=800=x", "w", "width", "800=x"},
        {"trailing backslash", "[p]\npath=C:\\\nname=a", "p", "name", "a"},
        {"space inside key", "[w]\nwindow width=800", "w", "windowwidth", kAbsent},
        {"first key wins", "[w]\nk=800\nk=640", "w", "k", "800"},
        {"first section only", "[w]\na=1\n[w]\nb=2", "w", "b", kAbsent},
        {"keys before any header", "k=1\n[s]\nj=2", "s", "k", kAbsent},
        {"header with trailing text", "[s]\n[t] ; note\nk=1", "s", "k", "1"},
        {"header with trailing text names nothing", "[s]\n[t] ; note\nk=1", "t", "k", kAbsent},
        {"header tested first", "[a=b]\nk=1", "a=b", "k", "1"},
        {"hash is no comment", "[w]\n#k=5", "w", "#k", "5"},
        {"semicolon line is a comment", "[w]\n;k=5", "w", "k", kAbsent},
        {"empty key ignored", "[w]\n=5\nk=6", "w", "k", "6"},
        {"line without =", "[w]\nk\nk=6", "w", "k", "6"},
        {"empty value", "[p]\nname=", "p", "name", ""},
        {"NUL inside value", "[p]\nname=a\0b"s, "p", "name", "a\0b"s},
        {"NUL trimmed at end", "[p]\nname=ab\0"s, "p", "name", "ab"},
        {"non-ASCII key, same bytes", "[s]\nW\xC4rme=1", "s", "w\xC4rme", "1"},
        {"non-ASCII bytes never fold", "[s]\nW\xC4rme=1", "s", "w\xE4rme", kAbsent},
        {"empty header names nothing", "[]\nk=1", "", "k", kAbsent},
        {"empty header ends previous section", "[s]\n[]\nk=1", "s", "k", kAbsent},
        {"section name starting with ;", "[;s]\nk=1", ";s", "k", kAbsent},
        {"empty key name", "[s]\nk=1", "s", "", kAbsent},
        {"lookup names are not trimmed", "[s]\nk=1", "s ", "k", kAbsent},
        {"UTF-16", "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0"s, "s", "k", kAbsent},
        {"empty file", "", "s", "k", kAbsent},
    };
    for (const Lookup& row : rows) {
        const ConfigReader reader = ConfigReader::FromContent(row.content);
        EXPECT_EQ(reader.ReadText(row.section, row.key, kAbsent), row.expected) << row.label;
    }
}

TEST(ConfigReader, KeepsRepeatedSectionsInFileOrderWithoutCommentsOrEmptyKeys) {
    const ConfigReader reader = ConfigReader::FromContent("[w]\na=1\n;c=0\n=z\n[t]\n[W]\nb=2\nb=3");
    ASSERT_EQ(reader.Sections().size(), 3u);
    EXPECT_EQ(reader.Sections()[0].Entries.size(), 1u);
    EXPECT_EQ(reader.Sections()[2].Name, "W");
    ASSERT_EQ(reader.Sections()[2].Entries.size(), 2u);
    EXPECT_EQ(reader.Sections()[2].Entries[1].Value, "3");
}

struct Conversion {
    const char* label;
    std::string line;  // in section [s], key k; empty for an absent key
    std::int32_t readInt;
    bool readFlag;
};

TEST(ConfigReader, ConvertsValuesWithTheDefaultForAbsentAndEmpty) {
    // Defaults: 77 and true, so a default is told apart from a read value.
    const Conversion rows[] = {
        {"absent", "", 77, true},
        {"empty", "k=", 77, true},
        {"decimal", "k=800", 800, false},
        {"hex after trim", "k= 0x320", 800, false},
        {"not an integer", "k=800=x", 77, false},
        {"flag 1", "k=1", 1, true},
        {"flag 10", "k=10", 10, true},
        {"flag 1abc", "k=1abc", 77, true},
        {"flag true", "k=true", 77, false},
        {"flag yes", "k=yes", 77, false},
        {"flag -1", "k=-1", -1, false},
    };
    for (const Conversion& row : rows) {
        const ConfigReader reader = ConfigReader::FromContent("[s]\n" + row.line);
        EXPECT_EQ(reader.ReadInt("s", "k", 77), row.readInt) << row.label;
        EXPECT_EQ(reader.ReadFlag("s", "k", true), row.readFlag) << row.label;
    }
}

class ConfigReaderFile : public ::testing::Test {
protected:
    fake::Desktop desktop;
    const std::string path = "C:\\Games\\framewright.ini";
};

TEST_F(ConfigReaderFile, OpensForSharedReadingAndClosesAfterReadingAll) {
    // Larger than any one read, so the reader must loop to the end.
    desktop.file(path, "[s]\n" + std::string(100000, ';') + "\nk=last");
    const ConfigReader reader(path);
    EXPECT_EQ(reader.ReadText("s", "k", ""), "last");
    ASSERT_EQ(desktop.fileOpens().size(), 1u);
    const fake::FileOpenRecord& open = desktop.fileOpens()[0];
    EXPECT_EQ(open.path, path);
    EXPECT_EQ(open.access, 0x80000000u);  // GENERIC_READ
    EXPECT_EQ(open.shareMode, 0x1u);      // FILE_SHARE_READ
    EXPECT_EQ(open.disposition, 3u);      // OPEN_EXISTING
    EXPECT_EQ(open.flags, 0x80u);         // FILE_ATTRIBUTE_NORMAL
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

TEST_F(ConfigReaderFile, IsEmptyWithoutOpeningWhenNoFileIsThere) {
    desktop.directory("C:\\Games\\framewright.ini");
    for (const std::string& missing : {path, std::string("C:\\Games\\other.ini")}) {
        const ConfigReader reader(missing);
        EXPECT_TRUE(reader.Sections().empty()) << missing;
    }
    EXPECT_EQ(desktop.calls(fake::Call::CreateFileW), 0u);
}

TEST_F(ConfigReaderFile, RaisesTheOpenErrorForAFileHeldForWriting) {
    desktop.fileHeldForWriting(path, "[s]\nk=1");
    try {
        ConfigReader reader(path);
        FAIL() << "no exception";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), "Unable to open file \"C:\\Games\\framewright.ini\"");
    }
    EXPECT_EQ(desktop.openHandleCount(), 0);
}

}  // namespace
