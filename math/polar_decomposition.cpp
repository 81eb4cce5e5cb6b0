#include "math/polar_decomposition.h"

#include <cmath>
#include <utility>

namespace ortolix {
namespace {

inline double D(float v) { return static_cast<double>(v); }
inline float F(double v) { return static_cast<float>(v); }

inline float At(const Matrix4& a, int r, int c) { return a.m[4 * r + c]; }
inline float& At(Matrix4& a, int r, int c) { return a.m[4 * r + c]; }

constexpr double kPolarTolerance = 1e-6;
constexpr float kHalfRoot2Float = 0.70710677f;
constexpr double kHalfRoot2Double = 0.7071067811865476;

Vec3 Row(const Matrix4& m, int r) { return Vec3{At(m, r, 0), At(m, r, 1), At(m, r, 2)}; }
Vec3 Column(const Matrix4& m, int c) {
  return Vec3{At(m, 0, c), At(m, 1, c), At(m, 2, c)};
}

double DotD(const Vec3& a, const Vec3& b) {
  return D(a.x) * b.x + D(a.y) * b.y + D(a.z) * b.z;
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
  return Vec3{F(D(a.y) * b.z - D(a.z) * b.y), F(D(a.z) * b.x - D(a.x) * b.z),
              F(D(a.x) * b.y - D(a.y) * b.x)};
}

void SetRow(Matrix4& m, int r, const Vec3& v) {
  At(m, r, 0) = v.x;
  At(m, r, 1) = v.y;
  At(m, r, 2) = v.z;
}

// Row 3 and column 3 become (0, 0, 0, 1).
void Complete(Matrix4& m) {
  for (int i = 0; i < 3; ++i) {
    At(m, i, 3) = 0.0f;
    At(m, 3, i) = 0.0f;
  }
  At(m, 3, 3) = 1.0f;
}

// Transpose of the 3×3 part, completed.
Matrix4 Transpose3(const Matrix4& m) {
  Matrix4 t;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) At(t, i, j) = At(m, j, i);
  Complete(t);
  return t;
}

// 3×3 product, completed.
Matrix4 Product3(const Matrix4& a, const Matrix4& b) {
  Matrix4 c;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      At(c, i, j) = F(D(At(a, i, 0)) * At(b, 0, j) + D(At(a, i, 1)) * At(b, 1, j) +
                      D(At(a, i, 2)) * At(b, 2, j));
  Complete(c);
  return c;
}

// One scaled Newton step Mk ← g1·Mk + g2·Ak. Returns the 1-norm of the change.
float NewtonStep(Matrix4& mk, const Matrix4& ak, float det, float m1, float mi) {
  const float a1 = MaxColumnSum(ak);
  const float ai = MaxRowSum(ak);
  const float gamma =
      F(std::sqrt(std::sqrt((D(a1) * ai) / (D(m1) * mi)) / std::fabs(D(det))));
  const float g1 = F(0.5 * gamma);
  const float g2 = F(0.5 / (D(gamma) * det));
  Matrix4 e = mk;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      At(mk, i, j) = F(D(g1) * At(mk, i, j) + D(g2) * At(ak, i, j));
      At(e, i, j) = F(D(At(e, i, j)) - At(mk, i, j));
    }
  }
  return MaxColumnSum(e);
}

// k rotated one place up: x ← z, y ← x, z ← y.
void RotateUp(Vec4& k) { k = Vec4{k.z, k.x, k.y, k.w}; }
// k rotated one place down: x ← y, y ← z, z ← x.
void RotateDown(Vec4& k) { k = Vec4{k.y, k.z, k.x, k.w}; }

float& Component(Vec4& k, int i) { return i == 0 ? k.x : i == 1 ? k.y : k.z; }

