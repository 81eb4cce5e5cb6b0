// Templates known to a file object or to one parsed file: the registered
// blocks plus the declarations a file makes itself. The first declaration
// of a name stands; lookups try the exact name, then ignore ASCII case (one
// exporter writes "TextureFileName").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/xfile/xfile_types.h"

namespace ortolix {

enum class PrimitiveType : std::uint8_t {
  kWord,
  kDword,
  kFloat,
  kDouble,
  kChar,
  kUchar,
  kSword,
  kSdword,
  kString,   // STRING: pointer to NUL-terminated text in Lock data
  kCstring,  // laid out like STRING
  kUnicode,  // laid out like STRING (8-bit text as written)
};

// Bytes one value of `type` takes in Lock data.
std::uint32_t PrimitiveLockSize(PrimitiveType type);
std::string_view PrimitiveName(PrimitiveType type);
bool IsStringType(PrimitiveType type);
bool IsIntegerType(PrimitiveType type);

struct ArrayDim {
  std::uint32_t fixed = 0;  // size when `member` < 0
  std::int32_t member = -1; // index of an earlier member of the same template
};

struct TemplateMember {
  std::string name;
  bool primitive = true;
  PrimitiveType type = PrimitiveType::kDword;
  std::uint32_t template_index = 0;  // when !primitive
  std::vector<ArrayDim> dims;        // empty for a plain member
};

enum class Restriction : std::uint8_t { kClosed, kOpen, kRestricted };

struct RestrictionItem {
  std::string name;
  GUID guid{};
  bool has_guid = false;
};

struct XTemplate {
  std::string name;
  GUID guid{};
  bool has_guid = false;
  std::vector<TemplateMember> members;
  Restriction restriction = Restriction::kClosed;
  std::vector<RestrictionItem> allowed;

  // Derived when added to a registry.
  std::uint32_t depth = 1;         // nesting of template-typed members
  bool fixed = false;              // Lock size independent of the data
  std::uint64_t fixed_size = 0;    // Lock bytes of one instance when fixed
  std::uint64_t fixed_values = 0;  // primitive values of one instance when fixed
  bool all_float = false;          // fixed, and every value a FLOAT
  bool all_dword = false;          // fixed, and every value a DWORD
  std::uint64_t min_values = 0;    // primitive values at least (arrays count 0)
};

class TemplateRegistry {
 public:
  std::size_t size() const { return templates_.size(); }
  const XTemplate& at(std::uint32_t index) const { return templates_[index]; }

  // Index of the template named `name`, or -1. `case_differs` is set when
  // only a case-insensitive match exists.
  std::int32_t Find(std::string_view name, bool* case_differs) const;

  // Adds a template whose member types are already indices of this
  // registry. Returns false (and adds nothing) when the name is taken.
  bool Add(XTemplate tmpl);

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  std::vector<XTemplate> templates_;
  std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> by_name_;
  std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> by_folded_;
};

}  // namespace ortolix
