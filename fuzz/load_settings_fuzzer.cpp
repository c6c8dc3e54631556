// Settings loading over arbitrary bytes as "framewright.ini" on the simulated
// desktop, under both decimal separators and once with the file held for writing.
// Loading either accepts without a box, rejects with exactly one box, or (only for
// the held file) throws EFOpenError without a box; no handle stays open; and what
// it accepts is what the later steps rely on.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "diagnostics/exceptions.h"
#include "fuzz/check.h"
#include "settings/colour_text.h"
#include "settings/load_settings.h"
#include "settings/pause_key.h"
#include "settings/settings.h"
#include "tests/support/fake_desktop.h"

namespace {

const std::string kConfigPath = "C:\\Games\\framewright.ini";

void CheckAccepted(const rSettings& s) {
    FUZZ_CHECK(!s.ProgramName.empty());
    FUZZ_CHECK(s.ProgramFile == s.ProgramPath + "\\" + s.ProgramName);
    FUZZ_CHECK(s.FirstResizeDelayMs > 0 && s.FirstResizeTimeoutMs > s.FirstResizeDelayMs);
    FUZZ_CHECK(s.WindowWidth > 0 && s.WindowHeight > 0);
    FUZZ_CHECK(s.FindByPid || s.FindByName);
    FUZZ_CHECK(!s.FindByName || !s.NameMask.empty());
    FUZZ_CHECK(s.ScalingMethod == ScalingMethod::Defined || s.Scale >= 1);
    FUZZ_CHECK(std::isfinite(s.AspectRatio));
    FUZZ_CHECK(s.AutodetectBorderSize || (s.BorderWidth >= 0 && s.BorderHeight >= 0));
    PauseKey key;
    FUZZ_CHECK(ParsePauseKey(s.PauseKeyWritten, key) && key.key == s.PauseKey.key &&
               key.modifiers == s.PauseKey.modifiers);
    std::uint32_t rgb = 0;
    FUZZ_CHECK(ParseColourText(s.SurroundColourWritten, rgb) && rgb == s.SurroundColour && rgb <= 0xFFFFFF);
    // The simulated desktop has displays 1 and 2.
    FUZZ_CHECK(s.Display != DisplayChoice::Numbered || s.DisplayNumber == 1 || s.DisplayNumber == 2);
}

void Load(const std::string& content, const char* decimal, const char* thousands, bool heldForWriting) {
    fake::Desktop desktop;
    desktop.localeSeparators(decimal, thousands);
    desktop.file("C:\\Games\\demo.exe", "MZ").file("C:\\Games\\Demo\\demo.exe", "MZ");
    desktop.addDisplay("\\\\.\\DISPLAY2", 1920, 0, 1280, 1024);
    if (heldForWriting) desktop.fileHeldForWriting(kConfigPath, content);
    else desktop.file(kConfigPath, content);
    InitialiseSettings();

    bool accepted = false, threw = false;
    try {
        accepted = LoadSettings();
    } catch (const EFOpenError&) {
        threw = true;
    } catch (const Exception& error) {
        std::fprintf(stderr, "escaped: %s: %s\n", error.ClassName(), error.Message().c_str());
        FUZZ_CHECK(!"only EFOpenError may escape loading");
    }
    FUZZ_CHECK(threw == heldForWriting);
    FUZZ_CHECK(desktop.openHandleCount() == 0);
    FUZZ_CHECK(desktop.boxes().size() == (threw || accepted ? 0u : 1u));
    if (!threw && !accepted) FUZZ_CHECK(desktop.boxes()[0].text.rfind("Invalid settings: ", 0) == 0);
    if (accepted) CheckAccepted(Settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    Load(content, ".", ",", false);
    Load(content, ",", ".", false);
    Load(content, ".", ",", true);
    return 0;
}
