#pragma once

#include <cstdint>

// Where a repositioning placement puts the window's top left corner, for the
// desired size on the display. Fixed: WindowX, WindowY from the display's top left
// corner. Centre: the display's half less the window's half, each truncated on its
// own; a coordinate before the display's edge is traced and becomes the edge. Any
// other mode has no position: false.
bool ComputeWindowPosition(std::int32_t& x, std::int32_t& y);
