// Centring a dialog over the desktop window, clamped to the screen, as both
// option dialogs do when they open.
#pragma once

#include "platform/win32/win32.h"

namespace ortolix {

// The left (or top) edge of an extent `extent` centred over a desktop span
// starting at `desktop_start` of `desktop_extent` (integer division), then
// moved to 0 if negative, or to `screen_extent` - `extent` if it would reach
// past the screen.
int CentredEdge(int desktop_start, int desktop_extent, int extent, int screen_extent);

// Moves `dialog` to the centred position without changing its size or
// z-order. The screen size is the resolution (HORZRES, VERTRES) of the
// dialog's display context. Returns SetWindowPos's result, or 0 when a
// rectangle or the display context cannot be had.
BOOL CentreOverDesktop(HWND dialog);

}  // namespace ortolix
