// The .x file services in the shape of D3DX 9's ID3DXFile family, for the
// import code and the `ortolix dump` command.
//
//   ID3DXFile* file = nullptr;
//   D3DXFileCreate(&file);
//   file->RegisterTemplates(block, size);               // the standard sets
//   ID3DXFileEnumObject* e = nullptr;
//   file->CreateEnumObject(path, D3DXF_FILELOAD_FROMWFILE, &e);
//   e->GetChildren(&n); e->GetChild(i, &data); ... data->Release();
//   e->Release(); file->Release();
//
// Ownership: every object starts with one reference; Release ends one and
// frees the object at zero; GetChild returns a new reference. Data objects
// keep the parsed file alive, so they may outlive their enumerator. Nothing
// throws: results are HRESULTs, and the file and enumerator keep the
// diagnostic of their last failure (code, file, line/column or byte offset,
// object path, message). Single-threaded, like the plug-in.
//
// Hostile input: CreateEnumObject reads the whole file at once within
// ReaderLimits; a malformed file yields a failure result, never a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/crt/wide_char.h"
#include "platform/xfile/diagnostics.h"
#include "platform/xfile/file_header.h"
#include "platform/xfile/reader_limits.h"
#include "platform/xfile/template_registry.h"
#include "platform/xfile/xfile_types.h"

namespace ortolix {

struct XDocument;
class ID3DXFileEnumObject;
class ID3DXFileData;

class ID3DXFile {
 public:
  ID3DXFile() = default;
  ID3DXFile(const ID3DXFile&) = delete;
  ID3DXFile& operator=(const ID3DXFile&) = delete;

  // `source` per `options`: FROMFILE a const char* path, FROMWFILE a
  // const WideChar* path, FROMMEMORY a const D3DXF_FILELOADMEMORY*.
  // FROMRESOURCE answers E_NOTIMPL. Unreadable path: D3DXFERR_FILENOTFOUND.
  // Parse failures: the D3DXFERR_* code of the diagnostic; *out stays null.
  [[nodiscard]] HRESULT CreateEnumObject(const void* source, D3DXF_FILELOADOPTIONS options,
                                         ID3DXFileEnumObject** out);

  // Adds the templates of a block ("xof ...." header and template
  // declarations, `size` bytes, text without its terminating NUL). Names
  // already registered keep their first declaration. A data object or an
  // unknown member type: D3DXFERR_PARSEERROR, and nothing is added.
  [[nodiscard]] HRESULT RegisterTemplates(const void* data, std::size_t size);

  std::uint32_t AddRef();
  std::uint32_t Release();

  // The diagnostic of the last failed call (code S_OK when none failed).
  const XDiagnostic& LastError() const { return last_error_; }
  const TemplateRegistry& templates() const { return templates_; }
  void SetLimits(const ReaderLimits& limits) { limits_ = limits; }

 private:
  ~ID3DXFile() = default;
  friend HRESULT D3DXFileCreate(ID3DXFile** out);

  std::uint32_t refs_ = 1;
  TemplateRegistry templates_;
  ReaderLimits limits_;
  XDiagnostic last_error_;
};

class ID3DXFileEnumObject {
 public:
  ID3DXFileEnumObject(const ID3DXFileEnumObject&) = delete;
  ID3DXFileEnumObject& operator=(const ID3DXFileEnumObject&) = delete;

  // Number of top-level data objects (templates are not counted).
  [[nodiscard]] HRESULT GetChildren(std::size_t* count) const;
  // Top-level object `index` in file order, as a new reference.
  // Out of range: D3DXFERR_NOMOREOBJECTS.
  [[nodiscard]] HRESULT GetChild(std::size_t index, ID3DXFileData** out) const;
  // First data object anywhere in the file with this name (D3DXFERR_NOTFOUND).
  [[nodiscard]] HRESULT GetDataObjectByName(const char* name, ID3DXFileData** out) const;

  std::uint32_t AddRef();
  std::uint32_t Release();

  // Header facts and the counted warnings of the read (tolerated quirks).
  const XFileHeader& Header() const;
  const std::vector<XWarning>& Warnings() const;
  const XDiagnostic& LastError() const { return last_error_; }
  // The parsed file itself (templates, objects, Lock data), read-only.
  const XDocument& Document() const { return *doc_; }

 private:
  friend class ID3DXFile;
  explicit ID3DXFileEnumObject(std::shared_ptr<const XDocument> doc) : doc_(std::move(doc)) {}
  ~ID3DXFileEnumObject() = default;

  std::uint32_t refs_ = 1;
  std::shared_ptr<const XDocument> doc_;
  mutable XDiagnostic last_error_;
};

class ID3DXFileData {
 public:
  ID3DXFileData(const ID3DXFileData&) = delete;
  ID3DXFileData& operator=(const ID3DXFileData&) = delete;

  // GUID of the object's template (zero for a template nobody declared).
  [[nodiscard]] HRESULT GetType(GUID* type) const;
  // Name size protocol: GetName(nullptr, &n) gives strlen + 1 (1 when
  // unnamed); with a buffer of *size bytes the name and its NUL are copied.
  // size null, or a buffer smaller than the name: D3DXFERR_BADVALUE. A
  // buffer with *size == 0 for an unnamed object: *size = 1, buffer untouched.
  [[nodiscard]] HRESULT GetName(char* name, std::size_t* size) const;
  // The object's own GUID (zero when it has none).
  [[nodiscard]] HRESULT GetId(GUID* id) const;
  // The member data laid out by the template: packed little-endian, WORD 2,
  // DWORD 4, FLOAT 4 (also in 64-bit float files), DOUBLE 8, CHAR/UCHAR 1,
  // strings as pointers to NUL-terminated text owned by the parsed file;
  // nested templates and arrays inline; children not included. The data
  // may be unaligned. Valid while any object of this file lives; Lock may
  // be called repeatedly and Unlock is always S_OK.
  [[nodiscard]] HRESULT Lock(std::size_t* size, const void** data);
  HRESULT Unlock();
  // Direct children (objects and references) in file order.
  [[nodiscard]] HRESULT GetChildren(std::size_t* count) const;
  [[nodiscard]] HRESULT GetChild(std::size_t index, ID3DXFileData** out) const;
  // TRUE for a { Name } child; it otherwise behaves as the object it names.
  BOOL IsReference() const;
  // Not in D3DX: a reference inside an Animation whose name matches no
  // object of the file (a frame of a model kept in another file). It keeps
  // that name (GetName); its type is the null GUID and it has no data or
  // children.
  bool IsUnresolvedReference() const;

  std::uint32_t AddRef();
  std::uint32_t Release();

  // Not in D3DX: the template name as written in the file, and the payload
  // offset where the object starts (for tools and diagnostics).
  std::string_view TypeName() const;
  std::uint64_t SourceOffset() const;

 private:
  friend class ID3DXFileEnumObject;
  ID3DXFileData(std::shared_ptr<const XDocument> doc, std::uint32_t index)
      : doc_(std::move(doc)), index_(index) {}
  ~ID3DXFileData() = default;

  std::uint32_t refs_ = 1;
  std::shared_ptr<const XDocument> doc_;
  std::uint32_t index_;
};

// Creates a file object with no templates registered. Null `out`: E_POINTER.
[[nodiscard]] HRESULT D3DXFileCreate(ID3DXFile** out);

// Releases through a pointer and nulls it.
template <typename T>
void SafeRelease(T*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

}  // namespace ortolix
