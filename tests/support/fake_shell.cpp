// The shell on the simulated desktop.
#include "platform/shell.h"
#include "tests/support/fake_desktop.h"

namespace platform {

bool ShellExecuteExW(const std::string& verb, const std::string& file, const std::string& parameters,
                     const std::string& directory) {
    fake::Active().count(fake::Call::ShellExecuteExW);
    return fake::Active().shellExecute({verb, file, parameters, directory});
}

}  // namespace platform
