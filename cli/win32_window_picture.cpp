#include "cli/win32_window_picture.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace ortolix::cli {

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgrx;  // top-down rows of 32-bit pixels
};

bool CopyWindow(HWND window, Picture& picture) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  picture.width = rect.right - rect.left;
  picture.height = rect.bottom - rect.top;
  if (picture.width <= 0 || picture.height <= 0) return false;
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, picture.width, picture.height, source, 0, 0, SRCCOPY) != 0;
    GdiFlush();
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    picture.bgrx.assign(pixels, pixels + static_cast<std::size_t>(picture.width) * picture.height * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(window, source);
  return copied;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[5], const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

bool EncodePng(const Picture& picture, std::vector<std::uint8_t>& png) {
  std::vector<std::uint8_t> rows;  // filter byte 0, then RGB
  rows.reserve(static_cast<std::size_t>(picture.height) * (picture.width * 3 + 1));
  for (int y = 0; y < picture.height; ++y) {
    rows.push_back(0);
    const std::uint8_t* pixel = picture.bgrx.data() + static_cast<std::size_t>(y) * picture.width * 4;
    for (int x = 0; x < picture.width; ++x, pixel += 4) rows.insert(rows.end(), {pixel[2], pixel[1], pixel[0]});
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size())) != Z_OK) return false;
  packed.resize(packedSize);
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(picture.width));
  PutBigEndian(header, static_cast<std::uint32_t>(picture.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
  png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return true;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::string& path, std::string& error) {
  Picture picture;
  std::vector<std::uint8_t> png;
  if (!CopyWindow(window, picture) || !EncodePng(picture, png)) {
    error = "the window could not be copied";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = path + ": cannot be created";
    return false;
  }
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  if (std::fclose(file) != 0 || !written) {
    error = path + ": could not be written";
    return false;
  }
  return true;
}

}  // namespace ortolix::cli
