#include "tests/xfile/xfile_test_support.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/xfile/standard_templates.h"
#include "platform/xfile/xfile_guids.h"

namespace ortolix::test {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

BinWriter::BinWriter(std::string_view header) { bytes_.assign(header.begin(), header.end()); }

void BinWriter::Word(std::uint16_t v) {
  bytes_.push_back(static_cast<std::uint8_t>(v));
  bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void BinWriter::Dword(std::uint32_t v) {
  Word(static_cast<std::uint16_t>(v));
  Word(static_cast<std::uint16_t>(v >> 16));
}

BinWriter& BinWriter::Tok(std::uint16_t token) {
  Word(token);
  return *this;
}

BinWriter& BinWriter::Name(std::string_view name) {
  Word(1);
  Dword(static_cast<std::uint32_t>(name.size()));
  bytes_.insert(bytes_.end(), name.begin(), name.end());
  return *this;
}

BinWriter& BinWriter::String(std::string_view text, std::uint16_t terminator) {
  Word(2);
  Dword(static_cast<std::uint32_t>(text.size()));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  Word(terminator);
  return *this;
}

BinWriter& BinWriter::Integer(std::uint32_t value) {
  Word(3);
  Dword(value);
  return *this;
}

BinWriter& BinWriter::Guid(const GUID& g) {
  Word(5);
  Dword(g.Data1);
  Word(g.Data2);
  Word(g.Data3);
  bytes_.insert(bytes_.end(), g.Data4, g.Data4 + 8);
  return *this;
}

BinWriter& BinWriter::Ints(std::initializer_list<std::uint32_t> values) {
  Word(6);
  Dword(static_cast<std::uint32_t>(values.size()));
  for (std::uint32_t v : values) Dword(v);
  return *this;
}

BinWriter& BinWriter::Floats(std::initializer_list<float> values) {
  Word(7);
  Dword(static_cast<std::uint32_t>(values.size()));
  for (float v : values) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    Dword(bits);
  }
  return *this;
}

BinWriter& BinWriter::Doubles(std::initializer_list<double> values) {
  Word(7);
  Dword(static_cast<std::uint32_t>(values.size()));
  for (double v : values) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    Dword(static_cast<std::uint32_t>(bits));
    Dword(static_cast<std::uint32_t>(bits >> 32));
  }
  return *this;
}

BinWriter& BinWriter::Raw(std::initializer_list<std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

std::vector<std::uint8_t> Mszip(std::string_view header, std::string_view payload,
                                std::size_t block_size) {
  std::vector<std::uint8_t> out(header.begin(), header.end());
  std::uint32_t total = static_cast<std::uint32_t>(payload.size() + 16);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(total >> (8 * i)));
  std::size_t previous = 0;
  for (std::size_t at = 0; at < payload.size(); at += block_size) {
    std::size_t n = std::min(block_size, payload.size() - at);
    z_stream zs{};
    deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    if (at > 0) {
      deflateSetDictionary(&zs, reinterpret_cast<const Bytef*>(payload.data() + previous),
                           static_cast<uInt>(at - previous));
    }
    std::vector<std::uint8_t> buf(deflateBound(&zs, static_cast<uLong>(n)) + 16);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(payload.data() + at));
    zs.avail_in = static_cast<uInt>(n);
    zs.next_out = buf.data();
    zs.avail_out = static_cast<uInt>(buf.size());
    deflate(&zs, Z_FINISH);
    std::size_t produced = buf.size() - zs.avail_out;
    deflateEnd(&zs);
    std::uint32_t in_size = static_cast<std::uint32_t>(produced + 2);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(in_size));
    out.push_back(static_cast<std::uint8_t>(in_size >> 8));
    out.push_back('C');
    out.push_back('K');
    out.insert(out.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(produced));
    previous = at;
  }
  return out;
}

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
  char line[128];
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

}  // namespace ortolix::test
