// The ImportModel: the flat, index-based model that the read message
// (0x10018) converts an ImportScene into, and that the import dialog counts
// and the transfer copies into the Host's model (message 0x1001f).
//
// Every default member value below is the record "as made": a
// value-initialised record holds its defaults. Names are byte strings of any
// length (never cut); wide texts are UTF-16. Each array's count is its size().
//
// Ownership: the one module-wide ImportModel owns every array; records own
// their nested arrays. ResetImportModel frees them all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/vector_math.h"
#include "platform/crt/wide_char.h"
#include "ximport/import_scene.h"

namespace ortolix {

using WideString = std::basic_string<WideChar>;

inline constexpr Matrix4 kImportIdentity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

// The frame rate every ImportAnimation is given.
inline constexpr float kImportFrameRate = 30.0f;
// Influences of this weight or less are not taken from a skin.
inline constexpr float kInfluenceWeightThreshold = 0.001f;

// One skin influence on a vertex. `bone` is an index into the tracks of the
// first ImportAnimation (equally into the ImportFrames), -1 when no track
// has the bone's name.
struct VertexWeight {
  std::int32_t vertex = -1;
  float weight = 1.0f;
  std::int32_t bone = -1;
};

// The influences of one vertex or one skin bone, in the order they were
// added. Use it as a sequence: size(), empty(), operator[], range-for.
using VertexWeightList = std::vector<VertexWeight>;

struct ImportColor {
  float r, g, b, a;
};

struct ImportFrame {
  std::string name;
  std::int32_t parent = -1;  // index into the ImportFrames, -1 for none
  Matrix4 local = kImportIdentity;
  Matrix4 world = kImportIdentity;
};

struct ImportMaterial {
  std::string name;
  WideString textureFileName;  // file name and extension only
  ImportColor diffuse = {1, 1, 1, 1};
  ImportColor ambient = {0, 0, 0, 1};
  ImportColor specular = {0, 0, 0, 1};
  ImportColor emissive = {0, 0, 0, 1};
  float power = 128.0f;
  float opacity = 1.0f;
};

// A triangle. A face that the conversion never filled keeps -1 everywhere.
struct ImportFace {
  std::int32_t material = -1;  // local to the mesh's own materials
  std::int32_t vertices[3] = {-1, -1, -1};  // local to the mesh's vertices
};

struct ImportVertex {
  Vec3 position = {0, 0, 0};
  ImportColor color = {1, 1, 1, 1};
  Vec2 uv1 = {0, 0};
  Vec2 uv2 = {0, 0};
  VertexWeightList weights;
};

struct ImportMesh {
  std::uint32_t skinned = 0;  // 1 = skinned
  std::string meshName;
  std::string frameName;
  std::vector<ImportFace> faces;
  std::vector<ImportVertex> vertices;
  std::int32_t materialCount = 0;  // materials of this mesh's container
  std::int32_t boneCount = 0;      // 0 unless skinned
  Matrix4 local = kImportIdentity;  // matrices of the frame holding the mesh
  Matrix4 world = kImportIdentity;
};

// One bone of a skin. The same fields as an ExportFrame; the import fills
// only the name and the influences.
struct SkinBone {
  std::string name;
  std::int32_t index = -1;
  Matrix4 matrix0 = kImportIdentity;
  Matrix4 matrix1 = kImportIdentity;
  Matrix4 matrix2 = kImportIdentity;
  Matrix4 matrix3 = kImportIdentity;
  Vec3 translation = {0, 0, 0};
  Quat rotation = {0, 0, 0, 1};
  Vec3 scale = {1, 1, 1};
  VertexWeightList influences;  // vertex, weight, bone -1
};

struct ImportSkin {
  std::vector<SkinBone> bones;
  std::int32_t mesh = -1;  // index of its ImportMesh
};

// Keys. In an ImportAnimation `time` holds the key time (file ticks) and
// `tick` is 0; in an AnimationSetRecord `tick` holds the time as read and
// `time` is 0.
struct PositionKey {
  std::uint32_t tick = 0;
  float time = 0;
  Vec3 value = {0, 0, 0};
};

struct ScaleKey {
  std::uint32_t tick = 0;
  float time = 0;
  Vec3 value = {0, 0, 0};
};

struct RotationKey {
  std::uint32_t tick = 0;
  float time = 0;
  Quat value = {0, 0, 0, 0};
};

struct MatrixKey {
  std::uint32_t tick = 0;
  float time = 0;
  Matrix4 value = {};
};

struct AnimationTrack {
  std::vector<PositionKey> positionKeys;
  std::vector<RotationKey> rotationKeys;
  std::vector<ScaleKey> scaleKeys;
  std::vector<MatrixKey> matrixKeys;  // kept, but not transferred
  std::string name;
  std::int32_t parent = -1;
  Matrix4 restMatrix = kImportIdentity;
  Vec3 restTranslation = {0, 0, 0};
  Quat restRotation = {0, 0, 0, 1};
  Vec3 restScale = {1, 1, 1};
};

struct ImportAnimation {
  std::string name;
  std::uint32_t reserved = 0;  // stays 0
  float start = 0;
  float end = 0;  // time of the last key; shown as the animation's length
  float frameRate = kImportFrameRate;
  std::vector<AnimationTrack> tracks;  // one per ImportFrame, in frame order
};

// An animation set as found in the frame tree, before its keys are matched
// to frames.
struct AnimationSetRecord {
  std::string name = "DefaultAnim";
  std::vector<AnimationTrack> tracks;
};

struct ImportModel {
  std::int32_t currentMesh = 0;
  std::int32_t currentMaterial = 0;
  std::int32_t currentFrame = 0;
  std::int32_t selectedAnimation = 0;  // edited by the import dialog
  std::int32_t frameCount = 0;         // shown as "frames:"
  std::int32_t materialCount = 0;      // at least 1 after a read; "materials:"
  std::int32_t meshCount = 0;          // "meshes:"
  std::int32_t skinnedMeshCount = 0;
  std::vector<ImportFrame> frames;
  std::vector<ImportMaterial> materials;        // in container order
  std::vector<ImportMaterial> mergedMaterials;  // built by MergeSimilarMaterials
  std::vector<ImportMesh> meshes;
  std::vector<ImportSkin> skins;
  std::int32_t animationsPresent = 0;  // 1 when the file held animation sets
  std::vector<ImportAnimation> animations;
  std::vector<AnimationSetRecord> animationSets;  // in tree order
  std::int32_t ticksPerSecond = 0;  // from the file; edited by the dialog
  WideString sourcePath;            // the .x file, stored by the read message
  // What the last successful read tolerated (file, mesh and reader warnings),
  // for tools that show them; cleared by every reset.
  std::vector<ReadWarning> readWarnings;
};

// The module-wide ImportModel, empty when the library is loaded.
ImportModel& TheImportModel();

// Frees every array of `model` and zeroes the running indices, the counts,
// the selected animation and the animations-present flag. The ticks per
// second and the source path keep their values.
void ResetImportModel(ImportModel& model);

// ResetImportModel on the module-wide model.
void ResetImportModel();

}  // namespace ortolix
