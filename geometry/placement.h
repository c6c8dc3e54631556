#pragma once

// Gives the target window its desired size and, when reposition is true, the
// configured position, after taking its frame off when tweaks->borderless asks;
// records what was applied for the window lock. A placement
// the system refuses sets TargetWindow to the not-found value and returns false.
bool MoveAndResizeWindow(bool reposition);

// MoveAndResizeWindow followed by the "New window position" trace line.
bool ApplyWindowPlacement(bool reposition);
