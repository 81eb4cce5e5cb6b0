// Arbitrary bytes through the .x file services: as a file (enumerator,
// every object named, typed, locked and read, references followed within a
// budget, the JSON dump, which must parse as JSON) and as a template block.
// Any crash, sanitizer report, leak or unbounded use of memory or time is a
// finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "fuzz/fuzz_limits.h"
#include "platform/xfile/d3dx_file.h"
#include "xdump/xfile_json.h"
#include "platform/xfile/standard_templates.h"

namespace {

using namespace ortolix;

ID3DXFile* FileWithStandardTemplates() {
  ID3DXFile* file = nullptr;
  if (Failed(D3DXFileCreate(&file))) __builtin_trap();
  for (std::string_view block : {RetainedModeTemplates(), SkinningTemplates(), VertexDataTemplates()}) {
    if (Failed(file->RegisterTemplates(block.data(), block.size()))) __builtin_trap();
  }
  file->SetLimits(FuzzLimits());
  return file;
}

// Reads every byte of the object's data and its name, so that the sanitizers
// see any bad pointer or size.
std::uint32_t Touch(ID3DXFileData* d) {
  std::uint32_t sum = 0;
  std::size_t size = 0;
  const void* p = nullptr;
  if (Failed(d->Lock(&size, &p))) __builtin_trap();
  const auto* bytes = static_cast<const std::uint8_t*>(p);
  for (std::size_t i = 0; i < size; ++i) sum += bytes[i];
  (void)d->Unlock();
  if (Failed(d->GetName(nullptr, &size))) __builtin_trap();
  std::string name(size, '\0');
  if (Failed(d->GetName(name.data(), &size))) __builtin_trap();
  GUID g;
  if (Failed(d->GetType(&g)) || Failed(d->GetId(&g))) __builtin_trap();
  return sum + static_cast<std::uint32_t>(name.size()) + g.Data1;
}

// Walks the tree as the import does, references included, without recursion
// and within a budget of objects.
std::uint32_t WalkAll(const ID3DXFileEnumObject& e) {
  std::uint32_t sum = 0;
  std::size_t top = 0;
  if (Failed(e.GetChildren(&top))) __builtin_trap();
  std::vector<ID3DXFileData*> pending;
  for (std::size_t i = 0; i < top; ++i) {
    ID3DXFileData* d = nullptr;
    if (Failed(e.GetChild(i, &d))) __builtin_trap();
    pending.push_back(d);
  }
  std::size_t budget = 1u << 18;
  while (!pending.empty()) {
    ID3DXFileData* d = pending.back();
    pending.pop_back();
    sum += Touch(d);
    std::size_t n = 0;
    if (Failed(d->GetChildren(&n))) __builtin_trap();
    for (std::size_t k = 0; k < n && budget > 0; ++k, --budget) {
      ID3DXFileData* c = nullptr;
      if (Failed(d->GetChild(k, &c))) __builtin_trap();
      pending.push_back(c);
    }
    d->Release();
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ID3DXFile* file = FileWithStandardTemplates();
  D3DXF_FILELOADMEMORY memory{data, size};
  ID3DXFileEnumObject* e = nullptr;
  if (Succeeded(file->CreateEnumObject(&memory, D3DXF_FILELOAD_FROMMEMORY, &e))) {
    volatile std::uint32_t sink = WalkAll(*e);
    (void)sink;
    if (size < (1u << 16)) {
      for (bool summary : {false, true}) {
        if (!nlohmann::json::accept(XFileJson(*e, summary))) __builtin_trap();
      }
    }
    e->Release();
  } else if (file->LastError().message.empty()) {
    __builtin_trap();  // every failure carries a message
  }
  // The same bytes as a template block, on a file object of its own.
  ID3DXFile* templates = nullptr;
  if (Failed(D3DXFileCreate(&templates))) __builtin_trap();
  templates->SetLimits(FuzzLimits());
  (void)templates->RegisterTemplates(data, size);
  templates->Release();
  return 0;
}
