// Materials and groups made from materials.
#include <vector>

#include "import/transfer_steps.h"
#include "platform/crt/ansi_convert.h"

namespace ortolix {
namespace {

HostColor ToHost(const ImportColor& c) { return HostColor{c.r, c.g, c.b, c.a}; }

// Stores the path in a new bitmap map of the material and marks it used. A
// map the Host cannot make leaves the material without texture; it never
// fails the transfer.
void SetTexture(HostMaterial& material, const WideString& path) {
  HostTextureMap* map = material.CreateTextureMap(0, 1);
  if (map == nullptr || path.empty() || map->kind != kBitmapMapKind) return;
  auto* bitmap = static_cast<HostBitmapMap*>(map);
  bitmap->path = HostPathString(path.c_str());
  bitmap->flags |= 1;
}

}  // namespace

std::string TransferMaterialName(const ImportMaterial& material, std::size_t index) {
  if (!material.name.empty()) return material.name;
  if (!material.textureFileName.empty()) {
    const int size = AnsiFromWide(nullptr, 0, material.textureFileName.c_str());
    std::vector<char> narrow(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
    if (size > 0 && AnsiFromWide(narrow.data(), narrow.size(), material.textureFileName.c_str()) > 0 &&
        narrow[0] != '\0') {
      return narrow.data();
    }
  }
  return "NoNameMat" + std::to_string(index);
}

bool TransferMaterials(TransferContext& context) {
  for (std::size_t i = 0; i < context.materials.size(); ++i) {
    const ImportMaterial& source = context.materials[i];
    const HostPathString name(TransferMaterialName(source, i).c_str());
    HostMaterial* material = context.host.CreateMaterial(name);
    if (material == nullptr) return false;
    material->diffuse = ToHost(source.diffuse);
    material->ambient = ToHost(source.ambient);
    material->emissive = ToHost(source.emissive);
    material->specular = ToHost(source.specular);
    material->power = source.power;
    material->opacity = source.opacity;
    // A material without a texture file gets no map: a map holding only the
    // directory would be written back as a texture.
    if (!source.textureFileName.empty()) {
      SetTexture(*material, context.directory + source.textureFileName);
    }
  }
  return true;
}

bool TransferGroups(TransferContext& context) {
  if (context.options.convertMaterialsToGroups == 1) {
    for (std::size_t i = 0; i < context.materials.size(); ++i) {
      const HostPathString name(TransferMaterialName(context.materials[i], i).c_str());
      if (context.host.CreateGroup(name, -1) == nullptr) return false;
    }
    return true;
  }
  for (const ImportMesh& mesh : context.model.meshes) {
    if (context.host.CreateGroup(HostPathString(mesh.meshName.c_str()), -1) == nullptr) return false;
  }
  return true;
}

}  // namespace ortolix
