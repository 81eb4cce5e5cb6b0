// Small emitters shared by the block writers: indentation, list separators
// and the sixteen values of a matrix.
#pragma once

#include <cstdint>

#include "math/vector_math.h"
#include "xwriter/text_format.h"

namespace ortolix {

// "%*s" with the one-blank text: max(width, 1) blanks.
inline void Indent(TextSink& sink, std::int32_t width) { Print(sink, "%*s", width, " "); }

// The separator after list element `index` of `count`: ",\n" between
// elements, ";\n" after the last.
inline void ListSeparator(TextSink& sink, std::int64_t index, std::int64_t count) {
  sink.Text(index + 1 < count ? ",\n" : ";\n");
}

// The sixteen values of a matrix, row by row: the first three elements of
// each row and a fixed fourth value (0 for rows 0 to 2, 1 for row 3). Each row
// starts with `blanks` blanks and ends in ",\n", the last in ";;\n".
void MatrixRows(TextSink& sink, std::int32_t blanks, const Matrix4& m);

}  // namespace ortolix
