#include "platform/xfile/data_parser.h"

#include <cstring>
#include <string>

#include "platform/xfile/template_parser.h"

namespace ortolix {

namespace {

bool IsNameLike(TokenKind k) {
  return k == TokenKind::kName || IsTypeKeyword(k) || k == TokenKind::kArray;
}

// Object names written as plain numbers ("Material 1 {") are taken as names.
bool IsObjectName(TokenKind k) {
  return IsNameLike(k) || k == TokenKind::kInteger || k == TokenKind::kFloatValue;
}

}  // namespace

bool DataParser::Error(HRESULT code, const std::string& message) {
  return ctx_.Fail(code, stream_.Offset(), message);
}

bool DataParser::ParseFile(bool templates_only) {
  for (;;) {
    TokenKind k = stream_.PeekKind();
    if (ctx_.failed()) return false;
    if (k == TokenKind::kEnd) return true;
    if (k == TokenKind::kTemplate) {
      if (!ParseTemplate(stream_, doc_.templates, ctx_)) return false;
      continue;
    }
    Token t;
    if (k == TokenKind::kCBrace || k == TokenKind::kSemicolon || k == TokenKind::kComma) {
      ctx_.Warn(k == TokenKind::kCBrace ? XWarningCode::kExtraClosingBrace
                                        : XWarningCode::kSeparatorOutsideData,
                stream_.Offset());
      if (!stream_.Next(&t)) return false;
      continue;
    }
    if (!IsNameLike(k)) return Error(D3DXFERR_PARSEERROR, "expected a template or a data object");
    if (templates_only) return Error(D3DXFERR_PARSEERROR, "data object in a template block");
    if (!ParseObject(kNoObject, 0)) return false;
  }
}

bool DataParser::NewObject(std::uint32_t* index) {
  if (doc_.objects.size() >= ctx_.limits().max_objects) {
    return Error(E_OUTOFMEMORY, "more data objects than the limit");
  }
  // The object, its place in a child list and its link fixed later.
  if (!ctx_.TryCharge(sizeof(XObject) + 2 * sizeof(std::uint32_t))) {
    return ctx_.OverBudget(stream_.Offset());
  }
  *index = static_cast<std::uint32_t>(doc_.objects.size());
  doc_.objects.emplace_back();
  return true;
}

// Type [Name] { [<GUID>] members... children... }
bool DataParser::ParseObject(std::uint32_t parent, std::uint32_t depth) {
  if (depth >= ctx_.limits().max_object_depth) {
    return Error(D3DXFERR_PARSEERROR, "data objects nested deeper than the limit");
  }
  Token type, name, t;
  if (!stream_.Next(&type)) return false;
  if (IsObjectName(stream_.PeekKind())) {
    if (!stream_.Next(&name)) return false;
    if (name.kind == TokenKind::kInteger || name.kind == TokenKind::kFloatValue) {
      ctx_.Warn(XWarningCode::kNameCharacters, name.offset);
    }
  }
  if (!stream_.Next(&t)) return false;
  if (t.kind != TokenKind::kOBrace) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, t.offset,
                     "expected '{' after data object type '" + std::string(type.text) + "'");
  }
  std::uint32_t index;
  if (!NewObject(&index)) return false;
  XObject& o = doc_.objects[index];
  o.type_name = type.text;
  o.name = name.text;
  o.parent = parent;
  o.source_offset = type.offset;
  if (stream_.PeekKind() == TokenKind::kGuid) {
    if (!stream_.Next(&t)) return false;
    o.id = t.guid;
    o.has_id = true;
  }
  ctx_.PushObject(type.text, name.text);
  bool case_differs = false;
  std::int32_t tmpl = doc_.templates.Find(type.text, &case_differs);
  if (tmpl < 0) {
    ctx_.Warn(XWarningCode::kUnknownTemplate, type.offset);
    if (!SkipOpaqueBody()) return false;
    ctx_.PopObject();
    return true;
  }
  if (case_differs) ctx_.Warn(XWarningCode::kTemplateNameCase, type.offset);
  o.template_index = tmpl;
  std::uint64_t start = doc_.data.size();
  o.data_offset = start;
  const XTemplate& tm = doc_.templates.at(static_cast<std::uint32_t>(tmpl));
  bool last_is_array = !tm.members.empty() && !tm.members.back().dims.empty();
  if (!ParseInstance(static_cast<std::uint32_t>(tmpl), true) ||
      !stream_.EndOfMembers(last_is_array)) {
    return false;
  }
  doc_.objects[index].data_size = doc_.data.size() - start;
  if (!ParseChildren(index, depth)) return false;
  ctx_.PopObject();
  return true;
}

