// Helpers for the .x reader tests: byte builders for the binary token
// layout and MSZIP blocks, opening a file image from memory, and a
// snapshot of the object tree as the D3DX-shaped API reports it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xfile/d3dx_file.h"

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

// Holds a file object (with the standard templates unless told otherwise)
// and the enumerator of one file image, read within `limits` when given
// (set after the templates are registered).
struct Opened {
  explicit Opened(const std::vector<std::uint8_t>& image, bool standard_templates = true,
                  const ReaderLimits* limits = nullptr);
  ~Opened();
  Opened(const Opened&) = delete;
  Opened& operator=(const Opened&) = delete;

  ID3DXFile* file = nullptr;
  ID3DXFileEnumObject* e = nullptr;
  HRESULT hr = E_FAIL;
  XDiagnostic error;

  std::size_t Count() const;
  // Top-level object i; the caller releases it.
  ID3DXFileData* Child(std::size_t i) const;
  bool HasWarning(XWarningCode code) const;
};

Opened OpenText(std::string_view text_after_header, std::string_view header = "xof 0303txt 0032");

// Lock bytes of an object.
std::vector<std::uint8_t> LockBytes(ID3DXFileData* data);

// A line per object: depth, type GUID, name, reference flag, Lock bytes in
// hex (the leading string of TextureFilename and SkinWeights as its text),
// then its children (those of references are listed where they stand).
std::string Snapshot(const ID3DXFileEnumObject& e);

std::vector<std::uint8_t> ReadCorpusFile(const std::string& path);
std::string SharedDir();  // "" when the shared folder is absent

}  // namespace ortolix::test
