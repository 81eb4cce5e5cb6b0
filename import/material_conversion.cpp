#include "import/material_conversion.h"

#include <cmath>

#include "import/import_allocation.h"
#include "platform/crt/ansi_convert.h"

namespace ortolix {
namespace {

ImportColor OpaqueColor(const D3DCOLORVALUE& c) { return ImportColor{c.r, c.g, c.b, 1.0f}; }

void RepairColor(ImportColor& color, const ImportColor& defaults) {
  if (std::isnan(color.r)) color.r = defaults.r;
  if (std::isnan(color.g)) color.g = defaults.g;
  if (std::isnan(color.b)) color.b = defaults.b;
  if (std::isnan(color.a)) color.a = defaults.a;
}

float ClampedPower(float power, const ImportOptions& options) {
  if (power > 128.0f) {
    power = 128.0f;
  } else if (power < 0.0f) {
    power = 0.0f;
  }
  if (options.zeroShininessToDefault == 1 && power == 0.0f) power = 128.0f;
  return power;
}

void FillMaterial(ImportMaterial& out, const MaterialRecord& record, const ImportOptions& options) {
  const D3DMATERIAL9& m = record.material;
  out.diffuse = OpaqueColor(m.Diffuse);
  out.ambient = OpaqueColor(m.Ambient);
  out.emissive = OpaqueColor(m.Emissive);
  out.specular = OpaqueColor(m.Specular);
  out.opacity = m.Diffuse.a;
  if (options.zeroTransparencyToDefault == 1 && out.opacity == 0.0f) out.opacity = 1.0f;
  out.power = ClampedPower(m.Power, options);
  out.textureFileName = TextureFileNamePart(record.texture_file_name);
  const ImportMaterial defaults;
  RepairColor(out.diffuse, defaults.diffuse);
  RepairColor(out.ambient, defaults.ambient);
  RepairColor(out.specular, defaults.specular);
  RepairColor(out.emissive, defaults.emissive);
  if (std::isnan(out.power)) out.power = defaults.power;
  if (std::isnan(out.opacity)) out.opacity = defaults.opacity;
}

WideString WideFromNarrowText(const char* text) {
  const int needed = WideFromAnsi(nullptr, 0, text);
  if (needed <= 1) return {};
  WideString wide(static_cast<std::size_t>(needed), WideChar{0});
  const int written = WideFromAnsi(wide.data(), wide.size(), text);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) - 1 : 0);
  return wide;
}

}  // namespace

WideString TextureFileNamePart(const std::string& path) {
  WideString wide = WideFromNarrowText(path.c_str());
  const std::size_t separator = wide.find_last_of(u"\\/");
  if (separator != WideString::npos) return wide.substr(separator + 1);
  if (wide.size() >= 2 && wide[1] == u':') return wide.substr(2);
  return wide;
}

void ConvertContainerMaterials(const MeshContainer& container, const ImportOptions& options,
                               ImportModel& model) {
  if (container.material_count == 0 || container.materials.empty() || model.materials.empty()) return;
  for (std::uint32_t i = 0; i < container.material_count && i < container.materials.size(); ++i) {
    const std::int32_t r = model.currentMaterial;
    if (r < 0 || r >= static_cast<std::int32_t>(model.materials.size())) return;
    ImportMaterial& material = model.materials[r];
    FillMaterial(material, container.materials[i], options);
    if (i < container.material_names.size()) material.name = container.material_names[i];
    ++model.currentMaterial;
  }
}

}  // namespace ortolix
