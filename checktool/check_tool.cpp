#include "checktool/check_tool.h"

#include "diagnostics/error_box.h"
#include "diagnostics/exceptions.h"
#include "checktool/arguments.h"
#include "checktool/launch_plan.h"
#include "checktool/settings_listing.h"
#include "checktool/watch_listing.h"
#include "settings/load_settings.h"
#include "settings/settings.h"

namespace {

std::string Rejection;

CheckResult Report(int exitCode, std::string out) { return {exitCode, std::move(out), ""}; }

CheckResult UsageError(const std::string& error) {
    return {2, "", "framewright-check: " + error + "\n" + kCheckToolUsage + "\n"};
}

// LoadSettings shows exactly one box before it returns false; it is kept to be printed.
bool LoadPrintingRejection() {
    const ErrorBoxCapture capture;
    const bool loaded = LoadSettings();
    Rejection = capture.Text();
    return loaded;
}

}  // namespace

CheckResult RunCheckTool(const std::vector<std::string>& arguments, const WrappedLaunch& launch) {
    CheckOptions options;
    std::string error;
    if (!ParseCheckArguments(arguments, options, error)) return UsageError(error);
    if (options.help) {
        return Report(0, std::string(kCheckToolUsage) +
                             "\nChecks PROFILE.ini, or framewright.ini in the current directory, as the launcher\n"
                             "reads it. After --, PROGRAM [ARGUMENTS] is the launch a store would wrap: it\n"
                             "takes the place of [program], as for the launcher.\n"
                             "Exit code 0: the file is valid; 1: the launcher would reject it; 2: bad arguments.\n"
                             "With --watch, lists the profiles of FOLDER as framewright --watch FOLDER reads\n"
                             "them: the program each one watches, or why it is refused. Exit code 0: some\n"
                             "profile can be watched; 1: none can, or FOLDER is missing or unreadable.\n");
    }
    if (options.watch) {
        if (launch.given) return UsageError("--watch reads a folder's profiles: it takes no program after --");
        return CheckWatchFolder(options.watchFolder);
    }

    InitialiseSettings();
    UseProfile(options.profile);
    UseWrappedLaunch(launch);
    std::string out = "Configuration file: " + Settings.ConfigFileName + "\n";
    try {
        const bool loaded = LoadPrintingRejection();
        const int reached = loaded ? kSettingCount : KeyReachedBy(Rejection);
        if (reached > 0) {
            out += "\nSettings, in the order the launcher reads them:\n" +
                   ListSettings(ConfigReader(Settings.ConfigFileName), reached, !loaded && reached < kSettingCount);
        }
        if (!loaded) return Report(1, out + "\nRejected: " + Rejection + "\n");
    } catch (const Exception& failure) {
        return Report(1, out + "\nRejected: " + failure.ClassName() + ": " + failure.Message() + "\n");
    }
    return Report(0, out + "\nOK\n\n" + DescribeLaunch(options));
}
