// A picture of a window as it stands on the screen, saved as a PNG.
#pragma once

#include <windows.h>

#include <string>

namespace ortolix::cli {

// Repaints `window` with its children, copies its frame and client area and
// writes them to `path` as an 8-bit RGB PNG. Returns false, with the reason
// in `error`, when the copy or the file fails.
bool SaveWindowPicture(HWND window, const std::string& path, std::string& error);

}  // namespace ortolix::cli
