#include "platform/xfile/d3dx_file.h"

#include <cstring>
#include <new>

#include "platform/xfile/document.h"
#include "platform/xfile/file_bytes.h"

namespace ortolix {

HRESULT D3DXFileCreate(ID3DXFile** out) {
  if (out == nullptr) return E_POINTER;
  *out = new (std::nothrow) ID3DXFile();
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

std::uint32_t ID3DXFile::AddRef() { return ++refs_; }

std::uint32_t ID3DXFile::Release() {
  std::uint32_t left = --refs_;
  if (left == 0) delete this;
  return left;
}

namespace {

XDiagnostic SimpleError(HRESULT code, std::string file, std::string message) {
  XDiagnostic d;
  d.code = code;
  d.file = std::move(file);
  d.binary = true;
  d.positioned = false;
  d.message = std::move(message);
  return d;
}

HRESULT LoadSource(const void* source, D3DXF_FILELOADOPTIONS options, std::uint64_t max_bytes,
                   ByteBuffer* bytes, std::string* name, XDiagnostic* error) {
  FileReadResult r = FileReadResult::kOk;
  int os_error = 0;
  switch (options) {
    case D3DXF_FILELOAD_FROMFILE:
      *name = static_cast<const char*>(source);
      r = ReadFileBytes(static_cast<const char*>(source), max_bytes, bytes, &os_error);
      break;
    case D3DXF_FILELOAD_FROMWFILE:
      *name = NarrowPath(static_cast<const WideChar*>(source));
      r = ReadFileBytes(static_cast<const WideChar*>(source), max_bytes, bytes, &os_error);
      break;
    case D3DXF_FILELOAD_FROMMEMORY: {
      const auto* memory = static_cast<const D3DXF_FILELOADMEMORY*>(source);
      *name = "<memory>";
      if (memory->lpMemory == nullptr && memory->dSize != 0) {
        *error = SimpleError(E_INVALIDARG, *name, "null memory block");
        return error->code;
      }
      if (memory->dSize > max_bytes) {
        *error = SimpleError(E_OUTOFMEMORY, *name, "memory block larger than the limit");
        return error->code;
      }
      if (memory->dSize > 0) std::memcpy(bytes->Extend(memory->dSize), memory->lpMemory, memory->dSize);
      break;
    }
    case D3DXF_FILELOAD_FROMRESOURCE:
      *error = SimpleError(E_NOTIMPL, "<resource>", "loading from resources is not supported");
      return error->code;
    default:
      *error = SimpleError(E_INVALIDARG, "", "unknown load option");
      return error->code;
  }
  if (r == FileReadResult::kIsDirectory) {
    *error = SimpleError(D3DXFERR_FILENOTFOUND, *name, "is a directory, not a file");
    return error->code;
  }
  if (r == FileReadResult::kNotFound || r == FileReadResult::kReadError) {
    std::string reason = "cannot read the file";
    if (os_error != 0) reason += std::string(": ") + std::strerror(os_error);
    *error = SimpleError(D3DXFERR_FILENOTFOUND, *name, reason);
    return error->code;
  }
  if (r == FileReadResult::kTooLarge) {
    *error = SimpleError(E_OUTOFMEMORY, *name, "file larger than the limit");
    return error->code;
  }
  return S_OK;
}

}  // namespace

HRESULT ID3DXFile::CreateEnumObject(const void* source, D3DXF_FILELOADOPTIONS options,
                                    ID3DXFileEnumObject** out) {
  if (out == nullptr || source == nullptr) return E_POINTER;
  *out = nullptr;
  last_error_ = XDiagnostic{};
  try {
    ByteBuffer bytes;
    std::string name;
    HRESULT hr = LoadSource(source, options, limits_.max_file_bytes, &bytes, &name, &last_error_);
    if (Failed(hr)) return hr;
    std::shared_ptr<const XDocument> doc =
        ParseDocument(std::move(bytes), templates_, limits_, name, &last_error_);
    if (!doc) return last_error_.code;
    *out = new ID3DXFileEnumObject(std::move(doc));
    return S_OK;
  } catch (const std::bad_alloc&) {
    last_error_ = SimpleError(E_OUTOFMEMORY, "", "out of memory");
    return E_OUTOFMEMORY;
  }
}

HRESULT ID3DXFile::RegisterTemplates(const void* data, std::size_t size) {
  if (data == nullptr) return E_POINTER;
  last_error_ = XDiagnostic{};
  try {
    std::span<const std::uint8_t> block(static_cast<const std::uint8_t*>(data), size);
    last_error_ = ParseTemplateBlock(block, &templates_, limits_);
    return last_error_.code;
  } catch (const std::bad_alloc&) {
    last_error_ = SimpleError(E_OUTOFMEMORY, "<templates>", "out of memory");
    return E_OUTOFMEMORY;
  }
}

std::uint32_t ID3DXFileEnumObject::AddRef() { return ++refs_; }

std::uint32_t ID3DXFileEnumObject::Release() {
  std::uint32_t left = --refs_;
  if (left == 0) delete this;
  return left;
}

const XFileHeader& ID3DXFileEnumObject::Header() const { return doc_->header; }

const std::vector<XWarning>& ID3DXFileEnumObject::Warnings() const { return doc_->warnings; }

HRESULT ID3DXFileEnumObject::GetChildren(std::size_t* count) const {
  if (count == nullptr) return E_POINTER;
  *count = doc_->top_level.size();
  return S_OK;
}

HRESULT ID3DXFileEnumObject::GetChild(std::size_t index, ID3DXFileData** out) const {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (index >= doc_->top_level.size()) return D3DXFERR_NOMOREOBJECTS;
  *out = new (std::nothrow) ID3DXFileData(doc_, doc_->top_level[index]);
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ID3DXFileEnumObject::GetDataObjectByName(const char* name, ID3DXFileData** out) const {
  if (out == nullptr || name == nullptr) return E_POINTER;
  *out = nullptr;
  for (std::uint32_t i = 0; i < doc_->objects.size(); ++i) {
    const XObject& o = doc_->objects[i];
    if (!o.is_reference && o.name == name) {
      *out = new (std::nothrow) ID3DXFileData(doc_, i);
      return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }
  }
  return D3DXFERR_NOTFOUND;
}

std::uint32_t ID3DXFileData::AddRef() { return ++refs_; }

std::uint32_t ID3DXFileData::Release() {
  std::uint32_t left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT ID3DXFileData::GetType(GUID* type) const {
  if (type == nullptr) return E_POINTER;
  const XObject& o = doc_->Resolved(index_);
  *type = o.template_index >= 0
              ? doc_->templates.at(static_cast<std::uint32_t>(o.template_index)).guid
              : kNullGuid;
  return S_OK;
}

HRESULT ID3DXFileData::GetName(char* name, std::size_t* size) const {
  if (size == nullptr) return D3DXFERR_BADVALUE;
  std::string_view text = doc_->Resolved(index_).name;
  std::size_t needed = text.size() + 1;
  if (name == nullptr) {
    *size = needed;
    return S_OK;
  }
  if (text.empty() && *size == 0) {
    *size = 1;
    return S_OK;
  }
  if (*size < needed) return D3DXFERR_BADVALUE;
  if (!text.empty()) std::memcpy(name, text.data(), text.size());
  name[text.size()] = '\0';
  *size = needed;
  return S_OK;
}

HRESULT ID3DXFileData::GetId(GUID* id) const {
  if (id == nullptr) return E_POINTER;
  const XObject& o = doc_->Resolved(index_);
  *id = o.has_id ? o.id : kNullGuid;
  return S_OK;
}

HRESULT ID3DXFileData::Lock(std::size_t* size, const void** data) {
  if (size == nullptr || data == nullptr) return E_POINTER;
  const XObject& o = doc_->Resolved(index_);
  *size = static_cast<std::size_t>(o.data_size);
  *data = doc_->data.data() + o.data_offset;
  return S_OK;
}

HRESULT ID3DXFileData::Unlock() { return S_OK; }

HRESULT ID3DXFileData::GetChildren(std::size_t* count) const {
  if (count == nullptr) return E_POINTER;
  *count = doc_->Resolved(index_).child_count;
  return S_OK;
}

HRESULT ID3DXFileData::GetChild(std::size_t index, ID3DXFileData** out) const {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  const XObject& o = doc_->Resolved(index_);
  if (index >= o.child_count) return D3DXFERR_NOMOREOBJECTS;
  *out = new (std::nothrow) ID3DXFileData(doc_, doc_->children[o.first_child + index]);
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

BOOL ID3DXFileData::IsReference() const { return doc_->objects[index_].is_reference ? 1 : 0; }

bool ID3DXFileData::IsUnresolvedReference() const {
  const XObject& o = doc_->objects[index_];
  return o.is_reference && o.target == kNoObject;
}

std::string_view ID3DXFileData::TypeName() const { return doc_->Resolved(index_).type_name; }

std::uint64_t ID3DXFileData::SourceOffset() const { return doc_->objects[index_].source_offset; }

}  // namespace ortolix
