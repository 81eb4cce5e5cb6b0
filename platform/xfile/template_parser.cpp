#include "platform/xfile/template_parser.h"

#include <string>

namespace ortolix {

namespace {

bool IsNameLike(TokenKind k) {
  return k == TokenKind::kName || IsTypeKeyword(k) || k == TokenKind::kArray ||
         k == TokenKind::kTemplate;
}

bool SameDeclaration(const XTemplate& a, const XTemplate& b) {
  if (a.has_guid != b.has_guid || !GuidEqual(a.guid, b.guid) || a.members.size() != b.members.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.members.size(); ++i) {
    const TemplateMember& x = a.members[i];
    const TemplateMember& y = b.members[i];
    if (x.primitive != y.primitive || x.dims.size() != y.dims.size()) return false;
    if (x.primitive ? x.type != y.type : x.template_index != y.template_index) return false;
  }
  return true;
}

class TemplateReader {
 public:
  TemplateReader(TokenStream& s, TemplateRegistry& r, ParseContext& c)
      : stream_(s), registry_(r), ctx_(c) {}

  [[nodiscard]] bool Read();

 private:
  [[nodiscard]] bool Expect(TokenKind kind, const char* what, Token* token = nullptr);
  [[nodiscard]] bool ReadMember(bool is_array);
  [[nodiscard]] bool ReadType(TemplateMember* member);
  [[nodiscard]] bool ReadDim(TemplateMember* member);
  [[nodiscard]] bool ReadRestriction();
  [[nodiscard]] bool Error(std::uint64_t offset, const std::string& message) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, offset, message);
  }

  TokenStream& stream_;
  TemplateRegistry& registry_;
  ParseContext& ctx_;
  XTemplate tmpl_;
};

bool TemplateReader::Expect(TokenKind kind, const char* what, Token* token) {
  Token t;
  if (!stream_.Next(&t)) return false;
  if (t.kind != kind) return Error(t.offset, std::string("expected ") + what + " in template");
  if (token != nullptr) *token = t;
  return true;
}

bool TemplateReader::Read() {
  Token t;
  if (!Expect(TokenKind::kTemplate, "'template'")) return false;
  if (!stream_.Next(&t)) return false;
  if (!IsNameLike(t.kind)) return Error(t.offset, "expected a template name");
  tmpl_.name = std::string(t.text);
  std::uint64_t start = t.offset;
  ctx_.PushObject("template", t.text);
  if (!Expect(TokenKind::kOBrace, "'{'")) return false;
  if (stream_.PeekKind() == TokenKind::kGuid) {
    if (!stream_.Next(&t)) return false;
    tmpl_.guid = t.guid;
    tmpl_.has_guid = true;
  } else {
    ctx_.Warn(XWarningCode::kTemplateWithoutGuid, start);
  }
  for (;;) {
    TokenKind k = stream_.PeekKind();
    if (k == TokenKind::kCBrace) break;
    if (k == TokenKind::kOBracket) {
      if (!ReadRestriction()) return false;
      if (stream_.PeekKind() != TokenKind::kCBrace) {
        return Error(stream_.Offset(), "expected '}' after the restriction");
      }
      break;
    }
    if (tmpl_.members.size() >= ctx_.limits().max_template_members) {
      return Error(stream_.Offset(), "template has more members than the limit");
    }
    if (k == TokenKind::kArray) {
      if (!stream_.Next(&t) || !ReadMember(true)) return false;
    } else if (IsNameLike(k)) {
      if (!ReadMember(false)) return false;
    } else {
      return Error(stream_.Offset(), "expected a member, a restriction or '}'");
    }
  }
  if (!stream_.Next(&t)) return false;
  ctx_.PopObject();
  bool case_differs = false;
  std::int32_t known = registry_.Find(tmpl_.name, &case_differs);
  if (known >= 0) {
    // Files often repeat the standard declarations; only a different one
    // (ignored, the first stands) is worth a warning.
    if (!SameDeclaration(registry_.at(static_cast<std::uint32_t>(known)), tmpl_)) {
      ctx_.Warn(XWarningCode::kTemplateRedeclared, start);
    }
    return true;
  }
  if (!registry_.Add(std::move(tmpl_))) ctx_.Warn(XWarningCode::kTemplateRedeclared, start);
  return true;
}

