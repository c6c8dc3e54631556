// The simulated desktop's registry of the current user.
#include <cctype>

#include "tests/support/fake_desktop.h"

namespace fake {
namespace {

std::string RegistryKey(const std::string& key, const std::string& name) {
    std::string joined = key + '\\' + name;
    for (char& c : joined) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return joined;
}

}  // namespace

std::string Desktop::registryValue(const std::string& key, const std::string& name) const {
    auto found = registry_.find(RegistryKey(key, name));
    return found == registry_.end() ? std::string() : found->second;
}

Desktop& Desktop::setRegistryValue(const std::string& key, const std::string& name, const std::string& text) {
    registry_[RegistryKey(key, name)] = text;
    return *this;
}

bool Desktop::deleteRegistryValue(const std::string& key, const std::string& name) {
    registry_.erase(RegistryKey(key, name));
    return true;
}

}  // namespace fake