bool DataParser::ParseChildren(std::uint32_t index, std::uint32_t depth) {
  Token t;
  for (;;) {
    TokenKind k = stream_.PeekKind();
    if (ctx_.failed()) return false;
    switch (k) {
      case TokenKind::kCBrace: return stream_.Next(&t);
      case TokenKind::kOBrace:
        if (!ParseReference(index)) return false;
        break;
      case TokenKind::kSemicolon:
      case TokenKind::kComma:
        ctx_.Warn(XWarningCode::kSeparatorOutsideData, stream_.Offset());
        if (!stream_.Next(&t)) return false;
        break;
      case TokenKind::kEnd: return Error(D3DXFERR_PARSEERROR, "data ends before the closing '}'");
      default:
        if (!IsNameLike(k)) {
          const XTemplate& tm = doc_.templates.at(
              static_cast<std::uint32_t>(doc_.objects[index].template_index));
          return Error(D3DXFERR_PARSEERROR,
                       "unexpected token after the members of '" + tm.name + "'");
        }
        if (!ParseObject(index, depth + 1)) return false;
    }
  }
}

// { Name }, { Name <GUID> } or { <GUID> }
bool DataParser::ParseReference(std::uint32_t parent) {
  Token open, name, t;
  if (!stream_.Next(&open)) return false;
  if (IsObjectName(stream_.PeekKind()) && !stream_.Next(&name)) return false;
  std::uint32_t index;
  if (!NewObject(&index)) return false;
  XObject& o = doc_.objects[index];
  o.is_reference = true;
  o.name = name.text;
  o.parent = parent;
  o.source_offset = open.offset;
  if (stream_.PeekKind() == TokenKind::kGuid) {
    if (!stream_.Next(&t)) return false;
    doc_.objects[index].id = t.guid;
    doc_.objects[index].has_id = true;
  }
  if (!stream_.Next(&t)) return false;
  if (t.kind != TokenKind::kCBrace) return ctx_.Fail(D3DXFERR_PARSEERROR, t.offset, "expected '}' closing a reference");
  if (name.text.empty() && !doc_.objects[index].has_id) {
    return ctx_.Fail(D3DXFERR_BADDATAREFERENCE, open.offset, "reference names no object");
  }
  return true;
}

// An object of an undeclared template: its content is skipped by counting
// braces; it keeps its type name and name but has no data and no children.
bool DataParser::SkipOpaqueBody() {
  std::uint64_t depth = 1;
  Token t;
  while (depth > 0) {
    if (!stream_.Next(&t)) return false;
    if (t.kind == TokenKind::kOBrace) ++depth;
    else if (t.kind == TokenKind::kCBrace) --depth;
    else if (t.kind == TokenKind::kEnd) return Error(D3DXFERR_PARSEERROR, "data ends before the closing '}'");
  }
  return true;
}

bool DataParser::Grow(std::uint64_t bytes, std::uint8_t** out) {
  std::uint64_t size = doc_.data.size();
  if (bytes > ctx_.limits().max_data_bytes - size ||
      size + bytes + doc_.strings.size() > ctx_.limits().max_data_bytes) {
    return Error(E_OUTOFMEMORY, "Lock data above the limit");
  }
  if (!ctx_.TryCharge(bytes)) return ctx_.OverBudget(stream_.Offset());
  *out = doc_.data.Extend(static_cast<std::size_t>(bytes));
  return true;
}

