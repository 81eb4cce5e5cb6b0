// Scaling, flooring and centring the whole HostModel about the bounding box
// of its vertices: the last steps of an import.
#pragma once

#include "math/vector_math.h"
#include "hostapi/host_model.h"

namespace ortolix {

struct SceneBox {
  Vec3 min;
  Vec3 max;
  Vec3 centre;  // (min + max) x 0.5
  Vec3 size;    // max - min
};

// The box of every vertex position; all zero when the model has no vertices.
// NaN components never become a bound.
SceneBox VertexBox(const HostModel& model);

// Scales about the box centre c by `factor`: root bones, vertices and placed
// objects move to (p - c) x factor + c, other bones' translations and every
// position key are multiplied, and the first placed objects' two distances
// too.
void ScaleScene(HostModel& model, float factor);

// Root bones, vertices and placed objects move by -c, then up by half the
// box height: the scene stands centred on x and z with its lowest vertex at 0.
void FloorScene(HostModel& model);

// Root bones, vertices and placed objects move by -c.
void CentreScene(HostModel& model);

}  // namespace ortolix
