#include "export/host_names.h"

#include <algorithm>
#include <iterator>

namespace ortolix {
namespace {

constexpr char16_t kUnsafeNameCharacters[] = u" .|-\t\":;,/'\\<>][{}()~!#$%^&*+=?";
static_assert(std::size(kUnsafeNameCharacters) == 31 + 1);

using NamePass = void (*)(WideChar*);

// Copies the name out, changes it and writes it back whole.
void CleanName(HostPathString& name, NamePass pass) {
  WideChar text[HostPathString::kCapacity];
  const WideChar* source = name.Wide();
  std::size_t length = 0;
  while (length + 1 < HostPathString::kCapacity && source[length] != 0) {
    text[length] = source[length];
    ++length;
  }
  text[length] = 0;
  pass(text);
  name = HostPathString(text);
}

template <typename Record>
void CleanArray(const HostArray<Record>& array, NamePass pass) {
  if (array.items == nullptr) return;
  for (std::int32_t i = 0; i < array.count; ++i) CleanName(array.items[i].name, pass);
}

void RunPass(HostModel& model, NamePass pass) {
  CleanArray(model.placed1, pass);
  CleanArray(model.placed2, pass);
  CleanArray(model.extras, pass);
  CleanArray(model.groups, pass);
  CleanArray(model.bones, pass);
  CleanArray(model.materials, pass);
  CleanArray(model.animations, pass);
}

}  // namespace

void ReplaceUnsafeNameCharacters(WideChar* name) {
  const auto* unsafeEnd = std::end(kUnsafeNameCharacters) - 1;
  for (WideChar* c = name; *c != 0; ++c) {
    if (std::find(std::begin(kUnsafeNameCharacters), unsafeEnd, *c) != unsafeEnd) *c = u'_';
  }
}

void ReplaceLeadingDigit(WideChar* name) {
  if (name[0] >= u'0' && name[0] <= u'9') name[0] = u'_';
}

void CleanHostNames(HostModel& model) {
  RunPass(model, ReplaceUnsafeNameCharacters);
  RunPass(model, ReplaceLeadingDigit);
}

}  // namespace ortolix
