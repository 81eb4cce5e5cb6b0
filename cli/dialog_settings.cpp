#include "cli/dialog_settings.h"

namespace ortolix::cli {

namespace {

constexpr std::string_view kExportNames[] = {
    "export-materials",          "export-texture-coordinates", "export-vertex-normals",
    "export-vertex-colors",      "export-animation",           "export-templates",
    "export-multiple-uvsets",    "triangulate-model",          "flip-handedness",
    "use-full-texture-filepath", "export-root-bone-transform", "export-groups-as-meshes",
    "export-ticks-per-second"};

constexpr std::string_view kImportNames[] = {
    "merge-similar-materials",        "convert-materials-to-groups",
    "set-zero-transparency-to-default", "set-zero-shininess-to-default",
    "swap-scene",                     "center-scene",
    "floor-scene",                    "flip-handedness"};

}  // namespace

std::span<const std::string_view> ExportSettingNames() { return kExportNames; }
std::span<const std::string_view> ImportSettingNames() { return kImportNames; }

std::string ParseSetting(std::string_view text, std::span<const std::string_view> names,
                         DialogSetting& out) {
  const auto equals = text.find('=');
  if (equals == std::string_view::npos) return "expected NAME=0 or NAME=1, got \"" + std::string(text) + "\"";
  const std::string_view name = text.substr(0, equals);
  const std::string_view value = text.substr(equals + 1);
  bool known = false;
  for (std::string_view candidate : names) known = known || candidate == name;
  if (!known) {
    std::string message = "unknown check box \"" + std::string(name) + "\"; one of:";
    for (std::string_view candidate : names) (message += ' ') += candidate;
    return message;
  }
  if (value != "0" && value != "1") {
    return "the value of " + std::string(name) + " must be 0 or 1, got \"" + std::string(value) + "\"";
  }
  out.name = std::string(name);
  out.on = value == "1";
  return {};
}

std::string CheckSettingText(const std::string& text, std::span<const std::string_view> names) {
  DialogSetting ignored;
  return ParseSetting(text, names, ignored);
}

std::vector<DialogSetting> ParseSettings(const std::vector<std::string>& texts,
                                         std::span<const std::string_view> names) {
  std::vector<DialogSetting> settings;
  for (const std::string& text : texts) {
    DialogSetting setting;
    if (ParseSetting(text, names, setting).empty()) settings.push_back(setting);
  }
  return settings;
}

}  // namespace ortolix::cli
