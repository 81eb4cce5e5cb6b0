// Animation sets, animations and their key lists as pseudo-frames of the
// scene tree, and the top-level ticks per second.
#include <cstdio>
#include <cstring>

#include "platform/xfile/xfile_guids.h"
#include "ximport/read_context.h"

namespace ortolix {
namespace {

// Words of one locked AnimationKey. Reads past the end give 0 and are noted,
// so key data shorter than its count says reads as zeros (with a warning).
class KeyWords {
 public:
  KeyWords(const void* bytes, std::size_t size)
      : bytes_(static_cast<const unsigned char*>(bytes)), size_(bytes == nullptr ? 0 : size) {}

  std::uint32_t Word(std::size_t offset) {
    std::uint32_t value = 0;
    if (offset <= size_ && size_ - offset >= 4) {
      std::memcpy(&value, bytes_ + offset, 4);
    } else {
      short_ = true;
    }
    return value;
  }
  float Float(std::size_t offset) {
    const std::uint32_t bits = Word(offset);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
  }
  [[nodiscard]] std::size_t size() const { return size_; }
  [[nodiscard]] bool short_data() const { return short_; }

 private:
  const unsigned char* bytes_;
  std::size_t size_;
  bool short_ = false;
};

constexpr std::size_t kKeyHeader = 8;  // key type, key count
// Each key: time, value count, then the values (4, 3, 3 or 16 floats).
constexpr std::size_t KeyStride(std::uint32_t key_type) {
  return key_type == 0 ? 24 : key_type == 4 ? 72 : 20;
}

template <class Key, class Fill>
void ReadKeys(std::vector<Key>& keys, std::uint32_t count, std::size_t stride, KeyWords& words,
              Fill&& fill) {
  keys.resize(count);
  for (std::uint32_t k = 0; k < count; ++k) {
    const std::size_t base = kKeyHeader + static_cast<std::size_t>(k) * stride;
    keys[k].time = words.Word(base);
    fill(keys[k], base + 8);
  }
}

void StoreKeys(FrameNode& node, std::uint32_t type, std::uint32_t count, KeyWords& w) {
  const std::size_t stride = KeyStride(type);
  if (type == 0) {
    // The file holds w, x, y, z.
    ReadKeys(node.rotation_keys, count, stride, w, [&](SceneRotationKey& key, std::size_t at) {
      key.w = w.Float(at);
      key.x = w.Float(at + 4);
      key.y = w.Float(at + 8);
      key.z = w.Float(at + 12);
    });
  } else if (type == 4) {
    ReadKeys(node.matrix_keys, count, stride, w, [&](SceneMatrixKey& key, std::size_t at) {
      for (std::size_t i = 0; i < 16; ++i) key.m[i] = w.Float(at + 4 * i);
    });
  } else {
    auto vector3 = [&](auto& key, std::size_t at) {
      key.x = w.Float(at);
      key.y = w.Float(at + 4);
      key.z = w.Float(at + 8);
    };
    if (type == 1) ReadKeys(node.scale_keys, count, stride, w, vector3);
    if (type == 2) ReadKeys(node.position_keys, count, stride, w, vector3);
  }
}

bool HoldsKeys(const FrameNode& node, std::uint32_t type) {
  switch (type) {
    case 0: return !node.rotation_keys.empty();
    case 1: return !node.scale_keys.empty();
    case 2: return !node.position_keys.empty();
    default: return !node.matrix_keys.empty();
  }
}

HRESULT LoadAnimationKey(ReadContext& ctx, ID3DXFileData& data, FrameNode& node) {
  std::size_t size = 0;
  const void* bytes = nullptr;
  if (const HRESULT hr = data.Lock(&size, &bytes); hr < 0) return ctx.Fail(hr, "AnimationKey: Lock failed");
  KeyWords words(bytes, size);
  const std::uint32_t type = bytes == nullptr ? 0 : words.Word(0);
  std::uint32_t count = bytes == nullptr ? 0 : words.Word(4);
  HRESULT hr = S_OK;
  if ((type <= 2 || type == 4) && count > 0) {
    // Laid out from its template, every key takes at least 8 bytes; a count
    // beyond that cannot come from the file's data and is cut to it, so a
    // hostile count never sizes an allocation.
    const std::size_t fits = words.size() > kKeyHeader ? (words.size() - kKeyHeader) / 8 : 0;
    if (count > fits) {
      ctx.Warn("key_count_exceeds_data", "AnimationKey count larger than its data can hold; cut to the data");
      count = static_cast<std::uint32_t>(fits);
    }
    if (HoldsKeys(node, type)) {
      char text[64];
      std::snprintf(text, sizeof text, "a second AnimationKey of type %u", type);
      hr = ctx.Fail(E_INVALIDARG, text);
    } else {
      StoreKeys(node, type, count, words);
      if (words.short_data()) {
        ctx.Warn("short_key_data", "AnimationKey data shorter than its key count; missing words read as 0");
      }
    }
  }
  (void)data.Unlock();
  return hr;
}

HRESULT LoadFrameReference(ReadContext& ctx, ID3DXFileData& data, FrameNode& node) {
  std::size_t length = 0;
  std::string name;
  if (const HRESULT hr = ReadObjectName(data, &length, &name); hr < 0) {
    return ctx.Fail(hr, "GetName of a frame reference failed");
  }
  if (node.target_frame != nullptr) {
    return ctx.Fail(E_INVALIDARG, "a second frame reference {" + name + "}");
  }
  if (length <= 1) return ctx.Fail(E_INVALIDARG, "an empty frame reference");
  FrameNode* target = ctx.FindByName(name);
  if (target == nullptr && data.IsUnresolvedReference()) {
    // An animation file for a model kept in another file: its frames are
    // nowhere in this one.
    return ctx.Fail(E_INVALIDARG, "the animation refers to frames not in this file (first: '" + name +
                                      "'); the model it animates is kept in another file");
  }
  if (target == nullptr) {
    return ctx.Fail(E_INVALIDARG, "the frame '" + name + "' is not defined before the Animation");
  }
  node.target_frame = target;
  return S_OK;
}

HRESULT LoadAnimationChild(ReadContext& ctx, ID3DXFileData& child, FrameNode& node) {
  GUID type{};
  if (const HRESULT hr = ObjectType(child, &type); hr < 0) return ServiceFailure(ctx, hr, "GetType");
  if (child.IsReference()) {
    // An unresolved reference has no type; it can only name a missing frame.
    const bool to_frame = GuidEqual(type, TID_D3DRMFrame) || GuidEqual(type, kNullGuid);
    return to_frame ? LoadFrameReference(ctx, child, node) : S_OK;
  }
  if (GuidEqual(type, TID_D3DRMFrame)) return LoadDataObject(ctx, child, node);
  if (GuidEqual(type, TID_D3DRMAnimationKey)) return LoadAnimationKey(ctx, child, node);
  return S_OK;  // AnimationOptions and anything else
}

std::string LabelOf(ID3DXFileData& data, std::string_view kind) {
  std::size_t length = 0;
  std::string name;
  (void)ReadObjectName(data, &length, &name);
  return ObjectLabel(kind, name);
}

}  // namespace

HRESULT LoadAnimation(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent) {
  std::unique_ptr<FrameNode> created = CreateFrameNode();
  created->pseudo_frame_flag = 1;
  FrameNode& node = *AppendChild(parent, std::move(created));
  AddAnimationNode(ctx.scene, node);
  PathSegment segment(ctx, LabelOf(data, "Animation"));
  return ForEachChild(ctx, data, [&](ID3DXFileData& child) { return LoadAnimationChild(ctx, child, node); });
}

HRESULT LoadAnimationSet(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent) {
  std::unique_ptr<FrameNode> created = CreateFrameNode();
  created->pseudo_frame_flag = 1;
  created->animation_set_flag = 1;
  FrameNode& node = *AppendChild(parent, std::move(created));
  std::size_t length = 0;
  std::string name;
  if (const HRESULT hr = ReadObjectName(data, &length, &name); hr < 0) {
    return ctx.Fail(hr, "GetName of an AnimationSet failed");
  }
  node.set_name = name;
  node.name = std::move(name);
  ctx.RegisterName(node);
  PathSegment segment(ctx, ObjectLabel("AnimationSet", node.set_name));
  return ForEachChild(ctx, data, [&](ID3DXFileData& child) {
    GUID type{};
    if (const HRESULT hr = ObjectType(child, &type); hr < 0) return ServiceFailure(ctx, hr, "GetType");
    return GuidEqual(type, TID_D3DRMAnimation) ? LoadAnimation(ctx, child, node) : S_OK;
  });
}

void CheckTicksPerSecond(XFileReader& reader, ID3DXFileData& data) {
  GUID type{};
  if (data.GetType(&type) < 0 || !GuidEqual(type, DXFILEOBJ_AnimTicksPerSecond)) return;
  std::size_t size = 0;
  const void* bytes = nullptr;
  if (data.Lock(&size, &bytes) < 0) return;
  if (bytes != nullptr && size >= 4) std::memcpy(&reader.ticks_per_second, bytes, 4);
  (void)data.Unlock();
}

}  // namespace ortolix
