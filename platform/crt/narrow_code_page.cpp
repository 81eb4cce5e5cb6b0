#include "platform/crt/narrow_code_page.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/crt/utf8.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace ortolix {

namespace {

unsigned DefaultCodePage() {
#ifdef _WIN32
  return GetACP();
#else
  return kUtf8CodePage;
#endif
}

// The one process-wide setting and its counter.
std::atomic<unsigned> g_code_page{DefaultCodePage()};
std::atomic<std::uint64_t> g_replaced{0};

std::size_t DecodeUtf8(std::string_view narrow, std::u32string* out) {
  const auto* p = reinterpret_cast<const unsigned char*>(narrow.data());
  const auto* end = p + narrow.size();
  std::size_t replaced = 0;
  while (p < end) {
    char32_t cp;
    std::size_t len = utf8::DecodeBounded(p, static_cast<std::size_t>(end - p), cp);
    if (len == 0) {
      cp = utf8::kReplacement;
      len = 1;
      ++replaced;
    }
    out->push_back(cp);
    p += len;
  }
  return replaced;
}

#ifdef _WIN32

bool CodePageUsable(unsigned code_page) { return IsValidCodePage(code_page) != 0; }

// MultiByteToWideChar replaces what it cannot decode by itself; it does not
// say how often, so nothing is counted here.
std::size_t DecodeOther(unsigned code_page, std::string_view narrow, std::u32string* out) {
  if (narrow.empty()) return 0;
  const int n = static_cast<int>(narrow.size());
  std::vector<wchar_t> wide(narrow.size() * 2 + 2);
  int got = MultiByteToWideChar(code_page, 0, narrow.data(), n, wide.data(),
                                static_cast<int>(wide.size()));
  for (int i = 0; i < got;) {
    char32_t cp;
    i += static_cast<int>(utf8::ReadUtf16(reinterpret_cast<const char16_t*>(wide.data()) + i, cp));
    out->push_back(cp);
  }
  return 0;
}

#else

std::string IconvName(unsigned code_page) { return "CP" + std::to_string(code_page); }

bool CodePageUsable(unsigned code_page) {
  iconv_t cd = iconv_open("UTF-32LE", IconvName(code_page).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(cd);
  return true;
}

// iconv stops at each byte it cannot decode: that byte becomes U+FFFD and
// the conversion restarts after it.
std::size_t DecodeOther(unsigned code_page, std::string_view narrow, std::u32string* out) {
  iconv_t cd = iconv_open("UTF-32LE", IconvName(code_page).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return DecodeUtf8(narrow, out);
  std::size_t replaced = 0;
  char* in = const_cast<char*>(narrow.data());
  std::size_t in_left = narrow.size();
  std::vector<char> buffer(4 * 256);
  while (in_left > 0) {
    char* o = buffer.data();
    std::size_t o_left = buffer.size();
    std::size_t r = iconv(cd, &in, &in_left, &o, &o_left);
    for (const char* q = buffer.data(); q + 4 <= o; q += 4) {
      auto b = [q](int i) { return static_cast<char32_t>(static_cast<unsigned char>(q[i])); };
      out->push_back(b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24);
    }
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out->push_back(utf8::kReplacement);
      ++replaced;
      ++in;
      --in_left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return replaced;
}

#endif

}  // namespace

bool SetNarrowCodePage(unsigned code_page) {
  if (code_page != kUtf8CodePage && !CodePageUsable(code_page)) return false;
  g_code_page = code_page;
  return true;
}

unsigned NarrowCodePage() { return g_code_page; }

bool NarrowCodePageIsDoubleByte() {
  const unsigned cp = g_code_page;
  return cp == 932 || cp == 936 || cp == 949 || cp == 950;
}

std::size_t DecodeNarrow(std::string_view narrow, std::u32string* out, bool count) {
  const unsigned cp = g_code_page;
  std::size_t replaced =
      cp == kUtf8CodePage ? DecodeUtf8(narrow, out) : DecodeOther(cp, narrow, out);
  if (count) g_replaced += replaced;
  return replaced;
}

std::string Utf8FromNarrow(std::string_view narrow) {
  bool ascii = true;
  for (char c : narrow) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(narrow);
  std::u32string points;
  DecodeNarrow(narrow, &points);
  std::string text;
  for (char32_t cp : points) {
    char bytes[4];
    if (utf8::IsHighSurrogate(cp) || utf8::IsLowSurrogate(cp) || cp > 0x10FFFF) {
      cp = utf8::kReplacement;
    }
    text.append(bytes, utf8::Encode(cp, bytes));
  }
  return text;
}

std::uint64_t NarrowReplacementCount() { return g_replaced; }
void ResetNarrowReplacementCount() { g_replaced = 0; }

}  // namespace ortolix
