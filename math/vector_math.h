// Vectors, quaternions and 4x4 matrices shared by export, import and the Host
// records. Plain single-precision values; a Matrix4 is stored row by row.
#pragma once

namespace ortolix {

struct Vec2 {
  float x, y;
};

struct Vec3 {
  float x, y, z;
};

// w is the scalar part; the identity is (0, 0, 0, 1).
struct Quat {
  float x, y, z, w;
};

// Element (r, c) is m[4r + c]. The file layout keeps the translation in row 3,
// the column layout (Host bones, export frame building) in column 3.
struct Matrix4 {
  float m[16];
};

}  // namespace ortolix