// One Jacobi rotation zeroing the off-diagonal element o[i], which stands in
// rows and columns p = next(i) and q = next(p).
void JacobiRotate(int i, double d[3], double o[3], Matrix4& u) {
  const int p = (i + 1) % 3;
  const int q = (p + 1) % 3;
  const double abs_o = std::fabs(o[i]);
  if (!(abs_o > 0.0)) return;
  const double g = 100.0 * abs_o;
  const double h = d[q] - d[p];
  const double abs_h = std::fabs(h);
  double t;
  if (abs_h + g == abs_h) {
    t = o[i] / h;
  } else {
    const double theta = 0.5 * h / o[i];
    t = 1.0 / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
    if (theta < 0.0) t = -t;
  }
  const double c = 1.0 / std::sqrt(t * t + 1.0);
  const double s = t * c;
  const double tau = s / (c + 1.0);
  const double ta = t * o[i];
  o[i] = 0.0;
  d[p] -= ta;
  d[q] += ta;
  const double oq = o[q];
  o[q] -= s * (o[p] + tau * o[q]);
  o[p] += s * (oq - tau * o[p]);
  for (int j = 2; j >= 0; --j) {
    const double a = At(u, j, p);
    const double b = At(u, j, q);
    At(u, j, p) = F(a - s * (b + tau * a));
    At(u, j, q) = F(b + s * (a - tau * b));
  }
}

float QuatComponent(const Quat& q, int i) {
  return i == 0 ? q.x : i == 1 ? q.y : i == 2 ? q.z : q.w;
}

// Two equal scale factors: the odd axis is turned onto z, the stretch rotation
// is reduced by the axis permutation nearest to it, and the remaining twist
// about z (which the equal pair cannot see) is removed.
Quat EqualPairStretch(const Quat& u_in, Vec4& k, int odd_axis) {
  Quat a{0.0f, 0.0f, 0.0f, 1.0f};
  Quat u = u_in;
  if (odd_axis == 0) {
    a = Quat{0.0f, kHalfRoot2Float, 0.0f, kHalfRoot2Float};
    u = PolarQuatProduct(u, a);
    std::swap(k.x, k.z);
  } else if (odd_axis == 1) {
    a = Quat{kHalfRoot2Float, 0.0f, 0.0f, kHalfRoot2Float};
    u = PolarQuatProduct(u, a);
    std::swap(k.y, k.z);
  }
  u = QuatConjugate(u);
  double mag[3] = {D(u.z) * u.z + D(u.w) * u.w - 0.5, D(u.x) * u.z - D(u.y) * u.w,
                   D(u.y) * u.z + D(u.x) * u.w};
  bool negative[3];
  for (int i = 0; i < 3; ++i) {
    negative[i] = mag[i] < 0.0;
    if (negative[i]) mag[i] = -mag[i];
  }
  int win;
  if (mag[0] > mag[1]) {
    win = mag[0] > mag[2] ? 0 : 2;
  } else {
    win = mag[1] > mag[2] ? 1 : 2;
  }
  Quat b;
  if (win == 0) {
    b = negative[0] ? Quat{1.0f, 0.0f, 0.0f, 0.0f} : Quat{0.0f, 0.0f, 0.0f, 1.0f};
  } else if (win == 1) {
    b = negative[1] ? Quat{0.5f, 0.5f, -0.5f, -0.5f} : Quat{0.5f, 0.5f, 0.5f, 0.5f};
    RotateUp(k);
  } else {
    b = negative[2] ? Quat{-0.5f, 0.5f, -0.5f, -0.5f} : Quat{0.5f, 0.5f, 0.5f, -0.5f};
    RotateDown(k);
  }
  const Quat r = PolarQuatProduct(u, b);
  const float t = F(std::sqrt(mag[win] + 0.5));
  b = PolarQuatProduct(b, Quat{0.0f, 0.0f, F(-D(r.z) / t), F(D(r.w) / t)});
  return PolarQuatProduct(a, QuatConjugate(b));
}

// The two largest of the four magnitudes: hi the largest, lo the next.
void TwoLargest(const float qa[4], int& hi, int& lo) {
  lo = qa[0] > qa[1] ? 0 : 1;
  hi = qa[2] > qa[3] ? 2 : 3;
  if (qa[lo] > qa[hi]) {
    if (qa[lo ^ 1] > qa[hi]) {
      hi = lo;
      lo ^= 1;
    } else {
      std::swap(hi, lo);
    }
  } else if (qa[hi ^ 1] > qa[lo]) {
    lo = hi ^ 1;
  }
}

