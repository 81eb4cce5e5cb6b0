#include "xwriter/block_text.h"

namespace ortolix {

void MatrixRows(TextSink& sink, std::int32_t blanks, const Matrix4& m) {
  for (int row = 0; row < 4; ++row) {
    const float* r = &m.m[4 * row];
    sink.Blanks(static_cast<std::size_t>(blanks));
    Print(sink, "%f, %f, %f, %f", r[0], r[1], r[2], row == 3 ? 1.0f : 0.0f);
    sink.Text(row == 3 ? ";;\n" : ",\n");
  }
}

}  // namespace ortolix
