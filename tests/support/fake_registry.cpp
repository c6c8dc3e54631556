// The current user's registry on the simulated desktop.
#include "platform/registry.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

bool ReadUserRegistryText(const std::string& keyPath, const std::string& valueName, std::string& text) {
    Active().count(Call::ReadUserRegistryText);
    text = Active().registryValue(keyPath, valueName);
    return !text.empty();
}

bool WriteUserRegistryText(const std::string& keyPath, const std::string& valueName, const std::string& text) {
    Active().count(Call::WriteUserRegistryText);
    Active().setRegistryValue(keyPath, valueName, text);
    return true;
}

bool DeleteUserRegistryValue(const std::string& keyPath, const std::string& valueName) {
    Active().count(Call::DeleteUserRegistryValue);
    return Active().deleteRegistryValue(keyPath, valueName);
}

}  // namespace platform
