// Every allocation of the import conversion goes through here, so that a
// failure is a result (the item is skipped, or the read fails) and never an
// exception, and so that tests can make the N-th allocation fail.
//
// One call is one allocation in the conversion's sense: sizing an array once,
// or adding one entry to a growing array (growth itself is amortised).
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>

namespace ortolix {

// Test switch: the `nth` allocation from now on fails (1 = the next one);
// 0 turns the switch off. Also resets the allocation counter.
void FailImportAllocationAt(std::int64_t nth);

// Number of allocations counted since the last FailImportAllocationAt.
std::int64_t ImportAllocationCount();

// The switch's state; the plug-in runs on one thread.
struct ImportAllocationSwitch {
  std::int64_t failAt = 0;
  std::int64_t count = 0;
};

inline ImportAllocationSwitch& TheImportAllocationSwitch() {
  static ImportAllocationSwitch state;
  return state;
}

// Counts one allocation; true when it is the one the switch makes fail.
// Inline: it is asked once per influence and per vertex weight.
inline bool ImportAllocationFails() {
  ImportAllocationSwitch& state = TheImportAllocationSwitch();
  ++state.count;
  return state.failAt > 0 && state.count == state.failAt;
}

// Replaces the contents of `array` by `count` value-initialised records.
// False (and `array` unchanged) when memory or the switch says no.
template <class Array>
[[nodiscard]] bool AllocateImportArray(Array& array, std::size_t count) {
  if (ImportAllocationFails()) return false;
  try {
    Array fresh(count);
    array.swap(fresh);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  return true;
}

// Appends `value` to `array` when it has to grow; false when memory says no.
template <class Array, class Value>
[[nodiscard]] bool AppendGrowingImportEntry(Array& array, Value&& value) {
  try {
    array.push_back(std::forward<Value>(value));
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  return true;
}

// Appends `value` to `array`; false (and `array` unchanged) when memory or
// the switch says no. An append into reserved room stays inline: this runs
// once per skin influence and vertex weight.
template <class Array, class Value>
[[nodiscard]] inline bool AppendImportEntry(Array& array, Value&& value) {
  if (ImportAllocationFails()) return false;
  if (array.size() < array.capacity()) {
    array.push_back(std::forward<Value>(value));
    return true;
  }
  return AppendGrowingImportEntry(array, std::forward<Value>(value));
}

// Makes room for `count` entries ahead of appends; a hint only, so a failure
// here is ignored and not counted.
template <class Array>
void ReserveImportEntries(Array& array, std::size_t count) {
  try {
    array.reserve(count);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

}  // namespace ortolix
