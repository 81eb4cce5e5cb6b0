#include "import/scene_placement.h"

#include <limits>

namespace ortolix {
namespace {

constexpr float kLargest = std::numeric_limits<float>::max();

Vec3 Sub(const Vec3& a, const Vec3& b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 ScaledAbout(const Vec3& p, const Vec3& c, float s) {
  return Vec3{(p.x - c.x) * s + c.x, (p.y - c.y) * s + c.y, (p.z - c.z) * s + c.z};
}

// Applies `move` to every root bone's translation, every vertex and every
// placed object's position.
template <typename Move>
void MovePositions(HostModel& model, Move move) {
  for (std::int32_t i = 0; model.bones.items && i < model.bones.count; ++i) {
    HostBone& bone = model.bones.items[i];
    if (bone.parent < 0) bone.translation = move(bone.translation);
  }
  for (std::int32_t i = 0; model.vertices.items && i < model.vertices.count; ++i) {
    model.vertices.items[i].position = move(model.vertices.items[i].position);
  }
  for (std::int32_t i = 0; model.placed1.items && i < model.placed1.count; ++i) {
    model.placed1.items[i].position = move(model.placed1.items[i].position);
  }
  for (std::int32_t i = 0; model.placed2.items && i < model.placed2.count; ++i) {
    model.placed2.items[i].position = move(model.placed2.items[i].position);
  }
}

void ScalePositionKeys(HostModel& model, float factor) {
  for (std::int32_t a = 0; model.animations.items && a < model.animations.count; ++a) {
    const HostAnimation& animation = model.animations.items[a];
    for (std::int32_t t = 0; animation.tracks && t < animation.trackCount; ++t) {
      const HostTrack& track = animation.tracks[t];
      for (std::int32_t k = 0; track.positionKeys && k < track.positionKeyCount; ++k) {
        ScaleInPlace(track.positionKeys[k].value, factor);
      }
    }
  }
}

}  // namespace

SceneBox VertexBox(const HostModel& model) {
  if (model.vertices.items == nullptr || model.vertices.count <= 0) {
    const Vec3 zero{0.0f, 0.0f, 0.0f};
    return SceneBox{zero, zero, zero, zero};
  }
  Vec3 lo{kLargest, kLargest, kLargest};
  Vec3 hi{-kLargest, -kLargest, -kLargest};
  for (std::int32_t i = 0; i < model.vertices.count; ++i) {
    const Vec3& p = model.vertices.items[i].position;
    if (p.x < lo.x) lo.x = p.x;
    if (p.y < lo.y) lo.y = p.y;
    if (p.z < lo.z) lo.z = p.z;
    if (p.x > hi.x) hi.x = p.x;
    if (p.y > hi.y) hi.y = p.y;
    if (p.z > hi.z) hi.z = p.z;
  }
  const Vec3 centre{(lo.x + hi.x) * 0.5f, (lo.y + hi.y) * 0.5f, (lo.z + hi.z) * 0.5f};
  return SceneBox{lo, hi, centre, Sub(hi, lo)};
}

void ScaleScene(HostModel& model, float factor) {
  const Vec3 c = VertexBox(model).centre;
  ScalePositionKeys(model, factor);
  for (std::int32_t i = 0; model.bones.items && i < model.bones.count; ++i) {
    HostBone& bone = model.bones.items[i];
    if (bone.parent >= 0) ScaleInPlace(bone.translation, factor);
  }
  MovePositions(model, [&](const Vec3& p) { return ScaledAbout(p, c, factor); });
  for (std::int32_t i = 0; model.placed1.items && i < model.placed1.count; ++i) {
    model.placed1.items[i].distances[0] *= factor;
    model.placed1.items[i].distances[1] *= factor;
  }
}

void FloorScene(HostModel& model) {
  const SceneBox box = VertexBox(model);
  const double lift = static_cast<double>(box.size.y) * 0.5;
  MovePositions(model, [&](const Vec3& p) {
    Vec3 out = Sub(p, box.centre);
    out.y = static_cast<float>(static_cast<double>(out.y) + lift);
    return out;
  });
}

void CentreScene(HostModel& model) {
  const Vec3 c = VertexBox(model).centre;
  MovePositions(model, [&](const Vec3& p) { return Sub(p, c); });
}

}  // namespace ortolix
