// The check boxes the command can set in the export and import dialogs
// (--set NAME=0|1): each name is the box's text in lower case with hyphens.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ortolix::cli {

struct DialogSetting {
  std::string name;
  bool on = false;
};

std::span<const std::string_view> ExportSettingNames();
std::span<const std::string_view> ImportSettingNames();

// Parses "NAME=0" or "NAME=1" against the allowed names. Returns an empty
// text when valid, else the reason (for a usage error).
std::string ParseSetting(std::string_view text, std::span<const std::string_view> names,
                         DialogSetting& out);

// A CLI11 check for --set values of one dialog.
std::string CheckSettingText(const std::string& text, std::span<const std::string_view> names);

std::vector<DialogSetting> ParseSettings(const std::vector<std::string>& texts,
                                         std::span<const std::string_view> names);

}  // namespace ortolix::cli