bool DataParser::ReadPrimitive(PrimitiveType type) {
  std::uint8_t* out;
  std::uint32_t size = PrimitiveLockSize(type);
  switch (type) {
    case PrimitiveType::kFloat:
      return Grow(4, &out) && stream_.ReadFloats(out, 1);
    case PrimitiveType::kDouble: {
      double d;
      if (!stream_.ReadDouble(&d) || !Grow(8, &out)) return false;
      std::memcpy(out, &d, 8);
      return true;
    }
    case PrimitiveType::kString:
    case PrimitiveType::kCstring:
    case PrimitiveType::kUnicode: {
      std::string_view text;
      if (!stream_.ReadString(&text)) return false;
      if (text.size() + 1 > ctx_.limits().max_data_bytes - doc_.strings.size()) {
        return Error(E_OUTOFMEMORY, "string data above the limit");
      }
      if (!ctx_.TryCharge(text.size() + 1 + sizeof(string_fixups_[0]))) {
        return ctx_.OverBudget(stream_.Offset());
      }
      if (!Grow(size, &out)) return false;
      string_fixups_.emplace_back(static_cast<std::uint64_t>(out - doc_.data.data()),
                                  doc_.strings.size());
      doc_.strings.insert(doc_.strings.end(), text.begin(), text.end());
      doc_.strings.push_back('\0');
      return true;
    }
    default: break;
  }
  std::uint32_t value;
  bool negative;
  std::uint64_t at = stream_.Offset();
  if (!stream_.ReadInteger(&value, &negative)) return false;
  bool is_signed = type == PrimitiveType::kSword || type == PrimitiveType::kSdword ||
                   type == PrimitiveType::kChar;
  if (negative && !is_signed) ctx_.Warn(XWarningCode::kNegativeUnsigned, at);
  if (size < 4) {
    std::int64_t v = negative ? static_cast<std::int32_t>(value) : static_cast<std::int64_t>(value);
    std::int64_t lo = -(std::int64_t{1} << (size * 8 - 1));
    std::int64_t hi = (std::int64_t{1} << (size * 8)) - 1;
    if (v < lo || v > hi) {
      return ctx_.Fail(D3DXFERR_PARSEERROR, at,
                       "value " + std::to_string(v) + " does not fit " +
                           std::string(PrimitiveName(type)));
    }
  }
  if (!Grow(size, &out)) return false;
  std::memcpy(out, &value, size);  // little-endian: the low bytes
  return true;
}

bool DataParser::ReadPrimitives(PrimitiveType type, std::uint64_t count) {
  std::uint8_t* out;
  if (type == PrimitiveType::kFloat) return Grow(count * 4, &out) && stream_.ReadFloats(out, count);
  if (type == PrimitiveType::kDword) return Grow(count * 4, &out) && stream_.ReadDwords(out, count);
  for (std::uint64_t i = 0; i < count; ++i) {
    if (!ReadPrimitive(type)) return false;
  }
  return true;
}

// Product of the member's dimensions; sizes named by earlier members are
// read back from the Lock data of this instance.
bool DataParser::ArrayCount(const TemplateMember& member, std::size_t base, const XTemplate& owner,
                            std::uint64_t* count) {
  std::uint64_t n = 1;
  for (const ArrayDim& d : member.dims) {
    std::uint64_t dim = d.fixed;
    if (d.member >= 0) {
      const TemplateMember& source = owner.members[static_cast<std::size_t>(d.member)];
      std::uint64_t at = member_offsets_[base + static_cast<std::size_t>(d.member)];
      std::uint32_t size = PrimitiveLockSize(source.type);
      std::uint32_t raw = 0;
      std::memcpy(&raw, doc_.data.data() + at, size);
      bool is_signed = source.type == PrimitiveType::kSword ||
                       source.type == PrimitiveType::kSdword || source.type == PrimitiveType::kChar;
      if (is_signed && (raw >> (size * 8 - 1)) != 0) {
        return Error(D3DXFERR_BADARRAYSIZE, "negative array size '" + source.name + "'");
      }
      dim = raw;
    }
    if (dim != 0 && n > ctx_.limits().max_array_elements / dim) {
      return Error(D3DXFERR_BADARRAYSIZE, "array '" + member.name + "' larger than the limit");
    }
    n *= dim;
  }
  *count = n;
  return true;
}

bool DataParser::ParseArray(const TemplateMember& member, std::uint64_t count,
                            ArrayProgress* progress) {
  // Every element takes at least one byte of the file per value, so a
  // count beyond the bytes left can never be satisfied: refuse it before
  // allocating.
  std::uint64_t min_values = 1;
  if (!member.primitive) {
    const XTemplate& sub = doc_.templates.at(member.template_index);
    min_values = sub.fixed ? sub.fixed_values : sub.min_values;
    if (min_values == 0) min_values = 1;
  }
  if (count > ctx_.limits().max_array_elements || count > stream_.Remaining() / min_values) {
    return Error(D3DXFERR_BADARRAYSIZE, "array '" + member.name + "' of " + std::to_string(count) +
                                            " elements exceeds the data left");
  }
  std::uint64_t start = doc_.data.size();
  PrimitiveType bulk = member.type;
  std::uint64_t per_element = 1;
  if (!member.primitive) {
    const XTemplate& sub = doc_.templates.at(member.template_index);
    bulk = sub.all_float ? PrimitiveType::kFloat : PrimitiveType::kDword;
    per_element = sub.all_float || sub.all_dword ? sub.fixed_values : 0;
  }
  if (per_element > 0 && (bulk == PrimitiveType::kFloat || bulk == PrimitiveType::kDword)) {
    if (ReadPrimitives(bulk, count * per_element)) return true;
    std::uint64_t values = 0;
    if (progress != nullptr && stream_.StoppedAtBrace(&values)) {
      progress->stopped = true;
      progress->partial = values % per_element != 0;
      progress->elements = values / per_element;
      progress->data_end = start + progress->elements * per_element * 4;
    }
    return false;
  }
  for (std::uint64_t i = 0; i < count; ++i) {
    std::uint64_t before = doc_.data.size();
    std::uint64_t at = progress != nullptr ? stream_.Offset() : 0;
    if (member.primitive ? ReadPrimitive(member.type) : ParseInstance(member.template_index)) {
      continue;
    }
    std::uint64_t unused;
    if (progress != nullptr && stream_.StoppedAtBrace(&unused)) {
      progress->stopped = true;
      progress->partial = stream_.Offset() != at;
      progress->elements = i;
      progress->data_end = before;
    }
    return false;
  }
  return true;
}

