// Builders of .x file images for tests and benchmarks: the binary token
// layout and the MSZIP compressed layout, written from their documented
// byte layouts (the product itself only reads them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/xfile/xfile_types.h"

namespace ortolix::test {

std::vector<std::uint8_t> Bytes(std::string_view text);

// Binary token stream after a 16-byte header.
class BinWriter {
 public:
  explicit BinWriter(std::string_view header = "xof 0303bin 0032");
  BinWriter& Tok(std::uint16_t token);
  BinWriter& Name(std::string_view name);
  BinWriter& String(std::string_view text, std::uint16_t terminator = 20);
  BinWriter& Integer(std::uint32_t value);
  BinWriter& Guid(const GUID& guid);
  BinWriter& Ints(std::initializer_list<std::uint32_t> values);
  BinWriter& Floats(std::initializer_list<float> values);
  BinWriter& Doubles(std::initializer_list<double> values);
  BinWriter& Raw(std::initializer_list<std::uint8_t> bytes);
  // Lists from memory, for large generated models.
  BinWriter& IntList(const std::uint32_t* values, std::size_t count);
  BinWriter& FloatList(const float* values, std::size_t count);
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  void Word(std::uint16_t v);
  void Dword(std::uint32_t v);
  std::vector<std::uint8_t> bytes_;
};

// Compresses `payload` into the MSZIP layout after `header` (a 16-byte
// "xof 0303bzip0032"-style header): total size, then blocks of at most
// `block_size` bytes, each deflated with the previous block as dictionary.
std::vector<std::uint8_t> Mszip(std::string_view header, std::string_view payload,
                                std::size_t block_size = 32768);

}  // namespace ortolix::test
