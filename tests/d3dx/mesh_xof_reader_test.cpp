// ReadMeshSource over stand-in data objects with the ID3DXFileData shape.
#include "platform/d3dx/mesh_xof_reader.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "tests/d3dx/lock_writer.h"

namespace ortolix::testing {
namespace {

class FakeData {
 public:
  FakeData(MeshChildKind kind, std::string name, LockWriter data)
      : kind_(kind), name_(std::move(name)), data_(std::move(data)) {}
  FakeData& Add(FakeData* child) {
    children_.push_back(child);
    return *this;
  }

  HRESULT GetName(char* name, std::size_t* size) const {
    const std::size_t needed = name_.size() + 1;
    if (name == nullptr) {
      *size = needed;
      return S_OK;
    }
    if (*size < needed) return E_INVALIDARG;
    std::copy(name_.c_str(), name_.c_str() + needed, name);
    return S_OK;
  }
  HRESULT Lock(std::size_t* size, const void** data) {
    if (fail_lock_) return E_FAIL;
    ++locks_;
    *size = data_.bytes().size();
    *data = data_.bytes().data();
    return S_OK;
  }
  HRESULT Unlock() {
    --locks_;
    return S_OK;
  }
  HRESULT GetChildren(std::size_t* count) const {
    *count = children_.size();
    return S_OK;
  }
  HRESULT GetChild(std::size_t index, FakeData** child) const {
    children_[index]->AddRef();
    *child = children_[index];
    return S_OK;
  }
  std::uint32_t AddRef() { return ++references_; }
  std::uint32_t Release() { return --references_; }

  MeshChildKind kind() const { return kind_; }
  int locks_ = 0;
  int references_ = 1;
  bool fail_lock_ = false;

 private:
  MeshChildKind kind_;
  std::string name_;
  LockWriter data_;
  std::vector<FakeData*> children_;
};

MeshChildKind ClassifyMeshChild(FakeData& data) { return data.kind(); }

LockWriter MaterialData(float red) {
  LockWriter w;
  w.Floats({red, 0, 0, 1, 5, 0, 0, 0, 0, 0, 0});
  return w;
}

LockWriter TextureData(const char* name) {
  LockWriter w;
  w.String(name);
  return w;
}

class XofReaderTest : public ::testing::Test {
 protected:
  XofReaderTest()
      : mesh_(MeshChildKind::kOther, "body",
              std::move(LockWriter().Dword(3).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).Polygons({{0, 1, 2}}))),
        list_(MeshChildKind::kMeshMaterialList, "", std::move(LockWriter().Dwords({2, 1, 1}))),
        red_(MeshChildKind::kMaterial, "Red", MaterialData(1)),
        shared_(MeshChildKind::kMaterial, "Shared", MaterialData(0.5f)),
        first_texture_(MeshChildKind::kTextureFilename, "", TextureData("first.bmp")),
        last_texture_(MeshChildKind::kTextureFilename, "", TextureData("last.bmp")),
        fvf_(MeshChildKind::kFvfData, "",
             std::move(LockWriter().Dword(258).Dword(6).Dwords(
                 {std::bit_cast<DWORD>(0.5f), 0, 0, 0, 0, std::bit_cast<DWORD>(1.0f)}))),
        ignored_(MeshChildKind::kOther, "Extra", LockWriter()) {
    red_.Add(&first_texture_).Add(&last_texture_);
    list_.Add(&red_).Add(&shared_);
    mesh_.Add(&ignored_).Add(&list_).Add(&fvf_);
  }
  FakeData mesh_, list_, red_, shared_, first_texture_, last_texture_, fvf_, ignored_;
};

TEST_F(XofReaderTest, ReadsTheMeshAndItsChildren) {
  MeshSource source;
  MeshLoadReport report;
  ASSERT_EQ(ReadMeshSource(mesh_, source, report), S_OK) << report.error;
  EXPECT_EQ(source.name, "body");
  EXPECT_EQ(source.positions.size(), 3u);
  ASSERT_TRUE(source.material_list);
  ASSERT_EQ(source.material_list->materials.size(), 2u);
  EXPECT_EQ(source.material_list->materials[0].name, "Red");
  EXPECT_EQ(source.material_list->materials[0].texture, "last.bmp");
  EXPECT_FALSE(source.material_list->materials[1].texture);
  EXPECT_EQ(source.material_list->materials[1].face_colour[0], 0.5f);
  ASSERT_EQ(source.extra_texture_sets.size(), 1u);
  EXPECT_EQ(source.extra_texture_sets[0].values[0], 0.5f);
  EXPECT_EQ(source.extra_texture_sets[0].values[5], 1.0f);
  // Every lock was undone and every child reference released.
  for (FakeData* d : {&mesh_, &list_, &red_, &shared_, &first_texture_, &last_texture_, &fvf_}) {
    EXPECT_EQ(d->locks_, 0);
    EXPECT_EQ(d->references_, 1);
  }
}

TEST_F(XofReaderTest, AFailingLockPassesItsCodeThrough) {
  shared_.fail_lock_ = true;
  MeshSource source;
  MeshLoadReport report;
  EXPECT_EQ(ReadMeshSource(mesh_, source, report), E_FAIL);
  EXPECT_EQ(report.error.rfind("Mesh 'body' > MeshMaterialList > Material: Lock failed", 0), 0u)
      << report.error;
  EXPECT_EQ(shared_.references_, 1);
}

TEST(XofReaderOrderTest, SkinWeightsBeforeTheHeaderFail) {
  FakeData mesh(MeshChildKind::kOther, "skin",
                std::move(LockWriter().Dword(3).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).Polygons({{0, 1, 2}})));
  LockWriter weights;
  weights.String("Bone").Dword(0);
  for (int i = 0; i < 16; ++i) weights.Float(0);
  FakeData bone(MeshChildKind::kSkinWeights, "", std::move(weights));
  FakeData header(MeshChildKind::kXSkinMeshHeader, "", std::move(LockWriter().Word(1).Word(1).Word(1)));
  mesh.Add(&bone).Add(&header);
  MeshSource source;
  MeshLoadReport report;
  EXPECT_EQ(ReadMeshSource(mesh, source, report), D3DXERR_INVALIDDATA);
  EXPECT_EQ(report.error.rfind("Mesh 'skin' > SkinWeights #0: ", 0), 0u) << report.error;
}

}  // namespace
}  // namespace ortolix::testing
