// Headless display: the desktop window, window rectangles, display contexts,
// window moves, focus and the current directory.
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/win32/headless.h"
#include "platform/win32/headless_state.h"

namespace ortolix {

namespace headless {

PixelSize DialogPixelSize(int width, int height) {
  constexpr int kFrame = 3;
  constexpr int kCaption = 22;
  return {width * 6 / 4 + 2 * kFrame, height * 13 / 8 + 2 * kFrame + kCaption};
}

}  // namespace headless

HWND GetDesktopWindow() { return reinterpret_cast<HWND>(headless::kDesktopHandle); }

BOOL GetWindowRect(HWND window, RECT* rect) {
  if (rect == nullptr) return 0;
  if (window == GetDesktopWindow()) {
    *rect = headless::State().desktop;
    return 1;
  }
  if (const headless::RunningDialog* dialog = headless::FindDialog(window)) {
    *rect = dialog->rect;
    return 1;
  }
  headless::AddError("GetWindowRect: only the desktop and running dialogs have rectangles");
  return 0;
}

HWND GetFocus() {
  const auto& stack = headless::State().stack;
  return stack.empty() ? headless::State().focus_window : stack.back()->focus;
}

HDC GetDC(HWND window) {
  headless::HeadlessState& state = headless::State();
  if (window != nullptr && window != GetDesktopWindow() && headless::FindDialog(window) == nullptr) {
    headless::AddError("GetDC: not the screen, the desktop or a running dialog");
    return nullptr;
  }
  const std::uintptr_t value = state.next_device_context++;
  state.device_contexts[value] = window;
  return reinterpret_cast<HDC>(value);
}

int ReleaseDC(HWND window, HDC dc) {
  auto& contexts = headless::State().device_contexts;
  auto found = contexts.find(reinterpret_cast<std::uintptr_t>(dc));
  if (found == contexts.end() || found->second != window) return 0;
  contexts.erase(found);
  return 1;
}

int GetDeviceCaps(HDC dc, int index) {
  const headless::HeadlessState& state = headless::State();
  if (state.device_contexts.count(reinterpret_cast<std::uintptr_t>(dc)) == 0) {
    headless::AddError("GetDeviceCaps: not an open display context");
    return 0;
  }
  if (index == HORZRES) return state.screen_width;
  if (index == VERTRES) return state.screen_height;
  headless::AddError("GetDeviceCaps: index " + std::to_string(index) + " is not supported");
  return 0;
}

BOOL SetWindowPos(HWND window, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
  headless::RunningDialog* dialog = headless::FindDialog(window);
  if (dialog == nullptr) {
    headless::AddError("SetWindowPos: only running dialogs can be moved");
    return 0;
  }
  RECT& rect = dialog->rect;
  if ((flags & SWP_NOSIZE) == 0) {
    rect.right = rect.left + cx;
    rect.bottom = rect.top + cy;
  }
  if ((flags & SWP_NOMOVE) == 0) {
    rect = RECT{x, y, x + (rect.right - rect.left), y + (rect.bottom - rect.top)};
  }
  headless::State().dialogs[dialog->record].moves.push_back({insert_after, x, y, cx, cy, flags});
  return 1;
}

BOOL SetCurrentDirectoryW(const WideChar* path) {
  headless::HeadlessState& state = headless::State();
  const std::u16string text = path == nullptr ? u"" : path;
  state.directory_requests.push_back(text);
  std::error_code error;
  if (text.empty() || !std::filesystem::is_directory(std::filesystem::path(text), error)) return 0;
  state.current_directory = text;
  return 1;
}

}  // namespace ortolix