bool TemplateReader::ReadType(TemplateMember* member) {
  Token t;
  if (!stream_.Next(&t)) return false;
  switch (t.kind) {
    case TokenKind::kWord: member->type = PrimitiveType::kWord; return true;
    case TokenKind::kDword: member->type = PrimitiveType::kDword; return true;
    case TokenKind::kFloat: member->type = PrimitiveType::kFloat; return true;
    case TokenKind::kDouble: member->type = PrimitiveType::kDouble; return true;
    case TokenKind::kChar: member->type = PrimitiveType::kChar; return true;
    case TokenKind::kUchar: member->type = PrimitiveType::kUchar; return true;
    case TokenKind::kSword: member->type = PrimitiveType::kSword; return true;
    case TokenKind::kSdword: member->type = PrimitiveType::kSdword; return true;
    case TokenKind::kLpstr: member->type = PrimitiveType::kString; return true;
    case TokenKind::kCstring: member->type = PrimitiveType::kCstring; return true;
    case TokenKind::kUnicode: member->type = PrimitiveType::kUnicode; return true;
    case TokenKind::kName: break;
    default: return Error(t.offset, "expected a member type");
  }
  bool case_differs = false;
  std::int32_t index = registry_.Find(t.text, &case_differs);
  // The legacy member type "indexColor" (exact spelling) is IndexedColor.
  if (index < 0 && t.text == "indexColor") index = registry_.Find("IndexedColor", &case_differs);
  if (index < 0 && (t.text == "BYTE" || t.text == "byte")) {
    member->type = PrimitiveType::kUchar;
    return true;
  }
  if (index < 0) return Error(t.offset, "unknown member type '" + std::string(t.text) + "'");
  const XTemplate& sub = registry_.at(static_cast<std::uint32_t>(index));
  if (sub.depth + 1 > ctx_.limits().max_template_depth) {
    return Error(t.offset, "templates nested deeper than the limit");
  }
  member->primitive = false;
  member->template_index = static_cast<std::uint32_t>(index);
  return true;
}

bool TemplateReader::ReadDim(TemplateMember* member) {
  Token t;
  if (!stream_.Next(&t)) return false;
  ArrayDim dim;
  if (t.kind == TokenKind::kInteger) {
    dim.fixed = t.integer;
  } else if (IsNameLike(t.kind)) {
    for (std::size_t i = 0; i < tmpl_.members.size(); ++i) {
      const TemplateMember& m = tmpl_.members[i];
      if (m.name == t.text && m.primitive && m.dims.empty() && IsIntegerType(m.type)) {
        dim.member = static_cast<std::int32_t>(i);
      }
    }
    if (dim.member < 0) {
      return Error(t.offset, "array size '" + std::string(t.text) +
                                 "' is not an earlier integer member");
    }
  } else {
    return Error(t.offset, "expected an array size");
  }
  member->dims.push_back(dim);
  return Expect(TokenKind::kCBracket, "']'");
}

bool TemplateReader::ReadMember(bool is_array) {
  TemplateMember member;
  if (!ReadType(&member)) return false;
  Token t;
  TokenKind k = stream_.PeekKind();
  if (IsNameLike(k)) {
    if (!stream_.Next(&t)) return false;
    member.name = std::string(t.text);
  }
  if (is_array) {
    if (stream_.PeekKind() != TokenKind::kOBracket) {
      return Error(stream_.Offset(), "expected '[' after an array member");
    }
    while (stream_.PeekKind() == TokenKind::kOBracket) {
      if (member.dims.size() >= 8) return Error(stream_.Offset(), "too many array dimensions");
      if (!stream_.Next(&t) || !ReadDim(&member)) return false;
    }
  }
  if (!Expect(TokenKind::kSemicolon, "';' after a member")) return false;
  tmpl_.members.push_back(std::move(member));
  return true;
}

// [ ... ] open, [ Name <GUID>, ... ] restricted; a template without one is closed.
bool TemplateReader::ReadRestriction() {
  Token t;
  if (!stream_.Next(&t)) return false;
  if (stream_.PeekKind() == TokenKind::kDot) {
    for (int i = 0; i < 3; ++i) {
      if (!Expect(TokenKind::kDot, "'...'")) return false;
    }
    tmpl_.restriction = Restriction::kOpen;
    return Expect(TokenKind::kCBracket, "']'");
  }
  tmpl_.restriction = Restriction::kRestricted;
  for (;;) {
    if (!stream_.Next(&t)) return false;
    if (!IsNameLike(t.kind)) return Error(t.offset, "expected a template name in the restriction");
    RestrictionItem item;
    item.name = std::string(t.text);
    if (stream_.PeekKind() == TokenKind::kGuid) {
      if (!stream_.Next(&t)) return false;
      item.guid = t.guid;
      item.has_guid = true;
    }
    if (tmpl_.allowed.size() >= ctx_.limits().max_template_members) {
      return Error(t.offset, "restriction longer than the limit");
    }
    tmpl_.allowed.push_back(std::move(item));
    if (!stream_.Next(&t)) return false;
    if (t.kind == TokenKind::kCBracket) return true;
    if (t.kind != TokenKind::kComma) return Error(t.offset, "expected ',' or ']' in the restriction");
  }
}

}  // namespace

bool ParseTemplate(TokenStream& stream, TemplateRegistry& registry, ParseContext& ctx) {
  TemplateReader reader(stream, registry, ctx);
  return reader.Read();
}

}  // namespace ortolix
