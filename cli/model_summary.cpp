#include "cli/model_summary.h"

#include <cstdint>

namespace ortolix::cli {

namespace {

template <typename Record>
std::string Count(const HostArray<Record>& array) {
  return array.items == nullptr ? "none" : std::to_string(array.count);
}

std::string Line(const char* label, const std::string& value, const std::string& detail = {}) {
  std::string line = label;
  line += ": ";
  line += value;
  if (!detail.empty()) line += " (" + detail + ")";
  return line + "\n";
}

std::string MeshDetail(const HostArray<HostMesh>& meshes) {
  std::int64_t faces = 0, corners = 0;
  for (std::int32_t m = 0; meshes.items && m < meshes.count; ++m) {
    const HostMesh& mesh = meshes.items[m];
    for (std::int32_t f = 0; mesh.faces && f < mesh.faceCount; ++f) {
      ++faces;
      corners += mesh.faces[f].cornerCount;
    }
  }
  return std::to_string(faces) + " faces, " + std::to_string(corners) + " corners";
}

std::string AnimationDetail(const HostArray<HostAnimation>& animations) {
  std::int64_t tracks = 0, keys = 0;
  for (std::int32_t a = 0; animations.items && a < animations.count; ++a) {
    const HostAnimation& animation = animations.items[a];
    for (std::int32_t t = 0; animation.tracks && t < animation.trackCount; ++t) {
      const HostTrack& track = animation.tracks[t];
      ++tracks;
      keys += track.positionKeyCount + track.rotationKeyCount + track.scaleKeyCount;
    }
  }
  return std::to_string(tracks) + " tracks, " + std::to_string(keys) + " keys";
}

}  // namespace

std::string ModelSummary(const HostModel& model) {
  std::string text;
  text += Line("materials", Count(model.materials));
  text += Line("vertices", Count(model.vertices));
  text += Line("groups", Count(model.groups));
  text += Line("meshes", Count(model.meshes), model.meshes.items ? MeshDetail(model.meshes) : "");
  text += Line("bones", Count(model.bones));
  text += Line("animations", Count(model.animations),
               model.animations.items ? AnimationDetail(model.animations) : "");
  text += Line("placed objects", Count(model.placed1) + " + " + Count(model.placed2));
  text += Line("extra records", Count(model.extras));
  return text;
}

}  // namespace ortolix::cli
