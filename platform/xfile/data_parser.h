// Template-driven reader of data objects. Walks the token stream of a whole
// file: template declarations go to the document's registry, data objects
// become XObjects whose Lock data is laid out from their template (packed,
// members in order, nested templates and arrays inline). Undeclared templates
// become opaque objects; references are recorded for a later resolution pass.
// Counts are checked against the bytes left before anything is allocated;
// object nesting is bounded by ReaderLimits::max_object_depth.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/xfile/document.h"
#include "platform/xfile/parse_context.h"
#include "platform/xfile/token_stream.h"

namespace ortolix {

class DataParser {
 public:
  DataParser(TokenStream& stream, XDocument& doc, ParseContext& ctx)
      : stream_(stream), doc_(doc), ctx_(ctx) {}

  // Reads to the end of the payload. `templates_only` rejects data objects.
  [[nodiscard]] bool ParseFile(bool templates_only);

  // (Lock data position, string offset) pairs: pointers written once the
  // string storage no longer moves.
  const std::vector<std::pair<std::uint64_t, std::uint64_t>>& string_fixups() const {
    return string_fixups_;
  }

 private:
  [[nodiscard]] bool ParseObject(std::uint32_t parent, std::uint32_t depth);
  [[nodiscard]] bool ParseChildren(std::uint32_t index, std::uint32_t depth);
  [[nodiscard]] bool ParseReference(std::uint32_t parent);
  [[nodiscard]] bool SkipOpaqueBody();
  // How far an array read got when a '}' stopped it: whole elements and the
  // end of their Lock data.
  struct ArrayProgress {
    bool stopped = false;
    bool partial = false;  // the '}' came inside an element
    std::uint64_t elements = 0;
    std::uint64_t data_end = 0;
  };

  // `object_members`: the instance is the object's own (not a nested one).
  [[nodiscard]] bool ParseInstance(std::uint32_t template_index, bool object_members = false);
  [[nodiscard]] bool ParseArray(const TemplateMember& member, std::uint64_t count,
                                ArrayProgress* progress);
  [[nodiscard]] bool ParseCountedArray(const TemplateMember& member, std::uint64_t count,
                                       std::uint64_t count_at, PrimitiveType count_type);
  [[nodiscard]] bool ArrayCount(const TemplateMember& member, std::size_t base,
                                const XTemplate& owner, std::uint64_t* count);
  [[nodiscard]] bool ReadPrimitive(PrimitiveType type);
  [[nodiscard]] bool ReadPrimitives(PrimitiveType type, std::uint64_t count);
  [[nodiscard]] bool Grow(std::uint64_t bytes, std::uint8_t** out);
  [[nodiscard]] bool NewObject(std::uint32_t* index);
  [[nodiscard]] bool Error(HRESULT code, const std::string& message);

  TokenStream& stream_;
  XDocument& doc_;
  ParseContext& ctx_;
  std::vector<std::uint64_t> member_offsets_;  // stack: Lock offsets of the members being read
  std::vector<std::pair<std::uint64_t, std::uint64_t>> string_fixups_;
};

}  // namespace ortolix
