// The Win32 calls the plug-in makes for its dialogs, message boxes and the
// current directory, under their Win32 names in namespace ortolix.
//
// On Windows each name is the real USER32/GDI32/KERNEL32 call; the calls that
// take text are thin inline wrappers that accept WideChar (char16_t) text and
// pass it on as wchar_t. Elsewhere the calls are served by the headless dialog
// manager (platform/win32/headless.h): dialogs are built from the templates
// registered with RegisterDialogTemplate (dialog_template.h), played from the
// installed user script, and everything shown is recorded.
//
// Usage from plug-in code (inside namespace ortolix):
//   INT_PTR r = DialogBoxParamW(instance, 102, owner, &ExportDialogProc, 0);
//   MessageBoxW(GetFocus(), u"Failed to triangulate geometry.\t", u"Error",
//               MB_OK | MB_ICONERROR);
// Pass u"" rather than nullptr for a text: on Windows a null pointer would
// match the real call as well as the wrapper.
#pragma once

#include "platform/crt/wide_char.h"
#include "platform/win32/win32_types.h"

#ifndef _WIN32
// Messages, notifications and flags, with the values Win32 gives them.
#ifndef TRUE
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
#endif

inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;

inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;
inline constexpr int BST_INDETERMINATE = 2;
inline constexpr int BN_CLICKED = 0;

inline constexpr int EN_CHANGE = 0x0300;
inline constexpr int EN_UPDATE = 0x0400;

inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_SETCURSEL = 0x014E;
inline constexpr int CB_OKAY = 0;
inline constexpr int CB_ERR = -1;
inline constexpr int CBN_SELCHANGE = 1;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDTRYAGAIN = 10;
inline constexpr int IDCONTINUE = 11;

inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
inline constexpr UINT MB_YESNOCANCEL = 0x0003;
inline constexpr UINT MB_YESNO = 0x0004;
inline constexpr UINT MB_RETRYCANCEL = 0x0005;
inline constexpr UINT MB_CANCELTRYCONTINUE = 0x0006;
inline constexpr UINT MB_TYPEMASK = 0x000F;
inline constexpr UINT MB_ICONERROR = 0x0010;
inline constexpr UINT MB_ICONHAND = 0x0010;
inline constexpr UINT MB_ICONQUESTION = 0x0020;
inline constexpr UINT MB_ICONWARNING = 0x0030;
inline constexpr UINT MB_ICONEXCLAMATION = 0x0030;
inline constexpr UINT MB_ICONINFORMATION = 0x0040;
inline constexpr UINT MB_ICONASTERISK = 0x0040;
inline constexpr UINT MB_ICONMASK = 0x00F0;
inline constexpr UINT MB_DEFBUTTON1 = 0x0000;
inline constexpr UINT MB_DEFBUTTON2 = 0x0100;
inline constexpr UINT MB_DEFBUTTON3 = 0x0200;
inline constexpr UINT MB_DEFMASK = 0x0F00;

inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;

inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;

constexpr std::uint16_t LOWORD(std::uintptr_t value) {
  return static_cast<std::uint16_t>(value & 0xFFFF);
}
constexpr std::uint16_t HIWORD(std::uintptr_t value) {
  return static_cast<std::uint16_t>((value >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(std::uint32_t low, std::uint32_t high) {
  return static_cast<WPARAM>(((high & 0xFFFF) << 16) | (low & 0xFFFF));
}
#endif

namespace ortolix {

#ifdef _WIN32

// Same signatures as the real calls: the real ones serve directly.
using ::EndDialog;
using ::GetDC;
using ::GetDesktopWindow;
using ::GetDeviceCaps;
using ::GetDlgItem;
using ::GetFocus;
using ::GetWindowRect;
using ::ReleaseDC;
using ::SendDlgItemMessageW;
using ::SendMessageW;
using ::SetWindowPos;

inline INT_PTR DialogBoxParamW(HINSTANCE instance, int resource_id, HWND owner, DLGPROC procedure,
                               LPARAM param) {
  return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(resource_id), owner, procedure, param);
}

inline UINT GetDlgItemTextW(HWND dialog, int id, WideChar* text, int max_count) {
  return ::GetDlgItemTextW(dialog, id, reinterpret_cast<wchar_t*>(text), max_count);
}

inline BOOL SetDlgItemTextW(HWND dialog, int id, const WideChar* text) {
  return ::SetDlgItemTextW(dialog, id, reinterpret_cast<const wchar_t*>(text));
}

inline int MessageBoxW(HWND owner, const WideChar* text, const WideChar* caption, UINT type) {
  return ::MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text),
                       reinterpret_cast<const wchar_t*>(caption), type);
}

inline BOOL SetCurrentDirectoryW(const WideChar* path) {
  return ::SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(path));
}

