// The Frame hierarchy: the mesh frames and, when the model has bones, the
// optional root frame and the bone frame tree.
#pragma once

#include <cstdint>

#include "xwriter/text_sink.h"
#include "xwriter/write_context.h"

namespace ortolix {

// Frame "Body" with the whole-model mesh; its result is the mesh's.
int WriteSingleMeshFrame(TextSink* sink, const WriteContext& context, std::int32_t w);
// One frame per GroupMesh with vertices and faces; always 1 for a sink.
int WriteGroupMeshFrames(TextSink* sink, const WriteContext& context, std::int32_t w);
// Optional "SceneRoot", the root bones' trees, then the meshes, all at width 3.
int WriteSkeletonFrames(TextSink* sink, const WriteContext& context);
// Bone `bone` at width w and, below it, every bone whose parent it is, in
// record order at w + 3 per level. 0 for a bone index out of range.
int WriteBoneFrame(TextSink* sink, const WriteContext& context, std::int32_t bone,
                   std::int32_t w);

}  // namespace ortolix
