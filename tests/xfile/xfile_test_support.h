// Helpers for the .x reader tests: opening a file image from memory and a
// snapshot of the object tree as the D3DX-shaped API reports it. The byte
// builders are in xfile_image_writer.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xfile/d3dx_file.h"
#include "tests/support/xfile_image_writer.h"

namespace ortolix::test {

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

// A file body declaring template `T` with `members`, then `T { body }`; the
// body starts on line 7.
std::string OneObject(const std::string& members, const std::string& body);

// Little-endian Lock bytes of values, and their concatenation.
std::vector<std::uint8_t> F32(std::initializer_list<float> values);
std::vector<std::uint8_t> U32(std::initializer_list<std::uint32_t> values);
std::vector<std::uint8_t> U16(std::initializer_list<std::uint16_t> values);
std::vector<std::uint8_t> Cat(std::initializer_list<std::vector<std::uint8_t>> parts);

// Lock bytes of an object.
std::vector<std::uint8_t> LockBytes(ID3DXFileData* data);

// A line per object: depth, type GUID, name, reference flag, Lock bytes in
// hex (the leading string of TextureFilename and SkinWeights as its text),
// then its children (those of references are listed where they stand).
std::string Snapshot(const ID3DXFileEnumObject& e);

std::vector<std::uint8_t> ReadCorpusFile(const std::string& path);
// A corpus entry to read: a file named *.x or *.X (the folder may hold
// other files beside them).
bool IsXFileName(const std::filesystem::path& path);
std::string SharedDir();  // "" when the shared folder is absent

}  // namespace ortolix::test
