// The Mesh data object with its optional child blocks.
#pragma once

#include <cstdint>

#include "xwriter/mesh_write_view.h"
#include "xwriter/text_sink.h"
#include "xwriter/write_context.h"

namespace ortolix {

// Writes the Mesh of `source` at indentation width `w` (3 or 6): vertices,
// faces, then MeshNormals, MeshTextureCoords (with FVFData), MeshVertexColors,
// MeshMaterialList and, for a skinned mesh, the skin blocks, each when its
// option is set. Returns 1, or 0 for a missing sink (the mesh then stops
// where it is, without its closing brace).
int WriteMesh(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
              std::int32_t w);

// The block writers, each at the mesh's width w; 0 for a missing sink.
int WriteMeshNormals(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                     std::int32_t w);
int WriteMeshTextureCoords(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                           std::int32_t w);
int WriteMeshVertexColors(TextSink* sink, const MeshWriteView& source, std::int32_t w);

// The face list: "%*s %d;" with the corner count, the corners separated by
// ", " and ended by ";" (last to first when `flip`), then the separator.
void WriteFaceList(TextSink& sink, const MeshWriteView& source, std::int32_t w, bool flip);

}  // namespace ortolix
