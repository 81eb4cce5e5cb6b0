// The headless dialog manager's controls for tests and the command: user
// script, records, display settings and the reset. Not available on Windows,
// where the command's window driver (cli/win32_dialog_driver.h) serves the
// script, the records and the reset from real windows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/shown_record.h"
#include "platform/win32/user_script.h"
#include "platform/win32/win32_types.h"

namespace ortolix::headless {

// Desktop rectangle and screen size (GetDeviceCaps HORZRES/VERTRES). They
// differ when several monitors are modelled. Default: (0, 0, 1920, 1080) and
// 1920 x 1080.
void SetDisplay(RECT desktop, int screen_width, int screen_height);

// The window GetFocus reports while no dialog runs (default null: the Host's
// window is not known to the plug-in).
void SetFocusWindow(HWND window);

// Window size in pixels of a dialog of `width` x `height` dialog units:
// dialog units scaled by the base units of an 8-point "MS Sans Serif" (6 x 13
// pixels per 4 x 8 units), plus a 3-pixel frame and a 22-pixel caption.
struct PixelSize {
  int width;
  int height;
};
PixelSize DialogPixelSize(int width, int height);

// Display contexts got with GetDC and not yet released.
std::size_t OpenDeviceContexts();

// Every SetCurrentDirectoryW path, in order, and the last one that named an
// existing directory (empty at first).
const std::vector<std::u16string>& DirectoryRequests();
const std::u16string& CurrentDirectory();

// Clears the script, records, errors, windows, display settings, focus and
// directories. Registered dialog templates stay.
void Reset();

}  // namespace ortolix::headless
