// Bounds the reader enforces on every file, so that a hostile file cannot
// exhaust the stack, memory or time. Defaults suit any real model; tests and
// the fuzz target lower them.
#pragma once

#include <cstdint>

namespace ortolix {

struct ReaderLimits {
  // Data objects nested inside data objects (Frame inside Frame ...).
  std::uint32_t max_object_depth = 128;
  // Templates nested inside templates as members (Mesh → MeshFace → ...).
  std::uint32_t max_template_depth = 32;
  // Members of one template declaration.
  std::uint32_t max_template_members = 1024;
  // Bytes of one name (template, object, member or referenced name).
  std::uint32_t max_name_length = 65535;
  // Bytes of the file, and of the payload after decompression.
  std::uint64_t max_file_bytes = 1ull << 31;
  // Bytes of Lock data plus string text for the whole file.
  std::uint64_t max_data_bytes = 1ull << 32;
  // Elements of one array member.
  std::uint64_t max_array_elements = 1ull << 28;
  // Data objects (including references) in one file.
  std::uint64_t max_objects = 1ull << 24;
  // Everything one read allocates: the file's bytes, the inflated payload
  // of a compressed file, Lock data and strings, and the data objects. Sized
  // for a 32-bit process; the command's --max-memory sets it.
  std::uint64_t max_memory = 1ull << 30;
  // Objects of the tree a walker sees when it follows every reference into
  // the object it names (references may repeat whole subtrees).
  std::uint64_t max_expanded_objects = 1ull << 24;
};

}  // namespace ortolix
