#include "host/host_math.h"

namespace ortolix::host_math {

namespace {

float& At(Matrix4& m, int r, int c) { return m.m[4 * r + c]; }
float At(const Matrix4& m, int r, int c) { return m.m[4 * r + c]; }

}  // namespace

Matrix4 RotationFromQuat(const Quat& q) {
  const double x = q.x, y = q.y, z = q.z, w = q.w;
  Matrix4 r{};
  At(r, 0, 0) = static_cast<float>(1 - 2 * y * y - 2 * z * z);
  At(r, 1, 0) = static_cast<float>(2 * x * y + 2 * w * z);
  At(r, 2, 0) = static_cast<float>(2 * x * z - 2 * w * y);
  At(r, 0, 1) = static_cast<float>(2 * x * y - 2 * w * z);
  At(r, 1, 1) = static_cast<float>(1 - 2 * x * x - 2 * z * z);
  At(r, 2, 1) = static_cast<float>(2 * y * z + 2 * w * x);
  At(r, 0, 2) = static_cast<float>(2 * x * z + 2 * w * y);
  At(r, 1, 2) = static_cast<float>(2 * y * z - 2 * w * x);
  At(r, 2, 2) = static_cast<float>(1 - 2 * x * x - 2 * y * y);
  At(r, 3, 3) = 1.0f;
  return r;
}

Matrix4 AffineProduct(const Matrix4& a, const Matrix4& b) {
  Matrix4 c{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = static_cast<double>(At(a, i, 0)) * At(b, 0, j) +
                   static_cast<double>(At(a, i, 1)) * At(b, 1, j) +
                   static_cast<double>(At(a, i, 2)) * At(b, 2, j);
      if (j == 3) sum += At(a, i, 3);
      At(c, i, j) = static_cast<float>(sum);
    }
  }
  At(c, 3, 3) = 1.0f;
  return c;
}

Matrix4 ComposeLocal(const Vec3& translation, const Quat& rotation, const Vec3& scale) {
  Matrix4 tr = RotationFromQuat(rotation);
  At(tr, 0, 3) = translation.x;
  At(tr, 1, 3) = translation.y;
  At(tr, 2, 3) = translation.z;
  Matrix4 s{};
  At(s, 0, 0) = scale.x;
  At(s, 1, 1) = scale.y;
  At(s, 2, 2) = scale.z;
  At(s, 3, 3) = 1.0f;
  return host_math::AffineProduct(tr, s);
}

}  // namespace ortolix::host_math
