#include "geometry/desired_size.h"

#include "settings/settings.h"

// Placeholder until the scaling methods land: the configured size, cropped.
void ComputeDesiredWindowSize() {
    DesiredWidth = Settings.WindowWidth;
    DesiredHeight = Settings.WindowHeight;
    if (Settings.ClientResize) {
        DesiredWidth += EffectiveBorderWidth;
        DesiredHeight += EffectiveBorderHeight;
    }
    if (DesiredWidth > DisplayWidth) DesiredWidth = DisplayWidth;
    if (DesiredHeight > DisplayHeight) DesiredHeight = DisplayHeight;
}