// Distinct scale factors: p is the axis permutation (with signs) nearest to u,
// so u ⊗ p has the largest scalar part of all equivalent forms.
Quat DistinctStretch(const Quat& u, Vec4& k) {
  float qa[4];
  bool negative[4];
  bool parity = false;
  for (int i = 0; i < 4; ++i) {
    const float c = QuatComponent(u, i);
    negative[i] = c < 0.0f;
    qa[i] = std::fabs(c);
    parity = parity != negative[i];
  }
  auto signed_value = [&](int i, float v) { return negative[i] ? -v : v; };
  float pa[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  int hi, lo;
  TwoLargest(qa, hi, lo);
  const float all = F((D(qa[0]) + qa[1] + qa[2] + qa[3]) * 0.5);
  const float two = F((D(qa[hi]) + qa[lo]) * kHalfRoot2Double);
  const float big = qa[hi];
  if (all > two) {
    if (all > big) {
      for (int i = 0; i < 4; ++i) pa[i] = signed_value(i, 0.5f);
      parity ? RotateDown(k) : RotateUp(k);
    } else {
      pa[hi] = signed_value(hi, 1.0f);
    }
  } else if (two > big) {
    pa[hi] = signed_value(hi, kHalfRoot2Float);
    pa[lo] = signed_value(lo, kHalfRoot2Float);
    if (lo > hi) std::swap(hi, lo);
    if (hi == 3) {
      static constexpr int kNext[3] = {1, 2, 0};
      hi = kNext[lo];
      lo = 3 - hi - lo;
    }
    std::swap(Component(k, hi), Component(k, lo));
  } else {
    pa[hi] = signed_value(hi, 1.0f);
  }
  return Quat{-pa[0], -pa[1], -pa[2], pa[3]};
}

}  // namespace

// --- Quaternion helpers ----------------------------------------------------

Quat PolarQuatProduct(const Quat& a, const Quat& b) {
  return Quat{
      F(D(a.w) * b.x + D(a.x) * b.w + D(a.y) * b.z - D(a.z) * b.y),
      F(D(a.w) * b.y + D(a.y) * b.w + D(a.z) * b.x - D(a.x) * b.z),
      F(D(a.w) * b.z + D(a.z) * b.w + D(a.x) * b.y - D(a.y) * b.x),
      F(D(a.w) * b.w - D(a.x) * b.x - D(a.y) * b.y - D(a.z) * b.z),
  };
}

Quat QuatConjugate(const Quat& q) { return Quat{-q.x, -q.y, -q.z, q.w}; }

Quat QuatScaled(const Quat& q, float s) {
  return Quat{q.x * s, q.y * s, q.z * s, q.w * s};
}

// --- Norms, adjugate, reflectors -------------------------------------------

float MaxColumnSum(const Matrix4& m) {
  float max = 0.0f;
  for (int i = 0; i < 3; ++i) {
    const float sum = F(std::fabs(D(At(m, 0, i))) + std::fabs(D(At(m, 1, i))) +
                        std::fabs(D(At(m, 2, i))));
    if (sum > max) max = sum;
  }
  return max;
}

float MaxRowSum(const Matrix4& m) {
  float max = 0.0f;
  for (int i = 0; i < 3; ++i) {
    const float sum = F(std::fabs(D(At(m, i, 0))) + std::fabs(D(At(m, i, 1))) +
                        std::fabs(D(At(m, i, 2))));
    if (sum > max) max = sum;
  }
  return max;
}

Matrix4 AdjugateTranspose(const Matrix4& m) {
  Matrix4 a;
  SetRow(a, 0, Cross(Row(m, 1), Row(m, 2)));
  SetRow(a, 1, Cross(Row(m, 2), Row(m, 0)));
  SetRow(a, 2, Cross(Row(m, 0), Row(m, 1)));
  Complete(a);
  return a;
}

int LargestColumn(const Matrix4& m) {
  int column = -1;
  float max = 0.0f;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const float magnitude = std::fabs(At(m, i, j));
      if (magnitude > max) {
        max = magnitude;
        column = j;
      }
    }
  }
  return column;
}

Vec3 HouseholderVector(const Vec3& x) {
  const float s = F(std::sqrt(DotD(x, x)));
  Vec3 u{x.x, x.y, x.z < 0.0f ? F(D(x.z) - s) : F(D(x.z) + s)};
  const float scale = F(std::sqrt(2.0 / DotD(u, u)));
  return Vec3{u.x * scale, u.y * scale, u.z * scale};
}

