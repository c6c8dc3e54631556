#include "settings/load_settings.h"

// Placeholder until the configuration reader lands.
bool LoadSettings() { return false; }
