// Costs of the launcher's hot paths on the simulated desktop. Run by scripts/bench.sh,
// never by the tests: timings belong in reports, not in assertions.
#include <benchmark/benchmark.h>

#include <string>

#include "geometry/desired_size.h"
#include "settings/config_reader.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "geometry/discovery.h"
#include "platform/windows.h"
#include "tests/support/fake_desktop.h"

namespace {

// The walk that runs every cycle while the window is unknown: the target is the
// bottom window, so every window is visited. Arguments: window count, find method
// (0 pid only, 1 pid and name, 2 name only).
void WindowWalk(benchmark::State& state) {
    fake::Desktop desktop;
    for (int i = 0; i < state.range(0) - 1; ++i) {
        desktop.addWindow(fake::aWindow().withTitle("Some other program " + std::to_string(i)).ownedBy(8));
    }
    desktop.addWindow(fake::aWindow().withTitle("The Game").ownedBy(42).belowOthers());
    const bool byPid = state.range(1) != 2, byName = state.range(1) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(FindTargetWindow(byPid, 42, byName, "The*"));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(WindowWalk)->ArgsProduct({{100, 1000, 10000}, {0, 1, 2}});

// The baseline the search is measured against: the same walk reading the title and
// the process of every window, whatever the find method needs. Argument: window count.
void WindowWalkTwoCallBaseline(benchmark::State& state) {
    fake::Desktop desktop;
    for (int i = 0; i < state.range(0) - 1; ++i) {
        desktop.addWindow(fake::aWindow().withTitle("Some other program " + std::to_string(i)).ownedBy(8));
    }
    desktop.addWindow(fake::aWindow().withTitle("The Game").ownedBy(42).belowOthers());
    char title[1024];
    for (auto _ : state) {
        platform::WindowHandle found = platform::kNoWindow;
        for (platform::WindowHandle w = platform::FindWindowA(); w != 0; w = platform::GetWindow(w, platform::kGwHwndNext)) {
            platform::GetWindowTextA(w, title, sizeof(title));
            std::uint32_t owner = 0;
            platform::GetWindowThreadProcessId(w, owner);
            if (owner == 42) {
                found = w;
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(WindowWalkTwoCallBaseline)->Arg(100)->Arg(1000)->Arg(10000);

void NameMask(benchmark::State& state) {
    static const char* const masks[] = {"*", "Game", "*Game", "Game*", "*Game*", "G*e"};
    const std::string title = "Some rather long window title of a Game - level 12";
    const char* mask = masks[state.range(0)];
    state.SetLabel(mask);
    for (auto _ : state) benchmark::DoNotOptimize(MatchNameMask(title, mask));
}
BENCHMARK(NameMask)->DenseRange(0, 5);

std::string MegabyteIni() {
    std::string ini;
    for (int section = 0; ini.size() < (1u << 20); ++section) {
        ini += "[section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 20; ++key) ini += "key" + std::to_string(key) + " = some value ; " + std::to_string(key) + "\r\n";
    }
    return ini + "[windowresize]\r\nwindowwidth=800\r\n";
}

void ReadMegabyteIni(benchmark::State& state) {
    const std::string ini = MegabyteIni();
    for (auto _ : state) {
        ConfigReader reader = ConfigReader::FromContent(ini);
        benchmark::DoNotOptimize(reader.ReadInt("windowresize", "windowwidth", 0));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(ini.size()));
}
BENCHMARK(ReadMegabyteIni);

void LoadTypicalSettings(benchmark::State& state) {
    fake::Desktop desktop;
    desktop.workingDirectory("C:\\Launch").program("C:\\Games\\game.exe", fake::aProgram());
    desktop.file("C:\\Launch\\framewright.ini",
                 "[program]\npath=C:\\Games\nname=game.exe\n[windowresize]\nwindowfindmethod=pidonly\n"
                 "firstresizedelayms=100\nfirstresizetimeoutms=5000\nwindowwidth=640\nwindowheight=480\n"
                 "movewindow=centre\nscalingmethod=displayscale\nscale=75\nmaintainaspectratio=1\n"
                 "aspectratio=4:3\nlockwindow=1\n");
    for (auto _ : state) {
        InitialiseSettings();
        benchmark::DoNotOptimize(LoadSettings());
    }
}
BENCHMARK(LoadTypicalSettings);

void DesiredSizeWithFit(benchmark::State& state) {
    fake::Desktop desktop;
    InitialiseSettings();
    Settings.ScalingMethod = ScalingMethod::DisplayScale;
    Settings.Scale = 90;
    Settings.MaintainAspectRatio = true;
    Settings.ClientResize = true;
    DisplayWidth = 1920;
    DisplayHeight = 1080;
    EffectiveBorderWidth = 16;
    EffectiveBorderHeight = 39;
    OriginalClientWidth = 800;
    OriginalClientHeight = 600;
    for (auto _ : state) {
        ComputeDesiredWindowSize();
        benchmark::DoNotOptimize(DesiredWidth);
    }
}
BENCHMARK(DesiredSizeWithFit);

}  // namespace

BENCHMARK_MAIN();
