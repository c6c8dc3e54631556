// The pause key parser over arbitrary text: a combination it takes is written back
// in a spelling it takes again as the same combination; a key typed in every
// program never comes without a modifier; a refused text leaves the key as it was.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/check.h"
#include "settings/pause_key.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PauseKey key{0xDEAD, 0xBEEF};
    if (!ParsePauseKey(text, key)) {
        FUZZ_CHECK(key.modifiers == 0xDEAD && key.key == 0xBEEF);
        return 0;
    }
    FUZZ_CHECK((key.modifiers & ~0xFu) == 0);
    if (key.key == 0) {
        FUZZ_CHECK(key.modifiers == 0 && PauseKeyText(key).empty());
        return 0;
    }
    const bool typed = key.key == 0x20 || (key.key >= '0' && key.key <= '9') || (key.key >= 'A' && key.key <= 'Z');
    FUZZ_CHECK(!typed || key.modifiers != 0);
    PauseKey again;
    FUZZ_CHECK(ParsePauseKey(PauseKeyText(key), again));
    FUZZ_CHECK(again.modifiers == key.modifiers && again.key == key.key);
    return 0;
}
