// The 16-byte header of a .x file or template block, and the payload that
// follows it: the bytes themselves for txt/bin, the inflated MSZIP blocks for
// tzip/bzip. Safe on hostile input.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/xfile/byte_buffer.h"
#include "platform/xfile/parse_context.h"

namespace ortolix {

enum class XFormat : std::uint8_t { kText, kBinary, kTextZip, kBinaryZip };

struct XFileHeader {
  std::uint8_t major = 3;
  std::uint8_t minor = 3;
  XFormat format = XFormat::kText;
  std::uint8_t float_bits = 32;  // 32 or 64

  bool binary() const { return format == XFormat::kBinary || format == XFormat::kBinaryZip; }
  bool compressed() const { return format == XFormat::kTextZip || format == XFormat::kBinaryZip; }
};

std::string_view FormatName(XFormat format);  // "txt", "bin", "tzip", "bzip"

// Checks magic, version, format and float size, in that order, with the
// D3DXFERR code of the first field that is wrong.
[[nodiscard]] bool ReadFileHeader(std::span<const std::uint8_t> file, XFileHeader* header,
                                  ParseContext& ctx);

// Inflates the MSZIP records after the header (and the 4-byte total size).
// Each block is inflated with the previous block's output as dictionary.
[[nodiscard]] bool InflateMszip(std::span<const std::uint8_t> file, ByteBuffer* out,
                                ParseContext& ctx);

}  // namespace ortolix
