// The Win32 handle and message types the plug-in passes around. On Windows
// they are the real ones; elsewhere they are opaque stand-ins of the same size.
#pragma once

#include <cstdint>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// Calling convention of a dialog procedure (DLGPROC).
#define ORTOLIX_CALLBACK CALLBACK
#else
struct HWND__;
struct HINSTANCE__;
struct HDC__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HDC = HDC__*;
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using INT_PTR = std::intptr_t;
using LRESULT = std::intptr_t;
using BOOL = int;
using LONG = std::int32_t;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

#define ORTOLIX_CALLBACK
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
#endif
