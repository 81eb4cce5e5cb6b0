#include "platform/xfile/reference_resolver.h"

#include <string>
#include <unordered_map>

namespace ortolix {

namespace {

struct GuidHash {
  std::size_t operator()(const GUID& g) const {
    std::uint64_t a, b;
    std::memcpy(&a, &g, 8);
    std::memcpy(&b, reinterpret_cast<const char*>(&g) + 8, 8);
    return std::hash<std::uint64_t>()(a * 31 + b);
  }
};
struct GuidEq {
  bool operator()(const GUID& a, const GUID& b) const { return GuidEqual(a, b); }
};

void PushAncestors(const XDocument& doc, std::uint32_t index, ParseContext& ctx) {
  std::vector<std::uint32_t> chain;
  for (std::uint32_t i = index; i != kNoObject && chain.size() < 64; i = doc.objects[i].parent) {
    chain.push_back(i);
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    ctx.PushObject(doc.objects[*it].type_name, doc.objects[*it].name);
  }
}

}  // namespace

bool ResolveReferences(XDocument& doc, ParseContext& ctx) {
  std::unordered_map<std::string_view, std::uint32_t> by_name;
  std::unordered_map<GUID, std::uint32_t, GuidHash, GuidEq> by_id;
  bool any_reference = false;
  for (std::uint32_t i = 0; i < doc.objects.size(); ++i) {
    const XObject& o = doc.objects[i];
    if (o.is_reference) {
      any_reference = true;
      continue;
    }
    if (!o.name.empty()) by_name.emplace(o.name, i);
    if (o.has_id) by_id.emplace(o.id, i);
  }
  if (!any_reference) return true;
  for (std::uint32_t i = 0; i < doc.objects.size(); ++i) {
    XObject& o = doc.objects[i];
    if (!o.is_reference) continue;
    if (!o.name.empty()) {
      auto it = by_name.find(o.name);
      if (it != by_name.end()) o.target = it->second;
    } else {
      auto it = by_id.find(o.id);
      if (it != by_id.end()) o.target = it->second;
    }
    if (o.target == kNoObject) {
      PushAncestors(doc, o.parent, ctx);
      std::string what = o.name.empty() ? std::string("the GUID given") : "'" + std::string(o.name) + "'";
      return ctx.Fail(D3DXFERR_BADDATAREFERENCE, o.source_offset,
                      "reference to " + what + " matches no data object");
    }
  }
  return true;
}

void LinkChildren(XDocument& doc) {
  std::vector<std::uint32_t> counts(doc.objects.size(), 0);
  doc.top_level.clear();
  for (std::uint32_t i = 0; i < doc.objects.size(); ++i) {
    std::uint32_t p = doc.objects[i].parent;
    if (p == kNoObject) doc.top_level.push_back(i);
    else ++counts[p];
  }
  std::uint32_t next = 0;
  for (std::uint32_t i = 0; i < doc.objects.size(); ++i) {
    doc.objects[i].first_child = next;
    doc.objects[i].child_count = 0;
    next += counts[i];
  }
  doc.children.assign(next, 0);
  for (std::uint32_t i = 0; i < doc.objects.size(); ++i) {
    std::uint32_t p = doc.objects[i].parent;
    if (p == kNoObject) continue;
    XObject& parent = doc.objects[p];
    doc.children[parent.first_child + parent.child_count++] = i;
  }
}

}  // namespace ortolix