// An array among the object's own members whose count is another of them
// (AnimationKey keys[nKeys]): a '}' between elements before the count is
// reached lowers the count to the elements read, with a warning. A '}'
// inside an element fails.
bool DataParser::ParseCountedArray(const TemplateMember& member, std::uint64_t count,
                                   std::uint64_t count_at, PrimitiveType count_type) {
  std::size_t offsets = member_offsets_.size();
  ArrayProgress progress;
  stream_.StopAtBrace(true);
  bool ok = ParseArray(member, count, &progress);
  stream_.StopAtBrace(false);
  if (ok || !progress.stopped) return ok;
  if (progress.partial) {
    return Error(D3DXFERR_PARSEERROR, "array '" + member.name + "' ends inside element " +
                                          std::to_string(progress.elements + 1) + " of " +
                                          std::to_string(count));
  }
  ctx_.Warn(XWarningCode::kArrayCutShort, stream_.Offset());
  doc_.data.Truncate(static_cast<std::size_t>(progress.data_end));
  member_offsets_.resize(offsets);
  while (!string_fixups_.empty() && string_fixups_.back().first >= progress.data_end) {
    string_fixups_.pop_back();
  }
  std::uint32_t read = static_cast<std::uint32_t>(progress.elements);
  std::memcpy(doc_.data.data() + count_at, &read, PrimitiveLockSize(count_type));
  return true;
}

namespace {

// The member's single dimension is another member that sizes no other array.
bool HasOwnCount(const XTemplate& t, std::size_t index) {
  const TemplateMember& m = t.members[index];
  if (m.dims.size() != 1 || m.dims[0].member < 0) return false;
  for (std::size_t i = 0; i < t.members.size(); ++i) {
    if (i == index) continue;
    for (const ArrayDim& d : t.members[i].dims) {
      if (d.member == m.dims[0].member) return false;
    }
  }
  return true;
}

}  // namespace

// One instance of a template, appended to the Lock data. Recursion depth is
// bounded by the template nesting limit checked at declaration.
bool DataParser::ParseInstance(std::uint32_t template_index, bool object_members) {
  const XTemplate& t = doc_.templates.at(template_index);
  if (t.all_float || t.all_dword) {
    // Large fixed arrays make these templates big: every value takes at
    // least one byte of the file, so check before reserving Lock data.
    if (t.fixed_values > stream_.Remaining()) {
      return Error(D3DXFERR_PARSEERROR, "'" + t.name + "' takes " + std::to_string(t.fixed_values) +
                                            " values, more than the data left");
    }
    return ReadPrimitives(t.all_float ? PrimitiveType::kFloat : PrimitiveType::kDword,
                          t.fixed_values);
  }
  std::size_t base = member_offsets_.size();
  member_offsets_.resize(base + t.members.size());
  for (std::size_t i = 0; i < t.members.size(); ++i) {
    const TemplateMember& m = t.members[i];
    member_offsets_[base + i] = doc_.data.size();
    bool ok;
    if (m.dims.empty()) {
      ok = m.primitive ? ReadPrimitive(m.type) : ParseInstance(m.template_index);
    } else {
      std::uint64_t count = 0;
      ok = ArrayCount(m, base, t, &count);
      if (ok && object_members && HasOwnCount(t, i)) {
        std::size_t source = static_cast<std::size_t>(m.dims[0].member);
        ok = ParseCountedArray(m, count, member_offsets_[base + source], t.members[source].type);
      } else if (ok) {
        ok = ParseArray(m, count, nullptr);
      }
    }
    if (!ok) return false;
  }
  member_offsets_.resize(base);
  return true;
}

}  // namespace ortolix
