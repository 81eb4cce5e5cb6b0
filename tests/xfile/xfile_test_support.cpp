#include "tests/xfile/xfile_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/xfile/standard_templates.h"
#include "platform/xfile/xfile_guids.h"

namespace ortolix::test {

Opened::Opened(const std::vector<std::uint8_t>& image, bool standard_templates,
               const ReaderLimits* limits) {
  if (Failed(D3DXFileCreate(&file))) return;
  if (standard_templates) {
    for (std::string_view block : {RetainedModeTemplates(), SkinningTemplates(), VertexDataTemplates()}) {
      if (Failed(file->RegisterTemplates(block.data(), block.size()))) return;
    }
  }
  if (limits != nullptr) file->SetLimits(*limits);
  D3DXF_FILELOADMEMORY memory{image.data(), image.size()};
  hr = file->CreateEnumObject(&memory, D3DXF_FILELOAD_FROMMEMORY, &e);
  error = file->LastError();
}

Opened::~Opened() {
  SafeRelease(e);
  SafeRelease(file);
}

std::size_t Opened::Count() const {
  std::size_t n = 0;
  if (e != nullptr && Failed(e->GetChildren(&n))) return 0;
  return n;
}

ID3DXFileData* Opened::Child(std::size_t i) const {
  ID3DXFileData* d = nullptr;
  if (e == nullptr || Failed(e->GetChild(i, &d))) return nullptr;
  return d;
}

bool Opened::HasWarning(XWarningCode code) const {
  if (e == nullptr) return false;
  for (const XWarning& w : e->Warnings()) {
    if (w.code == code) return true;
  }
  return false;
}

Opened OpenText(std::string_view text_after_header, std::string_view header) {
  std::string image(header);
  image += text_after_header;
  return Opened(Bytes(image));
}

std::vector<std::uint8_t> LockBytes(ID3DXFileData* data) {
  std::size_t size = 0;
  const void* p = nullptr;
  if (Failed(data->Lock(&size, &p))) return {};
  const auto* b = static_cast<const std::uint8_t*>(p);
  std::vector<std::uint8_t> out(b, b + size);
  data->Unlock();
  return out;
}

namespace {

void SnapshotObject(ID3DXFileData* d, int depth, std::string* out) {
  GUID type;
  (void)d->GetType(&type);
  char name[256] = {};
  std::size_t size = sizeof name;
  (void)d->GetName(name, &size);
  char line[320];
  std::snprintf(line, sizeof line, "%d %08X %s ref=%d lock=", depth, static_cast<unsigned>(type.Data1),
                name, d->IsReference());
  *out += line;
  std::vector<std::uint8_t> bytes = LockBytes(d);
  // TextureFilename and SkinWeights start with a string: show its text in
  // place of the pointer, which differs between files.
  std::size_t from = 0;
  if ((GuidEqual(type, TID_D3DRMTextureFilename) || GuidEqual(type, DXFILEOBJ_SkinWeights)) &&
      bytes.size() >= sizeof(const char*)) {
    const char* s;
    std::memcpy(&s, bytes.data(), sizeof s);
    *out += std::string("\"") + s + "\"";
    from = sizeof s;
  }
  for (std::size_t i = from; i < bytes.size(); ++i) {
    std::snprintf(line, sizeof line, "%02x", bytes[i]);
    *out += line;
  }
  *out += "\n";
  if (d->IsReference()) return;  // the target is listed where it stands
  std::size_t n = 0;
  (void)d->GetChildren(&n);
  for (std::size_t i = 0; i < n; ++i) {
    ID3DXFileData* c = nullptr;
    if (Failed(d->GetChild(i, &c))) continue;
    SnapshotObject(c, depth + 1, out);
    c->Release();
  }
}

}  // namespace

std::string Snapshot(const ID3DXFileEnumObject& e) {
  std::string out;
  std::size_t n = 0;
  (void)e.GetChildren(&n);
  for (std::size_t i = 0; i < n; ++i) {
    ID3DXFileData* d = nullptr;
    if (Failed(e.GetChild(i, &d))) continue;
    SnapshotObject(d, 0, &out);
    d->Release();
  }
  return out;
}

std::vector<std::uint8_t> ReadCorpusFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), {});
}

std::string SharedDir() {
  const char* env = std::getenv("ORTOLIX_SHARED_DIR");
  std::string dir = env != nullptr ? env : ORTOLIX_SHARED_DIR;
  return std::filesystem::is_directory(dir + "/corpus/public") ? dir : std::string();
}

bool IsXFileName(const std::filesystem::path& path) {
  return path.extension() == ".x" || path.extension() == ".X";
}

std::string OneObject(const std::string& members, const std::string& body) {
  return "\ntemplate T {\n <11111111-2222-3333-4444-555555555555>\n" + members +
         "\n}\nT {\n" + body + "\n}\n";
}

namespace {

template <typename T>
std::vector<std::uint8_t> LittleEndian(std::initializer_list<T> values) {
  std::vector<std::uint8_t> out;
  for (T v : values) {
    std::uint8_t b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    out.insert(out.end(), b, b + sizeof(T));
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> F32(std::initializer_list<float> values) { return LittleEndian(values); }
std::vector<std::uint8_t> U32(std::initializer_list<std::uint32_t> values) {
  return LittleEndian(values);
}
std::vector<std::uint8_t> U16(std::initializer_list<std::uint16_t> values) {
  return LittleEndian(values);
}

std::vector<std::uint8_t> Cat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace ortolix::test
