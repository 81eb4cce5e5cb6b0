// The child windows of a real dialog, read back through their window
// messages: what the command records, matches script steps against, and
// writes with --controls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/win32/shown_record.h"

namespace ortolix::cli {

struct WindowControl {
  HWND window = nullptr;
  headless::ControlState state;  // id, kind, text, check, list entries and selection
  std::u16string className;
  RECT rect{};  // in the dialog's client pixels
};

std::u16string WindowText(HWND window);

// Every child window of `dialog`, in z order (the template's order).
std::vector<WindowControl> ReadWindowControls(HWND dialog);

// The states alone, as the headless records keep them.
std::vector<headless::ControlState> ControlStates(const std::vector<WindowControl>& controls);

// {"dialog": id, "caption": ..., "controls": [{class, id, kind, text, check,
// entries, selection, rect: [left, top, right, bottom]}]}; texts in UTF-8.
nlohmann::json ControlsJson(int resourceId, const std::u16string& caption,
                            const std::vector<WindowControl>& controls);

// UTF-8 of wide text (the JSON's encoding, whatever the ANSI code page).
std::string Utf8(const std::u16string& text);

}  // namespace ortolix::cli
