#include "xwriter/flip.h"

#include <initializer_list>

namespace ortolix {

Matrix4 FlipConjugate(const Matrix4& m) {
  Matrix4 out = m;
  for (int index : {2, 6, 8, 9, 14}) out.m[index] = -out.m[index];
  return out;
}

}  // namespace ortolix
