// The three standard template sets the import registers, in this order:
// the retained-mode set (Header ... RightHanded, 35 templates), the skinning
// and effect set (XSkinMeshHeader ... CompressedAnimationSet, 16) and the
// vertex-data set (FVFData ... PMInfo, 6). Each is a complete block with its
// "xof " header, to be passed to ID3DXFile::RegisterTemplates with its size
// (no terminating NUL).
#pragma once

#include <string_view>

namespace ortolix {

std::string_view RetainedModeTemplates();
std::string_view SkinningTemplates();
std::string_view VertexDataTemplates();

}  // namespace ortolix
