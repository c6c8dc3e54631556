#include "geometry/placement_plan.h"

#include "geometry/desired_size.h"
#include "geometry/measurement.h"
#include "geometry/window_position.h"
#include "settings/settings.h"

platform::Rect PlanFirstPlacement(const platform::Rect& outer, const platform::Rect& client) {
    RecordWindowMeasurements(outer, client);
    ComputeDesiredWindowSize();
    std::int32_t left = outer.left, top = outer.top;
    ComputeWindowPosition(left, top);
    return {left, top, left + DesiredWidth, top + DesiredHeight};
}
