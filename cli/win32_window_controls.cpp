#include "cli/win32_window_controls.h"

namespace ortolix::cli {

namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string ClassName(HWND window) {
  wchar_t name[64] = {};
  const int n = GetClassNameW(window, name, 64);
  return std::u16string(reinterpret_cast<const char16_t*>(name), n > 0 ? n : 0);
}

bool SameClass(const std::u16string& name, const char16_t* wanted) {
  return CompareStringOrdinal(Wide(name), -1, reinterpret_cast<const wchar_t*>(wanted), -1, TRUE) ==
         CSTR_EQUAL;
}

// The template statement a control was made from, by its class and style.
ControlKind KindOf(const std::u16string& className, LONG style) {
  if (SameClass(className, u"Button")) {
    switch (style & BS_TYPEMASK) {
      case BS_DEFPUSHBUTTON: return ControlKind::kDefPushButton;
      case BS_GROUPBOX: return ControlKind::kGroupBox;
      case BS_AUTOCHECKBOX: return ControlKind::kAutoCheckBox;
      default: return ControlKind::kPushButton;
    }
  }
  if (SameClass(className, u"Edit")) return ControlKind::kEditText;
  if (SameClass(className, u"ComboBox")) return ControlKind::kDropDownList;
  return (style & SS_TYPEMASK) == SS_RIGHT ? ControlKind::kRightText : ControlKind::kLeftText;
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kDefPushButton: return "DefPushButton";
    case ControlKind::kPushButton: return "PushButton";
    case ControlKind::kGroupBox: return "GroupBox";
    case ControlKind::kAutoCheckBox: return "AutoCheckBox";
    case ControlKind::kLeftText: return "LeftText";
    case ControlKind::kRightText: return "RightText";
    case ControlKind::kEditText: return "EditText";
    case ControlKind::kDropDownList: return "DropDownList";
  }
  return "unknown";
}

void ReadList(HWND combo, headless::ControlState& state) {
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    std::u16string entry(length > 0 ? static_cast<std::size_t>(length) : 0, u'\0');
    std::vector<wchar_t> buffer(entry.size() + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
    entry.assign(reinterpret_cast<const char16_t*>(buffer.data()), entry.size());
    state.entries.push_back(std::move(entry));
  }
  state.selection = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

WindowControl ReadControl(HWND dialog, HWND child) {
  WindowControl control;
  control.window = child;
  control.className = ClassName(child);
  control.state.id = GetDlgCtrlID(child);
  control.state.kind = KindOf(control.className, GetWindowLongW(child, GWL_STYLE));
  control.state.text = WindowText(child);
  if (control.state.kind == ControlKind::kAutoCheckBox) {
    control.state.check = static_cast<int>(SendMessageW(child, BM_GETCHECK, 0, 0));
  }
  if (control.state.kind == ControlKind::kDropDownList) ReadList(child, control.state);
  GetWindowRect(child, &control.rect);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&control.rect), 2);
  return control;
}

}  // namespace

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int n = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), n > 0 ? n : 0);
}

std::vector<WindowControl> ReadWindowControls(HWND dialog) {
  std::vector<WindowControl> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    controls.push_back(ReadControl(dialog, child));
  }
  return controls;
}

std::vector<headless::ControlState> ControlStates(const std::vector<WindowControl>& controls) {
  std::vector<headless::ControlState> states;
  for (const WindowControl& control : controls) states.push_back(control.state);
  return states;
}

std::string Utf8(const std::u16string& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, Wide(text), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, Wide(text), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

nlohmann::json ControlsJson(int resourceId, const std::u16string& caption,
                            const std::vector<WindowControl>& controls) {
  nlohmann::json list = nlohmann::json::array();
  for (const WindowControl& control : controls) {
    nlohmann::json entries = nlohmann::json::array();
    for (const std::u16string& entry : control.state.entries) entries.push_back(Utf8(entry));
    list.push_back({{"class", Utf8(control.className)},
                    {"id", control.state.id},
                    {"kind", KindName(control.state.kind)},
                    {"text", Utf8(control.state.text)},
                    {"check", control.state.check},
                    {"entries", entries},
                    {"selection", control.state.selection},
                    {"rect", {control.rect.left, control.rect.top, control.rect.right, control.rect.bottom}}});
  }
  return {{"dialog", resourceId}, {"caption", Utf8(caption)}, {"controls", list}};
}

}  // namespace ortolix::cli
