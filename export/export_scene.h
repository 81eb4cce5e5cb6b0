// The ExportScene: what export preparation (message 0x10020) builds from the
// Host's model and the text writer (message 0x10019) reads.
//
// For the writer:
// - One export fills either the model vertex list ("Export groups as meshes"
//   off) or the group meshes (on); the other member stays empty (null, 0).
// - Model vertex list: every face corner of the Host's meshes has its index
//   into `modelVertices` in `HostFace::exportIndices[corner]` (written back by
//   BuildModelVertexList).
// - Group meshes: GroupMesh k belongs to Host group k (or is "defaultMesh"
//   when the Host has no groups); its faces index its own vertex array.
// - Export frames: one per Host bone, same index as the bone, `frameCount` of
//   them; local and combined matrices already in the file layout
//   (translation in row 3). Influence counts are filled from the model vertex
//   list only, so they stay 0 in group mode.
// - Animations are not copied: the writer reads them from the Host's model.
//
// Ownership: every array here belongs to the module-wide ExportScene and is
// freed only by the release operations (export_release.h). The records are
// plain fixed-layout data; copying one copies pointers, never arrays.
#pragma once

#include <cstdint>

#include "math/vector_math.h"
#include "hostapi/host_model.h"

namespace ortolix {

// One vertex of the written file: a Host vertex together with the texture
// elements of the corners that share it.
struct ExportVertex {
  std::int32_t hostVertex;
  std::int32_t sharedPosition;  // 1 when an earlier ExportVertex of the same
                                // Host vertex lies at the same position
  std::int32_t hostVertexAgain;
  Vec3 position;
  Vec3 normal;
  HostColor color;
  HostTexElement first;   // first texture set: u, v in its middle words
  HostTexElement second;  // second texture set
};
static_assert(sizeof(ExportVertex) == 84, "ExportVertex is 21 words");

struct GroupFace {
  std::int32_t hostFace;  // index of the face within its Host mesh
  std::int32_t material;
  std::int32_t cornerCount;
  std::int32_t* corners;  // cornerCount indices into the GroupMesh's vertices
};

inline constexpr char kDefaultMeshName[] = "defaultMesh";

struct GroupMesh {
  ExportVertex* vertices;
  std::int32_t vertexCount;
  GroupFace* faces;
  std::int32_t faceCount;
  char* name;  // narrow, zero-terminated, owned; the whole group name, never cut
};

// The import side's influence record; the importer's SkinBone is an
// ExportFrame whose influence list it fills.
struct VertexWeight;

inline constexpr Matrix4 kExportIdentity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// One frame per Host bone. The default member values are the record "as
// made"; arrays of ExportFrame are value-initialised to them.
struct ExportFrame {
  char name[128] = {};  // unused by the export
  std::int32_t parent = -1;
  Matrix4 matrix0 = kExportIdentity;  // unused by the export
  Matrix4 matrix1 = kExportIdentity;  // unused by the export
  Matrix4 local = kExportIdentity;
  Matrix4 combined = kExportIdentity;
  Vec3 translation = {0, 0, 0};
  Quat rotation = {0, 0, 0, 1};
  Vec3 scale = {1, 1, 1};
  std::int32_t influenceCount = 0;
  VertexWeight* influences = nullptr;  // unused by the export
};

struct ExportScene {
  ExportVertex* modelVertices = nullptr;
  std::int32_t modelVertexCount = 0;
  GroupMesh* groupMeshes = nullptr;
  std::int32_t groupMeshCount = 0;
  ExportFrame* frames = nullptr;
  std::int32_t frameCount = 0;  // the bone count when frames were built
  // The skin writer counts distinct bones per face with its own set, so the
  // scene keeps no skin bone list.
};

// The module-wide ExportScene, empty at load.
ExportScene& TheExportScene();

// True when the scene holds no array at all (what a cancelled or failed
// preparation leaves).
bool ExportSceneIsEmpty(const ExportScene& scene);

}  // namespace ortolix
