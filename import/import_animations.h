// The ImportAnimations: one per animation set (or one default animation),
// each with one track per ImportFrame, and the sets' keys copied into them.
#pragma once

#include <cstdint>

#include "import/import_model.h"

namespace ortolix {

// Every animation holds one track per frame, so a small file with many
// frames and many empty sets would ask for their product. More tracks than
// this in all (about 240 MB of records) count as memory that cannot be had.
inline constexpr std::uint64_t kMaxImportTracks = std::uint64_t{1} << 20;

// Creates the animations and their tracks from model.animationSets and
// model.frames: one per set, named after it (sets are never unnamed here),
// else one "DefaultAnim0"; each starts with end 30 and frame rate 30. Every
// animation gets one track per frame with the frame's name, parent and local
// matrix as rest matrix. Sets the animations-present flag. False when one of
// these arrays cannot be allocated, or when the tracks would exceed
// kMaxImportTracks (the read then fails).
[[nodiscard]] bool CreateImportAnimations(ImportModel& model);

// Copies the keys of set i into animation i, binding each set track to the
// first animation track of the same name (exact bytes); set tracks naming no
// frame are dropped. A later set track for the same frame replaces the keys
// of every kind it has. Key times become floats; start and end are the
// smallest and largest tick copied (start 0 when none). A key list that
// cannot be allocated is skipped.
void CopyAnimationSetKeys(ImportModel& model);

}  // namespace ortolix
