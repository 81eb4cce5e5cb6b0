// One parsed .x file: its payload, templates, data objects and their Lock
// data. Built once by ParseDocument and read-only afterwards; the D3DX-shaped
// objects share it, so it lives as long as any of them.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xfile/diagnostics.h"
#include "platform/xfile/file_header.h"
#include "platform/xfile/byte_buffer.h"
#include "platform/xfile/reader_limits.h"
#include "platform/xfile/template_registry.h"

namespace ortolix {

inline constexpr std::uint32_t kNoObject = std::numeric_limits<std::uint32_t>::max();

struct XObject {
  std::string_view type_name;        // as written (references: empty)
  std::string_view name;             // object name, or the referenced name
  GUID id{};                         // the object's own GUID (references: the one written)
  std::int32_t template_index = -1;  // -1 for undeclared templates and references
  std::uint32_t parent = kNoObject;
  std::uint32_t target = kNoObject;  // references: the object referred to
  bool is_reference = false;
  bool has_id = false;
  std::uint64_t data_offset = 0;     // Lock data in XDocument::data
  std::uint64_t data_size = 0;
  std::uint32_t first_child = 0;     // in XDocument::children
  std::uint32_t child_count = 0;
  std::uint64_t source_offset = 0;   // payload offset of the type name
};

struct XDocument {
  ByteBuffer payload_storage;
  std::string_view payload;  // text or binary token stream
  XFileHeader header;
  TemplateRegistry templates;
  std::vector<XObject> objects;          // in file order (pre-order)
  std::vector<std::uint32_t> children;   // per-object child lists, contiguous
  std::vector<std::uint32_t> top_level;  // top-level objects in file order
  ByteBuffer data;                       // Lock data of every object, packed
  std::vector<char> strings;             // NUL-terminated texts STRING members point to
  std::vector<XWarning> warnings;

  // The object a reference stands for (itself otherwise).
  const XObject& Resolved(std::uint32_t index) const {
    const XObject& o = objects[index];
    return o.is_reference && o.target != kNoObject ? objects[o.target] : o;
  }
};

// Parses a whole file image (header included) with `templates` as the
// registered templates. On failure returns null and fills `error`.
// Safe on hostile input within `limits`.
std::shared_ptr<const XDocument> ParseDocument(ByteBuffer file,
                                               const TemplateRegistry& templates,
                                               const ReaderLimits& limits,
                                               const std::string& file_name, XDiagnostic* error);

// Reads a template block (header plus template declarations only) into
// `templates`. A data object in the block is a parse error.
[[nodiscard]] XDiagnostic ParseTemplateBlock(std::span<const std::uint8_t> block,
                                             TemplateRegistry* templates,
                                             const ReaderLimits& limits);

}  // namespace ortolix