#else

// Runs the dialog of `resource_id` modally: builds its controls from the
// registered template, sends WM_INITDIALOG (lParam = `param`) to `procedure`,
// plays the next matching dialog script and returns the value given to
// EndDialog. Without a script the dialog gets IDCANCEL, as when the user
// presses Escape. Returns -1 when the template is not registered, the
// procedure is null, a script step cannot be played, or the dialog stays open.
INT_PTR DialogBoxParamW(HINSTANCE instance, int resource_id, HWND owner, DLGPROC procedure,
                        LPARAM param);

// Ends the running dialog `dialog` with `result`. FALSE for any other handle.
BOOL EndDialog(HWND dialog, INT_PTR result);

// The first control of `dialog` with `id`; null when there is none.
HWND GetDlgItem(HWND dialog, int id);

// Control messages: WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH; BM_SETCHECK,
// BM_GETCHECK, BM_GETSTATE; CB_ADDSTRING, CB_RESETCONTENT, CB_SETCURSEL,
// CB_GETCURSEL, CB_GETCOUNT, CB_GETLBTEXT, CB_GETLBTEXTLEN. A message sent to
// a dialog goes to its procedure. Text pointers in lParam must be valid and
// zero-terminated; CB_GETLBTEXT and WM_GETTEXT buffers as Win32 requires.
// Other messages return 0 and are listed in headless::Errors().
LRESULT SendMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam);

// Copies at most `max_count` - 1 units of the control's text and a terminator
// into `text` (nothing when `max_count` < 1); returns the units copied.
UINT GetDlgItemTextW(HWND dialog, int id, WideChar* text, int max_count);

// Replaces the control's text (null = empty). An edit control then notifies
// its dialog with EN_CHANGE, as Win32 does.
BOOL SetDlgItemTextW(HWND dialog, int id, const WideChar* text);

// Records the box and returns the next queued answer of the user script, or
// the default button (MB_DEFBUTTONn, else the first). A null caption shows
// "Error". Returns 0 for an unknown button set or an answer the box lacks.
int MessageBoxW(HWND owner, const WideChar* text, const WideChar* caption, UINT type);

// The focused control of the innermost running dialog, else the window set
// with headless::SetFocusWindow (null at first).
HWND GetFocus();

// Fixed desktop window; its rectangle is headless::SetDisplay's (0, 0, 1920,
// 1080 at first). A dialog's rectangle has a fixed size derived from its
// template (see headless::DialogPixelSize).
HWND GetDesktopWindow();
BOOL GetWindowRect(HWND window, RECT* rect);

// Display contexts: GetDeviceCaps answers HORZRES and VERTRES with the screen
// size; a context must be released with ReleaseDC (headless::OpenDeviceContexts).
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int GetDeviceCaps(HDC dc, int index);

// Moves and/or sizes a dialog (SWP_NOMOVE, SWP_NOSIZE honoured) and records it.
BOOL SetWindowPos(HWND window, HWND insert_after, int x, int y, int cx, int cy, UINT flags);

// Records the request and returns TRUE when `path` names an existing
// directory. The process's working directory is left alone, so a command
// that writes output files relative to it is not redirected.
BOOL SetCurrentDirectoryW(const WideChar* path);

#endif

}  // namespace ortolix
