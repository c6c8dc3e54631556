#pragma once

// Starts the configured program and supervises it until it ends: finds its window,
// gives it its first placement after the configured delay (or gives up at the
// time-out), and keeps it locked when asked.
void RunTargetProgram();

// True exactly when no target window is known.
bool NeedToFindWindow();

// Re-applies the placement when the window's size, or with checkPosition its
// position too, differs from what was applied last, or when a window that is to be
// borderless shows its frame again. Returns the placement's result,
// or false when nothing differed.
bool CheckWindowLock(bool checkPosition);
