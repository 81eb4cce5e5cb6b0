#include "platform/xfile/file_header.h"

#include <zlib.h>

#include <cstring>
#include <string>

namespace ortolix {

namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::uint32_t kMaxBlockOutput = 32768;

bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

std::uint32_t Le16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | p[1] << 8); }

std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The fourth byte of "xof " and of "txt "/"bin " is a blank; one writer
// puts a tab there.
bool BlankAt(const std::uint8_t* p, std::size_t at, std::uint64_t offset, ParseContext& ctx) {
  if (p[at] == ' ') return true;
  if (p[at] == '\t') {
    ctx.Warn(XWarningCode::kHeaderTab, offset + at);
    return true;
  }
  return false;
}

// One record: WORD output size, WORD input size (with "CK"), "CK", deflate.
bool InflateBlock(z_stream& zs, const std::uint8_t* in, std::uint32_t in_size,
                  std::uint8_t* out, std::uint32_t out_size) {
  zs.next_in = const_cast<Bytef*>(in);
  zs.avail_in = in_size;
  zs.next_out = out;
  zs.avail_out = out_size;
  int rc = inflate(&zs, Z_FINISH);
  return (rc == Z_STREAM_END || rc == Z_OK || rc == Z_BUF_ERROR) && zs.avail_out == 0;
}

}  // namespace

std::string_view FormatName(XFormat format) {
  switch (format) {
    case XFormat::kText: return "txt";
    case XFormat::kBinary: return "bin";
    case XFormat::kTextZip: return "tzip";
    case XFormat::kBinaryZip: return "bzip";
  }
  return "?";
}

bool ReadFileHeader(std::span<const std::uint8_t> file, XFileHeader* header, ParseContext& ctx) {
  if (file.size() < kHeaderSize) {
    return ctx.Fail(D3DXFERR_BADFILETYPE, 0, "file shorter than the 16-byte header");
  }
  const std::uint8_t* p = file.data();
  if (std::memcmp(p, "xof", 3) != 0 || !BlankAt(p, 3, 0, ctx)) {
    return ctx.Fail(D3DXFERR_BADFILETYPE, 0, "not a .x file (no \"xof \" magic)");
  }
  if (!IsDigit(p[4]) || !IsDigit(p[5]) || !IsDigit(p[6]) || !IsDigit(p[7])) {
    return ctx.Fail(D3DXFERR_BADFILEVERSION, 4, "version is not four digits");
  }
  header->major = static_cast<std::uint8_t>((p[4] - '0') * 10 + (p[5] - '0'));
  header->minor = static_cast<std::uint8_t>((p[6] - '0') * 10 + (p[7] - '0'));
  if (header->major != 3 || (header->minor != 2 && header->minor != 3)) {
    ctx.Warn(XWarningCode::kUnusualVersion, 4);
  }
  if (std::memcmp(p + 8, "txt", 3) == 0 && BlankAt(p, 11, 0, ctx)) {
    header->format = XFormat::kText;
  } else if (std::memcmp(p + 8, "bin", 3) == 0 && BlankAt(p, 11, 0, ctx)) {
    header->format = XFormat::kBinary;
  } else if (std::memcmp(p + 8, "tzip", 4) == 0) {
    header->format = XFormat::kTextZip;
  } else if (std::memcmp(p + 8, "bzip", 4) == 0) {
    header->format = XFormat::kBinaryZip;
  } else {
    return ctx.Fail(D3DXFERR_BADFILETYPE, 8, "unknown format (not txt, bin, tzip or bzip)");
  }
  if (std::memcmp(p + 12, "0032", 4) == 0) {
    header->float_bits = 32;
  } else if (std::memcmp(p + 12, "0064", 4) == 0) {
    header->float_bits = 64;
  } else {
    return ctx.Fail(D3DXFERR_BADFILEFLOATSIZE, 12, "float size is neither 0032 nor 0064");
  }
  return true;
}

bool InflateMszip(std::span<const std::uint8_t> file, ByteBuffer* out,
                  ParseContext& ctx) {
  std::size_t pos = kHeaderSize;
  if (file.size() == kHeaderSize) return true;  // header only: empty payload
  if (file.size() < pos + 4) return ctx.Fail(D3DXFERR_BADFILE, pos, "compressed size missing");
  std::uint64_t declared = Le32(file.data() + pos);
  pos += 4;
  // First pass: validate every record before allocating anything.
  std::uint64_t total = 0;
  for (std::size_t q = pos; q < file.size();) {
    if (file.size() - q < 6) return ctx.Fail(D3DXFERR_BADFILE, q, "truncated MSZIP block header");
    std::uint32_t out_size = Le16(file.data() + q);
    std::uint32_t in_size = Le16(file.data() + q + 2);
    if (out_size == 0 || out_size > kMaxBlockOutput || in_size < 2 ||
        file[q + 4] != 'C' || file[q + 5] != 'K') {
      return ctx.Fail(D3DXFERR_BADFILE, q, "malformed MSZIP block header");
    }
    if (file.size() - (q + 4) < in_size) return ctx.Fail(D3DXFERR_BADFILE, q, "truncated MSZIP block");
    total += out_size;
    q += 4 + in_size;
  }
  if (total > ctx.limits().max_file_bytes) {
    return ctx.Fail(E_OUTOFMEMORY, pos, "decompressed size above the limit");
  }
  if (declared < kHeaderSize || declared - kHeaderSize != total) {
    ctx.Warn(XWarningCode::kCompressedSizeMismatch, kHeaderSize);
  }
  if (!ctx.Charge(total, pos)) return false;
  if (!out->empty()) return ctx.Fail(E_INVALIDARG, pos, "inflating into a used buffer");
  out->Reserve(static_cast<std::size_t>(total));
  z_stream zs{};
  if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return ctx.Fail(E_OUTOFMEMORY, pos, "zlib init failed");
  bool ok = true;
  std::size_t block_start = 0;
  while (pos < file.size()) {
    std::uint32_t out_size = Le16(file.data() + pos);
    std::uint32_t in_size = Le16(file.data() + pos + 2);
    std::size_t previous = block_start;
    block_start = out->size();
    out->Extend(out_size);
    inflateReset(&zs);
    if (block_start > previous) {
      inflateSetDictionary(&zs, out->data() + previous,
                           static_cast<uInt>(block_start - previous));
    }
    if (!InflateBlock(zs, file.data() + pos + 6, in_size - 2, out->data() + block_start,
                      out_size)) {
      ok = ctx.Fail(D3DXFERR_BADFILE, pos, "MSZIP block does not inflate to its stated size");
      break;
    }
    pos += 4 + in_size;
  }
  inflateEnd(&zs);
  return ok;
}

}  // namespace ortolix
