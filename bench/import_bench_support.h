// Shared by the import benchmark and its peak-memory driver: the generated
// 1M-triangle skinned, animated model (32 bones, one animation set) as text
// and binary .x files in the temporary directory, and one whole import of a
// file by ortolix and by assimp.
#pragma once

#include <cstdint>
#include <string>

namespace ortolix::bench {

enum class GridEncoding { kText, kBinary };

// Where the file of `encoding` lives (the same path in every process).
std::string SkinnedGridFilePath(GridEncoding encoding);

// Writes both files; false when one cannot be written.
bool WriteSkinnedGridFiles();

// Triangles of the generated model.
std::uint64_t SkinnedGridTriangles();

// The read message's work on `path`: ReadImportFile into the module-wide
// ImportModel with a fresh device. The triangles of the ImportModel, or 0
// when the read fails. The ImportModel is left filled.
std::uint64_t ImportWithOrtolix(const std::string& path);

// assimp's ReadFile(path, 0): the triangles of its scene, 0 when it fails
// or when assimp is not built in.
std::uint64_t ImportWithAssimp(const std::string& path);

}  // namespace ortolix::bench