void ReflectColumns(Matrix4& m, const Vec3& u) {
  for (int i = 0; i < 3; ++i) {
    const float s = F(DotD(u, Column(m, i)));
    At(m, 0, i) = F(D(At(m, 0, i)) - D(u.x) * s);
    At(m, 1, i) = F(D(At(m, 1, i)) - D(u.y) * s);
    At(m, 2, i) = F(D(At(m, 2, i)) - D(u.z) * s);
  }
}

void ReflectRows(Matrix4& m, const Vec3& u) {
  for (int i = 0; i < 3; ++i) {
    const float s = F(DotD(u, Row(m, i)));
    At(m, i, 0) = F(D(At(m, i, 0)) - D(u.x) * s);
    At(m, i, 1) = F(D(At(m, i, 1)) - D(u.y) * s);
    At(m, i, 2) = F(D(At(m, i, 2)) - D(u.z) * s);
  }
}

// --- Rank-deficient polar factors ------------------------------------------

void RankOneRotation(Matrix4& m, Matrix4& q) {
  // When q is m, the identity replaces m before it is read, so the result is
  // the identity: two reflections by the same vectors cancel.
  SetIdentity(q);
  const int column = LargestColumn(m);
  if (column < 0) return;
  const Vec3 ra = HouseholderVector(Column(m, column));
  ReflectColumns(m, ra);
  const Vec3 rb = HouseholderVector(Row(m, 2));
  ReflectRows(m, rb);
  if (At(m, 2, 2) < 0.0f) At(q, 2, 2) = -1.0f;
  ReflectColumns(q, ra);
  ReflectRows(q, rb);
}

void RankTwoRotation(Matrix4& m, const Matrix4& adjugate, Matrix4& q) {
  const int column = LargestColumn(adjugate);
  if (column < 0) {
    RankOneRotation(m, q);
    return;
  }
  const Vec3 ra = HouseholderVector(Column(adjugate, column));
  ReflectColumns(m, ra);
  const Vec3 rb = HouseholderVector(Cross(Row(m, 0), Row(m, 1)));
  ReflectRows(m, rb);
  // The remaining 2×2 block; read before q (possibly m itself) is written.
  const float w = At(m, 0, 0), x = At(m, 0, 1), y = At(m, 1, 0), z = At(m, 1, 1);
  const bool proper = D(w) * z > D(x) * y;
  float c = proper ? F(D(z) + w) : F(D(z) - w);
  float s = proper ? F(D(y) - x) : F(D(y) + x);
  const float d = F(std::sqrt(D(c) * c + D(s) * s));
  c = F(D(c) / d);
  s = F(D(s) / d);
  if (proper) {
    At(q, 0, 0) = At(q, 1, 1) = c;
    At(q, 1, 0) = s;
    At(q, 0, 1) = -s;
  } else {
    At(q, 1, 1) = c;
    At(q, 0, 0) = -c;
    At(q, 0, 1) = At(q, 1, 0) = s;
  }
  At(q, 0, 2) = At(q, 2, 0) = At(q, 1, 2) = At(q, 2, 1) = 0.0f;
  At(q, 2, 2) = 1.0f;
  ReflectColumns(q, ra);
  ReflectRows(q, rb);
}

// --- The decomposition -----------------------------------------------------

PolarResult PolarDecompose(const Matrix4& m, int max_passes) {
  PolarResult result{};
  Matrix4 mk = Transpose3(m);
  float m1 = MaxColumnSum(mk);
  float mi = MaxRowSum(mk);
  // Finite input converges within a few passes (at most 6 in 200 000 random
  // matrices whose scales span up to 38 decades), and NaN or infinite input
  // ends in the first; the pass limit is a guard against anything else.
  for (;;) {
    ++result.passes;
    const Matrix4 ak = AdjugateTranspose(mk);
    result.det = F(DotD(Row(mk, 0), Row(ak, 0)));
    if (result.det == 0.0f) {
      RankTwoRotation(mk, ak, mk);
      break;
    }
    const float e1 = NewtonStep(mk, ak, result.det, m1, mi);
    m1 = MaxColumnSum(mk);
    mi = MaxRowSum(mk);
    if (!(D(e1) > D(m1) * kPolarTolerance)) break;
    if (result.passes >= max_passes) break;
  }
  result.q = Transpose3(mk);
  result.s = Product3(mk, m);
  for (int i = 0; i < 3; ++i) {
    for (int j = i; j < 3; ++j) {
      const float v = F(0.5 * (D(At(result.s, i, j)) + At(result.s, j, i)));
      At(result.s, i, j) = v;
      At(result.s, j, i) = v;
    }
  }
  return result;
}

