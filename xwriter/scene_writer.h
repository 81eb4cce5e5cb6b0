// The order of the written file: header, templates, AnimTicksPerSecond, the
// frames and the animation sets.
#pragma once

#include "xwriter/text_sink.h"
#include "xwriter/write_context.h"

namespace ortolix {

// Writes the whole file body into `sink`. Returns 1, or 0 for a missing sink
// or model, or when a frame writer failed (what was written stays).
int WriteScene(TextSink* sink, const WriteContext& context);

// The header line, the header comment (after refreshing the model's time
// stamp) and the template block. 0 for a missing sink or model.
int WriteHeaderAndTemplates(TextSink* sink, const WriteContext& context);

}  // namespace ortolix
