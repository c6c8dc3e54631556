// framewright-check: a console tool that prints how the launcher reads the
// configuration in the current directory. Arguments: see kCheckToolUsage.
#include <cstdio>

#include "checktool/check_tool.h"

int main(int argc, char** argv) {
    CheckResult result = RunCheckTool(std::vector<std::string>(argv + 1, argv + argc));
    std::fputs(result.out.c_str(), stdout);
    std::fputs(result.err.c_str(), stderr);
    return result.exitCode;
}
