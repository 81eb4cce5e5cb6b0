// FVFData and DeclData: per-vertex data beside the Mesh's own. Their float
// texture coordinate sets become extra texture sets of the mesh (our exporter
// writes the second set as FVFData with format XYZ | TEX1); other elements
// are not taken.
#include <cstring>
#include <string>

#include "platform/d3dx/fvf.h"
#include "platform/d3dx/lock_cursor.h"
#include "platform/d3dx/mesh_data_decode.h"

namespace ortolix {
namespace {

// One element of per-vertex data: its byte offset and size, and for a
// texture set its float count (0 for anything else).
struct PackedElement {
  std::size_t offset;
  std::size_t size;
  DWORD texture_floats;
};

HRESULT Short(MeshLoadReport& report, const std::string& mesh, const char* child) {
  return report.Fail(D3DXERR_INVALIDDATA, MeshObjectPath(mesh, child) + ": data ends early");
}

// Splits `words` (stride bytes per vertex) into texture sets.
void TakeTextureSets(const std::vector<DWORD>& words, std::size_t stride,
                     const std::vector<PackedElement>& elements, DecodedMesh& mesh) {
  const std::size_t vertices = mesh.positions.size();
  const auto* bytes = reinterpret_cast<const std::byte*>(words.data());
  for (const PackedElement& element : elements) {
    if (element.texture_floats == 0) continue;
    TextureSetSource set;
    set.dimension = element.texture_floats;
    set.count = static_cast<DWORD>(vertices);
    set.values.resize(vertices * element.texture_floats);
    for (std::size_t v = 0; v < vertices; ++v) {
      std::memcpy(set.values.data() + v * element.texture_floats,
                  bytes + v * stride + element.offset, element.texture_floats * sizeof(float));
    }
    mesh.extra_texture_sets.push_back(std::move(set));
  }
}

// Reads nDWords and the words; false when the data is short. `fits` tells
// whether the words hold exactly `stride` bytes for each vertex.
bool ReadWords(LockCursor& cursor, std::size_t stride, std::size_t vertices,
               std::vector<DWORD>& words, bool& fits) {
  DWORD count = 0;
  if (!cursor.Dword(count) || !cursor.Has(count, sizeof(DWORD))) return false;
  words.resize(count);
  if (!cursor.Dwords(words.data(), count)) return false;
  fits = stride > 0 && std::size_t(count) * 4 == stride * vertices;
  return true;
}

std::size_t DeclTypeSize(DWORD type) {
  // FLOAT1..4, D3DCOLOR, UBYTE4, SHORT2, SHORT4, UBYTE4N, SHORT2N, SHORT4N,
  // USHORT2N, USHORT4N, UDEC3, DEC3N, FLOAT16_2, FLOAT16_4.
  static constexpr std::size_t kSizes[] = {4, 8, 12, 16, 4, 4, 4, 8, 4, 4, 8, 4, 8, 4, 4, 4, 8};
  return type < std::size(kSizes) ? kSizes[type] : 0;
}

constexpr DWORD kDeclUsageTexCoord = 5;

}  // namespace

HRESULT DecodeFvfData(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  LockCursor cursor(data);
  DWORD fvf = 0;
  if (!cursor.Dword(fvf)) return Short(report, mesh.name, "FVFData");
  // The data holds the vertex minus its position part.
  const DWORD rest = fvf & ~(D3DFVF_POSITION_MASK | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_LASTBETA_D3DCOLOR);
  FvfLayout layout;
  const bool known = BuildFvfLayout(rest, layout);
  std::vector<DWORD> words;
  bool fits = false;
  if (!ReadWords(cursor, layout.stride, mesh.positions.size(), words, fits)) {
    return Short(report, mesh.name, "FVFData");
  }
  const std::string object = MeshObjectPath(mesh.name, "FVFData");
  if (!known || !fits) {
    report.Warn(MeshWarningCode::kExtraVertexDataIgnored, object,
                "format " + std::to_string(fvf) + " with " + std::to_string(words.size()) +
                    " DWORDs does not fit " + std::to_string(mesh.positions.size()) +
                    " vertices; ignored");
    return S_OK;
  }
  std::vector<PackedElement> elements;
  for (std::size_t i = 0; i < layout.element_count; ++i) {
    const VertexElement& e = layout.elements[i];
    const bool texture = e.usage == VertexUsage::kTexCoord;
    elements.push_back({e.offset, VertexElementSize(e.type),
                        texture ? DWORD(VertexElementSize(e.type) / 4) : 0});
    if (!texture) {
      report.Warn(MeshWarningCode::kExtraVertexDataIgnored, object,
                  "elements other than texture coordinates are not taken");
    }
  }
  TakeTextureSets(words, layout.stride, elements, mesh);
  return S_OK;
}

HRESULT DecodeDeclData(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  LockCursor cursor(data);
  DWORD count = 0;
  if (!cursor.Dword(count) || !cursor.Has(count, 4 * sizeof(DWORD))) {
    return Short(report, mesh.name, "DeclData");
  }
  const std::string object = MeshObjectPath(mesh.name, "DeclData");
  std::vector<PackedElement> elements;
  std::size_t stride = 0;
  bool known = true;
  for (DWORD i = 0; i < count; ++i) {
    DWORD fields[4];  // Type, Method, Usage, UsageIndex
    if (!cursor.Dwords(fields, 4)) return Short(report, mesh.name, "DeclData");
    const std::size_t size = DeclTypeSize(fields[0]);
    known = known && size > 0;
    const bool float_texture = fields[2] == kDeclUsageTexCoord && fields[0] <= 3;
    elements.push_back({stride, size, float_texture ? fields[0] + 1 : 0});
    if (!float_texture) {
      report.Warn(MeshWarningCode::kExtraVertexDataIgnored, object,
                  "elements other than float texture coordinates are not taken");
    }
    stride += size;
  }
  std::vector<DWORD> words;
  bool fits = false;
  if (!ReadWords(cursor, stride, mesh.positions.size(), words, fits)) {
    return Short(report, mesh.name, "DeclData");
  }
  if (!known || !fits) {
    report.Warn(MeshWarningCode::kExtraVertexDataIgnored, object,
                std::to_string(words.size()) + " DWORDs do not fit " +
                    std::to_string(mesh.positions.size()) + " vertices of its elements; ignored");
    return S_OK;
  }
  TakeTextureSets(words, stride, elements, mesh);
  return S_OK;
}

}  // namespace ortolix
