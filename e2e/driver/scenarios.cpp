// The end-to-end scenarios. Every launcher run costs about a minute here (the
// launcher is a 32-bit program), so each case makes several checks on one run.
#include "harness.h"

namespace {

const DWORD kLauncherEndsMs = 400000;  // start-up of a 32-bit launcher, with a box or two
const char* const kLoadFailed = "Failed to load settings; please check the configuration file.";

void MissingConfig(Checker& c, const Env& env) {
    LauncherRun run(env, "missing-config");
    if (!run.Start(c)) return;
    run.Finish(c, kLauncherEndsMs);
    run.ExpectBoxes(c, {"Cannot find the configuration file: " + run.FolderA() + "\\framewright.ini", kLoadFailed});
}

}  // namespace

std::vector<Scenario> AllScenarios() {
    return {
        {"missing_config", {{"no framewright.ini", MissingConfig}}},
    };
}
