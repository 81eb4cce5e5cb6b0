// Contiguous arrays of Host records that carry virtual operations (materials,
// meshes, animations).
//
// The plug-in walks these arrays by index through the base type, so the
// concrete record classes may add no data members, yet their operations must
// reach the Host that owns them. Each array therefore lives in one block whose
// size is a power of two 2^Shift and which is aligned to that size; the block
// starts with a header naming the owner. The concrete record type is a
// template on Shift, so every record knows, from its own type, the mask that
// turns its address into the address of the block header. Growing the array
// moves the records into a block twice as large, as records of the next type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

namespace ortolix::host_detail {

inline constexpr int kMinBlockShift = 12;  // 4 KiB
inline constexpr int kMaxBlockShift = 28;  // 256 MiB: the Host's limit per array
inline constexpr std::size_t kBlockItemsOffset = 64;

struct RecordBlockHeader {
  void* owner;
};

// The owner and the index of a record, found from its address alone.
struct RecordPlace {
  void* owner;
  std::int32_t index;
};

template <int Shift, typename Base>
RecordPlace LocateRecord(const Base* record) {
  const auto address = reinterpret_cast<std::uintptr_t>(record);
  const auto start = address & ~((std::uintptr_t{1} << Shift) - 1);
  const auto* header = reinterpret_cast<const RecordBlockHeader*>(start);
  const auto index = (address - start - kBlockItemsOffset) / sizeof(Base);
  return {header->owner, static_cast<std::int32_t>(index)};
}

// Record<Shift> must derive from Base without adding members, be default
// constructible (a record with default values) and constructible from a Base
// (a copy of the public fields).
template <typename Base, template <int> class Record>
class ObjectRecordArray {
 public:
  explicit ObjectRecordArray(void* owner) : owner_(owner) {}
  ~ObjectRecordArray() { Clear(); }
  ObjectRecordArray(const ObjectRecordArray&) = delete;
  ObjectRecordArray& operator=(const ObjectRecordArray&) = delete;

  bool present() const { return block_ != nullptr; }
  std::int32_t size() const { return size_; }
  // Null while the array is absent; never null once present, even when empty.
  Base* items() const {
    return block_ ? reinterpret_cast<Base*>(block_ + kBlockItemsOffset) : nullptr;
  }

  // Makes the array present (empty) when absent. False when memory runs out.
  bool MakePresent() { return block_ != nullptr || Grow(); }

  // Appends a record with default values; null when the array cannot grow.
  Base* Append() {
    if (block_ == nullptr || size_ == Capacity(shift_)) {
      if (!Grow()) return nullptr;
    }
    Base* record = Table()[shift_ - kMinBlockShift].construct(SlotAt(block_, size_));
    ++size_;
    return record;
  }

  // Destroys every record and makes the array absent.
  void Clear() {
    if (block_ == nullptr) return;
    const Ops& ops = Table()[shift_ - kMinBlockShift];
    for (std::int32_t i = 0; i < size_; ++i) ops.destroy(items() + i);
    // Unsized: clang offers sized deallocation only with -fsized-deallocation.
    ::operator delete(block_, std::align_val_t(BlockSize(shift_)));
    block_ = nullptr;
    size_ = 0;
    shift_ = 0;
  }

 private:
  struct Ops {
    Base* (*construct)(void* slot);
    Base* (*relocate)(void* slot, const Base& from);
    void (*destroy)(Base* record);
  };

  template <int Shift>
  static constexpr Ops OpsFor() {
    using R = Record<Shift>;
    static_assert(sizeof(R) == sizeof(Base), "a Host record may add no members");
    static_assert(alignof(R) <= kBlockItemsOffset);
    return {[](void* slot) -> Base* { return ::new (slot) R(); },
            [](void* slot, const Base& from) -> Base* { return ::new (slot) R(from); },
            [](Base* record) { static_cast<R*>(record)->~R(); }};
  }

  template <int... I>
  static constexpr auto MakeTable(std::integer_sequence<int, I...>) {
    struct Table {
      Ops ops[sizeof...(I)];
      constexpr const Ops& operator[](int i) const { return ops[i]; }
    };
    return Table{{OpsFor<kMinBlockShift + I>()...}};
  }

  static const auto& Table() {
    static constexpr auto table =
        MakeTable(std::make_integer_sequence<int, kMaxBlockShift - kMinBlockShift + 1>());
    return table;
  }

  static constexpr std::size_t BlockSize(int shift) { return std::size_t{1} << shift; }
  static constexpr std::int32_t Capacity(int shift) {
    return static_cast<std::int32_t>((BlockSize(shift) - kBlockItemsOffset) / sizeof(Base));
  }
  static void* SlotAt(std::byte* block, std::int32_t index) {
    return block + kBlockItemsOffset + static_cast<std::size_t>(index) * sizeof(Base);
  }

  bool Grow() {
    int shift = block_ ? shift_ + 1 : kMinBlockShift;
    while (shift <= kMaxBlockShift && Capacity(shift) < 1) ++shift;
    if (shift > kMaxBlockShift) return false;
    auto* block = static_cast<std::byte*>(
        ::operator new(BlockSize(shift), std::align_val_t(BlockSize(shift)), std::nothrow));
    if (block == nullptr) return false;
    ::new (block) RecordBlockHeader{owner_};
    const Ops& to = Table()[shift - kMinBlockShift];
    for (std::int32_t i = 0; i < size_; ++i) to.relocate(SlotAt(block, i), items()[i]);
    const std::int32_t kept = size_;
    Clear();
    block_ = block;
    shift_ = shift;
    size_ = kept;
    return true;
  }

  void* owner_;
  std::byte* block_ = nullptr;
  int shift_ = 0;
  std::int32_t size_ = 0;
};

}  // namespace ortolix::host_detail
