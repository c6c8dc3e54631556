// The programs the watch sees: a window's process looked at once (its image read and
// kept until it ends), matched against the usable, active profiles of an unpaused
// watch, and a supervision started for each match.
#pragma once

#include "platform/windows.h"

// A window the creation hook told of, or the walk came upon.
void SeeWindow(platform::WindowHandle window);
// The walk over every top-level window, the safety net for programs already running
// and events lost; processes that have ended are forgotten.
void WalkWindows();
// Each process not yet matched against the profiles as they are now is matched; a
// process another Framewright supervises is left alone.
void MatchProcesses();
// Forgets every process, closing their handles.
void ForgetProcesses();