EigenResult SymmetricEigen(const Matrix4& s) {
  EigenResult result;
  SetIdentity(result.u);
  double d[3] = {At(s, 0, 0), At(s, 1, 1), At(s, 2, 2)};
  double o[3] = {At(s, 1, 2), At(s, 2, 0), At(s, 0, 1)};
  for (int sweep = 0; sweep < kJacobiMaxSweeps; ++sweep) {
    const float sm = F(std::fabs(o[0]) + std::fabs(o[1]) + std::fabs(o[2]));
    if (sm == 0.0f) break;
    for (int i = 2; i >= 0; --i) JacobiRotate(i, d, o, result.u);
  }
  result.k = Vec4{F(d[0]), F(d[1]), F(d[2]), 1.0f};
  return result;
}

Quat QuatFromRotation(const Matrix4& m) {
  Quat q;
  const float tr = F(D(At(m, 0, 0)) + At(m, 1, 1) + At(m, 2, 2));
  if (tr >= 0.0f) {
    float s = F(std::sqrt(D(tr) + At(m, 3, 3)));
    q.w = F(0.5 * s);
    s = F(0.5 / s);
    q.x = F((D(At(m, 2, 1)) - At(m, 1, 2)) * s);
    q.y = F((D(At(m, 0, 2)) - At(m, 2, 0)) * s);
    q.z = F((D(At(m, 1, 0)) - At(m, 0, 1)) * s);
  } else {
    int h = 0;
    if (At(m, 1, 1) > At(m, 0, 0)) h = 1;
    if (At(m, 2, 2) > At(m, h, h)) h = 2;
    const int i = h, j = (h + 1) % 3, k = (h + 2) % 3;
    float s = F(std::sqrt((D(At(m, i, i)) - (D(At(m, j, j)) + At(m, k, k))) + At(m, 3, 3)));
    float v[3];
    v[i] = F(0.5 * s);
    s = F(0.5 / s);
    v[j] = F((D(At(m, i, j)) + At(m, j, i)) * s);
    v[k] = F((D(At(m, k, i)) + At(m, i, k)) * s);
    q = Quat{v[0], v[1], v[2], F((D(At(m, k, j)) - At(m, j, k)) * s)};
  }
  if (At(m, 3, 3) != 1.0f) q = QuatScaled(q, F(1.0 / std::sqrt(D(At(m, 3, 3)))));
  return q;
}

Quat CanonicalStretch(const Quat& u, Vec4& k) {
  if (k.x == k.y) {
    if (k.x == k.z) return QuatConjugate(u);
    return EqualPairStretch(u, k, 2);
  }
  if (k.x == k.z) return EqualPairStretch(u, k, 1);
  if (k.y == k.z) return EqualPairStretch(u, k, 0);
  return DistinctStretch(u, k);
}

AffineParts DecomposeAffine(const Matrix4& a) {
  AffineParts parts;
  parts.t = Vec4{At(a, 0, 3), At(a, 1, 3), At(a, 2, 3), 0.0f};
  PolarResult polar = PolarDecompose(a);
  parts.f = 1.0f;
  if (polar.det < 0.0f) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) At(polar.q, i, j) = -At(polar.q, i, j);
    parts.f = -1.0f;
  }
  parts.q = QuatFromRotation(polar.q);
  const EigenResult eigen = SymmetricEigen(polar.s);
  parts.k = eigen.k;
  const Quat u = QuatFromRotation(eigen.u);
  const Quat p = CanonicalStretch(u, parts.k);
  parts.u = PolarQuatProduct(u, p);
  return parts;
}

}  // namespace ortolix
