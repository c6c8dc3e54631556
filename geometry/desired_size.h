#pragma once

// Computes DesiredWidth x DesiredHeight, the outer size the target window is to
// take, from the settings and the latest measurements. Raises EDivByZero,
// EInvalidOp or EOverflow rather than produce an infinity or a not-a-number.
void ComputeDesiredWindowSize();
