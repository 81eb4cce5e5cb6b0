#include "tests/support/xfile_image_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

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

BinWriter& BinWriter::IntList(const std::uint32_t* values, std::size_t count) {
  Word(6);
  Dword(static_cast<std::uint32_t>(count));
  for (std::size_t i = 0; i < count; ++i) Dword(values[i]);
  return *this;
}

BinWriter& BinWriter::FloatList(const float* values, std::size_t count) {
  Word(7);
  Dword(static_cast<std::uint32_t>(count));
  std::size_t at = bytes_.size();
  bytes_.resize(at + count * 4);
  std::memcpy(bytes_.data() + at, values, count * 4);  // little-endian hosts
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
    deflateInit2(&zs, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
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

}  // namespace ortolix::test
