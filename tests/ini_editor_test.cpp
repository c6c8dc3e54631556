// The in-place editor: every byte it does not mean to change stays, and the
// launcher's reader finds each edit where the editor put it.
#include <gtest/gtest.h>

#include <string>

#include "settings/config_reader.h"
#include "setup/ini_editor.h"

namespace {

// Comments, odd spacing, mixed line ends, a key before any header, a header with
// trailing text (not a header), a repeated section, unknown keys, no final line end.
const std::string kMessy =
    "\xEF\xBB\xBF; my game\r\n"
    "stray=1\n"
    "[Program]\r\n"
    "  Path =  C:\\Games\\Demo  \r\n"
    "name=demo.exe\r\n"
    "mystery = keep me\r\n"
    "\r\n"
    "[windowresize]   \n"
    "; sizes\n"
    "Scale\t=\t0050\n"
    "scale=75\n"
    "[tweaks] ; not a header\r"
    "windowwidth=640\r"
    "\r"
    "[windowresize]\r\n"
    "scale=999\r\n"
    "lockwindow=1";

TEST(IniEditorTest, UntouchedAndUnchangedFilesStayByteForByte) {
    IniDocument document(kMessy);
    EXPECT_EQ(document.Text(), kMessy);
    EXPECT_TRUE(document.Set("windowresize", "scale", "0050"));
    EXPECT_TRUE(document.Set("PROGRAM", "path", "C:\\Games\\Demo"));
    EXPECT_EQ(document.Text(), kMessy);
}

struct EditCase {
    const char* label;
    std::string before;
    void (*edit)(IniDocument&);
    std::string after;
};

class IniEditorEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(IniEditorEditTest, ChangesOnlyWhatItMeans) {
    IniDocument document(GetParam().before);
    GetParam().edit(document);
    EXPECT_EQ(document.Text(), GetParam().after) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Edits, IniEditorEditTest,
    ::testing::Values(
        EditCase{"a value replaced inside its spacing, the first line of the key only",
                 kMessy, [](IniDocument& d) { d.Set("windowresize", "scale", "150"); },
                 std::string(kMessy).replace(kMessy.find("0050"), 4, "150")},
        EditCase{"a new key after the section's last key line, before its blank line",
                 "[program]\nname=a.exe\n\n[tweaks]\n",
                 [](IniDocument& d) { d.Set("program", "parameters", "-w"); },
                 "[program]\nname=a.exe\nparameters=-w\r\n\n[tweaks]\n"},
        EditCase{"a key after a header that ends the file",
                 "[tweaks]", [](IniDocument& d) { d.Set("tweaks", "borderwidth", "8"); },
                 "[tweaks]\r\nborderwidth=8\r\n"},
        EditCase{"a key line after a false header belongs to the section before it",
                 kMessy, [](IniDocument& d) { d.Set("windowresize", "lockwindow", "1"); },
                 std::string(kMessy).insert(kMessy.find("\r\r[windowresize]") + 1, "lockwindow=1\r\n")},
        EditCase{"a new section at the end, after a blank line",
                 "[program]\r\nname=a.exe", [](IniDocument& d) { d.Set("tweaks", "borderwidth", "8"); },
                 "[program]\r\nname=a.exe\r\n\r\n[tweaks]\r\nborderwidth=8\r\n"},
        EditCase{"a new section in an empty file",
                 "", [](IniDocument& d) { d.Set("program", "name", "a.exe"); }, "[program]\r\nname=a.exe\r\n"},
        EditCase{"an emptied key keeps its line, empty, where the reader takes it; its duplicates stay",
                 kMessy, [](IniDocument& d) { d.Set("windowresize", "SCALE", ""); },
                 std::string(kMessy).erase(kMessy.find("0050"), 4)},
        EditCase{"values that would not read back as written are refused",
                 "[a]\nk=1\n",
                 [](IniDocument& d) {
                     EXPECT_FALSE(d.Set("a", "k", "1\r\n[program]"));
                     EXPECT_FALSE(d.Set("a", "k", " 1"));
                     EXPECT_FALSE(d.Set("a", "=k", "1"));
                     EXPECT_FALSE(d.Set(";a", "k", "1"));
                 },
                 "[a]\nk=1\n"}));

TEST(IniEditorTest, TheLaunchersReaderFindsEveryEdit) {
    IniDocument document(kMessy);
    document.Set("windowresize", "scale", "150");
    document.Set("windowresize", "scalingmethod", "windowscale");
    document.Set("tweaks", "autodetectbordersize", "0");
    document.Set("program", "name", "other.exe");
    const ConfigReader reader = ConfigReader::FromContent(document.Text());
    EXPECT_EQ(reader.ReadInt("windowresize", "scale", 0), 150);
    EXPECT_EQ(reader.ReadText("windowresize", "scalingmethod", ""), "windowscale");
    EXPECT_FALSE(reader.ReadFlag("tweaks", "autodetectbordersize", true));
    EXPECT_EQ(reader.ReadText("program", "name", ""), "other.exe");
    EXPECT_EQ(reader.ReadText("program", "mystery", ""), "keep me");
    std::string value;
    EXPECT_TRUE(document.Find("windowresize", "scale", value));
    EXPECT_EQ(value, "150");
    EXPECT_TRUE(document.Find("windowresize", "windowwidth", value)) << "a false header leaves it in windowresize";
    EXPECT_EQ(value, "640");
}

}  // namespace
