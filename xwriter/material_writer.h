// MeshMaterialList with its Material and TextureFilename blocks.
#pragma once

#include <cstdint>
#include <string>

#include "xwriter/mesh_write_view.h"
#include "xwriter/text_sink.h"
#include "xwriter/write_context.h"

namespace ortolix {

// The material list of the mesh at width w. Leaves the block out (result 1)
// when the data it needs is missing; 0 for a missing sink.
int WriteMeshMaterialList(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                          std::int32_t w);

// One Material block for `material` at width w.
void WriteMaterial(TextSink& sink, const WriteContext& context, HostMaterial& material,
                   std::int32_t w);

// The text of the material's TextureFilename, or false when it has none:
// with `fullPath` the narrow path with every backslash doubled (stopping once
// 256 characters are produced), else the file name and extension.
bool TextureFileText(HostMaterial& material, bool fullPath, std::string* out);

}  // namespace ortolix
