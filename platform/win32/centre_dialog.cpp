#include "platform/win32/centre_dialog.h"

namespace ortolix {

int CentredEdge(int desktop_start, int desktop_extent, int extent, int screen_extent) {
  const int edge = desktop_start + (desktop_extent - extent) / 2;
  if (edge < 0) return 0;
  if (edge + extent > screen_extent) return screen_extent - extent;
  return edge;
}

BOOL CentreOverDesktop(HWND dialog) {
  RECT desktop{};
  RECT own{};
  if (!GetWindowRect(GetDesktopWindow(), &desktop) || !GetWindowRect(dialog, &own)) return 0;
  HDC dc = GetDC(dialog);
  if (dc == nullptr) return 0;
  const int screen_width = GetDeviceCaps(dc, HORZRES);
  const int screen_height = GetDeviceCaps(dc, VERTRES);
  ReleaseDC(dialog, dc);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  const int x = CentredEdge(desktop.left, desktop.right - desktop.left, width, screen_width);
  const int y = CentredEdge(desktop.top, desktop.bottom - desktop.top, height, screen_height);
  return SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace ortolix
