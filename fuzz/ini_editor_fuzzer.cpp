// The in-place editor over arbitrary files: an edit never crashes, a value it
// accepts is what the launcher's reader then finds, and every other key reads as
// before. The first bytes choose the edit; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "settings/config_reader.h"
#include "setup/ini_editor.h"

namespace {

const char* const kSections[] = {"program", "windowresize", "tweaks", "Program", "a=b"};
const char* const kKeys[] = {"path", "name", "scale", "Scale", "#x"};
const char* const kValues[] = {"", "1", "C:\\Games", "a ; b = c", "x\r\ny", " padded "};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::string section = kSections[data[0] % 5], key = kKeys[data[1] % 5], value = kValues[data[2] % 6];
    const std::string before(reinterpret_cast<const char*>(data) + 4, size - 4);

    IniDocument document(before);
    FUZZ_CHECK(document.Text() == before);
    const bool changed = document.Set(section, key, value);
    if (!changed) FUZZ_CHECK(document.Text() == before);

    const ConfigReader was = ConfigReader::FromContent(before), now = ConfigReader::FromContent(document.Text());
    const std::string kAbsent = "\x01";
    if (changed) FUZZ_CHECK(now.ReadText(section, key, kAbsent) == value);
    for (const char* otherSection : kSections) {
        for (const char* otherKey : kKeys) {
            if (NamesEqual(otherSection, section) && NamesEqual(otherKey, key)) continue;
            FUZZ_CHECK(now.ReadText(otherSection, otherKey, kAbsent) == was.ReadText(otherSection, otherKey, kAbsent));
        }
    }
    return 0;
}
