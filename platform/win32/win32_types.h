// The Win32 handle and message types the plug-in passes around. On Windows
// they are the real ones; elsewhere they are opaque stand-ins of the same size.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
struct HWND__;
struct HINSTANCE__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using INT_PTR = std::intptr_t;
using LRESULT = std::intptr_t;
using BOOL = int;
#endif
