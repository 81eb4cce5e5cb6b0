// Reader limits for the fuzz targets: tighter than the defaults so that one
// input stays within the fuzzer's memory and time limits even when it is all
// counts and references.
#pragma once

#include "platform/xfile/reader_limits.h"

namespace ortolix {

inline ReaderLimits FuzzLimits() {
  ReaderLimits limits;
  limits.max_file_bytes = 1u << 24;
  limits.max_data_bytes = 1u << 26;
  limits.max_objects = 1u << 18;
  limits.max_expanded_objects = 1u << 18;
  limits.max_memory = 1u << 28;
  return limits;
}

}  // namespace ortolix
