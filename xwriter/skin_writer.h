// XSkinMeshHeader and SkinWeights, the blocks that close a skinned mesh.
#pragma once

#include <cstdint>

#include "xwriter/mesh_write_view.h"
#include "xwriter/text_sink.h"
#include "xwriter/write_context.h"

namespace ortolix {

// Writes the skin header and one SkinWeights per bone with a positive
// influence count, at the mesh's width w. For a group mesh the frames'
// influence counts are first recomputed from its vertices (and left so).
// Returns 1, or 0 for a missing sink.
int WriteSkinWeights(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                     std::int32_t w);

}  // namespace ortolix
