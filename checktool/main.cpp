// framewright-check: a console tool that prints how the launcher reads the
// configuration in the current directory. Arguments: see kCheckToolUsage.
#include <cstdio>

#include "checktool/check_tool.h"
#include "platform/processes.h"
#include "settings/command_line.h"

int main() {
    // Split as the launcher splits its own, so a profile and a launch read alike in both.
    const LauncherArguments arguments = SplitLauncherCommandLine(platform::GetCommandLineA(), AnsiLeadBytes());
    CheckResult result =
        RunCheckTool(std::vector<std::string>(arguments.own.begin() + 1, arguments.own.end()), arguments.launch);
    std::fputs(result.out.c_str(), stdout);
    std::fputs(result.err.c_str(), stderr);
    return result.exitCode;
}
