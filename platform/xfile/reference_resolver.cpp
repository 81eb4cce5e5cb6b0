#include "platform/xfile/reference_resolver.h"

#include <cstring>
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

// "reference to 'Name'<rest>" (or "to the GUID given" for a GUID-only
// reference), built by appending: g++ 12 misreads the operator+ chain at -O3.
std::string ReferenceMessage(std::string_view name, std::string_view rest) {
  std::string text = "reference to ";
  if (name.empty()) {
    text.append("the GUID given");
  } else {
    text.append(1, '\'').append(name).append(1, '\'');
  }
  text.append(rest);
  return text;
}

std::size_t PushAncestors(const XDocument& doc, std::uint32_t index, ParseContext& ctx) {
  std::vector<std::uint32_t> chain;
  for (std::uint32_t i = index; i != kNoObject && chain.size() < 64; i = doc.objects[i].parent) {
    chain.push_back(i);
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    ctx.PushObject(doc.objects[*it].type_name, doc.objects[*it].name);
  }
  return chain.size();
}

bool InAnimation(const XDocument& doc, const XObject& reference) {
  if (reference.parent == kNoObject) return false;
  const XObject& parent = doc.objects[reference.parent];
  return parent.template_index >= 0 &&
         doc.templates.at(static_cast<std::uint32_t>(parent.template_index)).name == "Animation";
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
    if (o.target == kNoObject && InAnimation(doc, o)) {
      // Animation sets are often kept apart from the model they move: the
      // reference keeps its name as the target it stands for.
      std::size_t pushed = PushAncestors(doc, o.parent, ctx);
      ctx.Warn(XWarningCode::kAnimationTargetMissing, o.source_offset);
      for (std::size_t k = 0; k < pushed; ++k) ctx.PopObject();
      continue;
    }
    if (o.target == kNoObject) {
      PushAncestors(doc, o.parent, ctx);
      return ctx.Fail(D3DXFERR_BADDATAREFERENCE, o.source_offset,
                      ReferenceMessage(o.name, " matches no data object"));
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

namespace {

// Objects of the expanded tree under `index` (itself included), computed
// without recursion: an explicit stack, a colour per object to catch cycles,
// and sizes saturated at `limit`.
class ExpansionCheck {
 public:
  ExpansionCheck(const XDocument& doc, std::uint64_t limit)
      : doc_(doc), limit_(limit), nodes_(doc.objects.size()) {}

  // False with `*culprit` set to the reference that closes a cycle or the
  // object whose expansion passes the limit.
  bool Check(std::uint32_t* culprit, bool* cycle) {
    std::uint64_t total = 0;
    for (std::uint32_t top : doc_.top_level) {
      if (!Visit(top, culprit, cycle)) return false;
      total = Add(total, nodes_[top].size);
      if (total >= limit_) {
        *culprit = top;
        *cycle = false;
        return false;
      }
    }
    return true;
  }

 private:
  enum State : std::uint8_t { kNew, kOpen, kDone };
  struct Frame {
    std::uint32_t object;
    std::uint32_t next_edge;
  };

  std::uint64_t Add(std::uint64_t a, std::uint64_t b) const {
    return a + b >= limit_ ? limit_ : a + b;
  }

  // Edges of the expanded tree: a reference stands for its target; an
  // object has its children.
  std::uint32_t EdgeCount(std::uint32_t i) const {
    const XObject& o = doc_.objects[i];
    if (o.is_reference) return o.target != kNoObject ? 1 : 0;  // unresolved: a leaf
    return o.child_count;
  }
  std::uint32_t Edge(std::uint32_t i, std::uint32_t k) const {
    const XObject& o = doc_.objects[i];
    return o.is_reference ? o.target : doc_.children[o.first_child + k];
  }

  bool Visit(std::uint32_t start, std::uint32_t* culprit, bool* cycle) {
    if (nodes_[start].state == kDone) return true;
    stack_.clear();
    stack_.push_back({start, 0});
    nodes_[start].state = kOpen;
    while (!stack_.empty()) {
      Frame& f = stack_.back();
      if (f.next_edge < EdgeCount(f.object)) {
        std::uint32_t to = Edge(f.object, f.next_edge++);
        if (nodes_[to].state == kOpen) {
          *culprit = f.object;
          *cycle = true;
          return false;
        }
        if (nodes_[to].state == kNew) {
          nodes_[to].state = kOpen;
          stack_.push_back({to, 0});
        }
        continue;
      }
      std::uint32_t i = f.object;
      const XObject& o = doc_.objects[i];
      std::uint64_t size = o.is_reference ? 0 : 1;
      for (std::uint32_t k = 0; k < EdgeCount(i); ++k) size = Add(size, nodes_[Edge(i, k)].size);
      if (size >= limit_) {
        *culprit = i;
        *cycle = false;
        return false;
      }
      nodes_[i].size = size;
      nodes_[i].state = kDone;
      stack_.pop_back();
    }
    return true;
  }

  const XDocument& doc_;
  std::uint64_t limit_;
  struct Node {
    std::uint64_t size = 0;
    State state = kNew;
  };
  std::vector<Node> nodes_;
  std::vector<Frame> stack_;
};

}  // namespace

bool CheckReferenceExpansion(const XDocument& doc, ParseContext& ctx) {
  ExpansionCheck check(doc, ctx.limits().max_expanded_objects);
  std::uint32_t culprit = 0;
  bool cycle = false;
  if (check.Check(&culprit, &cycle)) return true;
  const XObject& o = doc.objects[culprit];
  PushAncestors(doc, o.is_reference ? o.parent : culprit, ctx);
  return ctx.Fail(D3DXFERR_BADDATAREFERENCE, o.source_offset,
                  cycle ? ReferenceMessage(o.name, " names an object that contains the reference")
                        : std::string("references repeat subtrees beyond the limit of the "
                                      "expanded tree"));
}

}  // namespace ortolix
