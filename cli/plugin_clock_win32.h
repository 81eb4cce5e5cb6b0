// The command's clock (--epoch, platform/crt/clock.h) for a plug-in DLL: the
// DLL reads the time through its import of the runtime's _time64, so that
// one import is pointed at the command's clock.
#pragma once

#include <windows.h>

namespace ortolix::cli {

// Points `module`'s msvcrt.dll _time64 import at the command's clock.
// Returns false when the module imports no _time64 from msvcrt.dll.
bool RouteClockImport(HMODULE module);

}  // namespace ortolix::cli
