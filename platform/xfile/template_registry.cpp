#include "platform/xfile/template_registry.h"

#include <algorithm>

namespace ortolix {

namespace {

std::string Folded(std::string_view name) {
  std::string s(name);
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

}  // namespace

std::uint32_t PrimitiveLockSize(PrimitiveType type) {
  switch (type) {
    case PrimitiveType::kWord:
    case PrimitiveType::kSword: return 2;
    case PrimitiveType::kDword:
    case PrimitiveType::kSdword:
    case PrimitiveType::kFloat: return 4;
    case PrimitiveType::kDouble: return 8;
    case PrimitiveType::kChar:
    case PrimitiveType::kUchar: return 1;
    case PrimitiveType::kString:
    case PrimitiveType::kCstring:
    case PrimitiveType::kUnicode: return sizeof(const char*);
  }
  return 0;
}

std::string_view PrimitiveName(PrimitiveType type) {
  switch (type) {
    case PrimitiveType::kWord: return "WORD";
    case PrimitiveType::kDword: return "DWORD";
    case PrimitiveType::kFloat: return "FLOAT";
    case PrimitiveType::kDouble: return "DOUBLE";
    case PrimitiveType::kChar: return "CHAR";
    case PrimitiveType::kUchar: return "UCHAR";
    case PrimitiveType::kSword: return "SWORD";
    case PrimitiveType::kSdword: return "SDWORD";
    case PrimitiveType::kString: return "STRING";
    case PrimitiveType::kCstring: return "CSTRING";
    case PrimitiveType::kUnicode: return "UNICODE";
  }
  return "?";
}

bool IsStringType(PrimitiveType type) {
  return type == PrimitiveType::kString || type == PrimitiveType::kCstring ||
         type == PrimitiveType::kUnicode;
}

bool IsIntegerType(PrimitiveType type) {
  return !IsStringType(type) && type != PrimitiveType::kFloat && type != PrimitiveType::kDouble;
}

std::int32_t TemplateRegistry::Find(std::string_view name, bool* case_differs) const {
  *case_differs = false;
  auto it = by_name_.find(name);
  if (it != by_name_.end()) return static_cast<std::int32_t>(it->second);
  auto folded = by_folded_.find(Folded(name));
  if (folded == by_folded_.end()) return -1;
  *case_differs = true;
  return static_cast<std::int32_t>(folded->second);
}

// Derived sizes let the data parser read fixed structures (Vector,
// Matrix4x4, IndexedColor ...) without walking their members one by one.
bool TemplateRegistry::Add(XTemplate t) {
  bool case_differs;
  if (Find(t.name, &case_differs) >= 0) return false;
  t.fixed = true;
  t.all_float = true;
  t.all_dword = true;
  t.depth = 1;
  t.fixed_size = 0;
  t.fixed_values = 0;
  t.min_values = 0;
  for (const TemplateMember& m : t.members) {
    std::uint64_t count = 1;
    for (const ArrayDim& d : m.dims) {
      if (d.member >= 0) t.fixed = false;
      count *= d.fixed;
      if (count > (1u << 20)) t.fixed = false;  // keep the products small
    }
    bool is_array = !m.dims.empty();
    if (m.primitive) {
      t.all_float = t.all_float && m.type == PrimitiveType::kFloat;
      t.all_dword = t.all_dword && m.type == PrimitiveType::kDword;
      t.fixed_size += count * PrimitiveLockSize(m.type);
      t.fixed_values += count;
      if (!is_array) t.min_values += 1;
    } else {
      const XTemplate& sub = templates_[m.template_index];
      t.depth = std::max(t.depth, sub.depth + 1);
      t.fixed = t.fixed && sub.fixed;
      t.all_float = t.all_float && sub.all_float;
      t.all_dword = t.all_dword && sub.all_dword;
      t.fixed_size += count * sub.fixed_size;
      t.fixed_values += count * sub.fixed_values;
      if (!is_array) t.min_values += sub.min_values;
    }
    // Saturate: huge fixed arrays are read element by element instead.
    if (t.fixed_size > (1ull << 32) || t.fixed_values > (1ull << 32)) {
      t.fixed = false;
      t.fixed_size = std::min<std::uint64_t>(t.fixed_size, 1ull << 32);
      t.fixed_values = std::min<std::uint64_t>(t.fixed_values, 1ull << 32);
    }
    t.min_values = std::min<std::uint64_t>(t.min_values, 1ull << 32);
  }
  if (!t.fixed) {
    t.all_float = false;
    t.all_dword = false;
  }
  if (t.fixed_values == 0) {
    t.all_float = false;
    t.all_dword = false;
  }
  std::uint32_t index = static_cast<std::uint32_t>(templates_.size());
  by_name_.emplace(t.name, index);
  by_folded_.emplace(Folded(t.name), index);
  templates_.push_back(std::move(t));
  return true;
}

}  // namespace ortolix
