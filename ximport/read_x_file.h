// The first stage of an import: the device the mesh services build meshes
// on, and ReadXFile, which reads one .x file into the reader's ImportScene.
#pragma once

#include <cstdint>

#include "platform/crt/wide_char.h"
#include "platform/d3dx/d3d9_device.h"
#include "ximport/import_scene.h"

namespace ortolix {

// Why CreateImportDevice gave no device.
enum DirectXInitFailure : std::uint32_t {
  kDirectXInitNone = 0,
  kDirectXInitNoInterface = 1,  // the Direct3D object could not be created
  kDirectXInitNoDevice = 2,     // the device could not be created
};

// A NULL-reference device on adapter 0 and the desktop window, with one
// reference the caller releases; null on failure with *failure set to 1 or 2
// (left as it was on success). `failure` may be null.
[[nodiscard]] IDirect3DDevice9* CreateImportDevice(std::uint32_t* failure);

// Reads the .x file at `path` (wide text, NUL-terminated) into a new
// SceneNode that becomes the reader's current scene and the head of its scene
// list (the previous current scene is dropped). `reader.device` must be set.
// Returns a negative HRESULT on failure: E_FAIL without a device or path, the
// file services' code when the file cannot be opened or parsed, E_INVALIDARG
// for a bad animation (two frame references, a frame not yet defined, two
// key lists of one type), E_OUTOFMEMORY. A failed read leaves the reader's
// scene fields as they were, puts the reason in `reader.error` and destroys
// what it built. Warnings of the read go to `reader.warnings` (replaced on
// every read). The two trailing arguments are ignored. Safe on hostile files:
// every walk of the tree is iterative or bounded by the file services'
// nesting limit.
[[nodiscard]] HRESULT ReadXFile(XFileReader& reader, const WideChar* path,
                                std::uint32_t unused1 = 0, std::uint32_t unused2 = 0);

}  // namespace ortolix
