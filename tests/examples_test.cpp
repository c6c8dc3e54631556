// Every shipped example is accepted and gives the size and position its comments
// promise, checked with the command line they give.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "checktool/check_tool.h"
#include "settings/config_reader.h"
#include "tests/support/fake_desktop.h"

namespace {

const std::string kCheckLine = "; Check it: framewright-check ";
const std::string kExpectLine = "; Expect: size ";

std::string LineStartingWith(const std::string& text, const std::string& start) {
    std::size_t at = ("\n" + text).find("\n" + start);
    if (at == std::string::npos) return "";
    return text.substr(at + start.size(), text.find('\n', at) - at - start.size());
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

TEST(Examples, AreAcceptedAndGiveTheDocumentedSizeAndPosition) {
    const std::filesystem::path folder = std::filesystem::path(FRAMEWRIGHT_SOURCE_DIR) / "examples";
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".ini") continue;
        const std::string name = entry.path().filename().string();
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const std::string arguments = LineStartingWith(content, kCheckLine);
        const std::string expected = LineStartingWith(content, kExpectLine);
        ASSERT_FALSE(arguments.empty()) << name << " has no \"" << kCheckLine << "\" line";
        ASSERT_FALSE(expected.empty()) << name << " has no \"" << kExpectLine << "\" line";

        fake::Desktop desktop;
        const ConfigReader config = ConfigReader::FromContent(content);
        desktop.file(config.ReadText("program", "path", "C:\\Games") + "\\" + config.ReadText("program", "name", ""),
                     "MZ");
        desktop.file("C:\\Games\\framewright.ini", content);
        const CheckResult result = RunCheckTool(Words(arguments));

        EXPECT_EQ(result.exitCode, 0) << name << "\n" << result.out << result.err;
        const std::string size = expected.substr(0, expected.find(','));
        const std::string position = expected.substr(expected.find("position ") + 9);
        EXPECT_EQ(LineStartingWith(result.out, "  size       "), size) << name << "\n" << result.out;
        EXPECT_EQ(LineStartingWith(result.out, "  position   ").rfind(position + " (", 0), 0u)
            << name << ": expected position " << position << "\n" << result.out;
        ++checked;
    }
    EXPECT_GE(checked, 5);
}

}  // namespace
