#include "xdump/xfile_json.h"

#include <cstring>
#include <map>

#include "platform/crt/json_text.h"
#include "platform/xfile/document.h"
#include "platform/xfile/standard_templates.h"

namespace ortolix {

namespace {

class JsonWriter {
 public:
  explicit JsonWriter(const XDocument& doc) : doc_(doc) {}

  std::string Take() { return std::move(out_); }
  void Header();
  void Warnings();
  void Summary();
  void Object(std::uint32_t index, int indent);

 private:
  void Str(std::string_view s);
  void Guid(const GUID& g);
  void Indent(int n) { out_.append(static_cast<std::size_t>(n) * 2, ' '); }
  void Float(double v);
  void Float(float v);
  // Decodes one instance of a template from Lock data; returns bytes used.
  std::size_t Instance(const XTemplate& t, const std::uint8_t* p, const std::uint8_t* end);
  std::size_t Value(const TemplateMember& m, const std::uint8_t* p, const std::uint8_t* end);

  const XDocument& doc_;
  std::string out_;
};

// Names and strings are narrow text of the file's code page.
void JsonWriter::Str(std::string_view s) { AppendNarrowString(out_, s); }

void JsonWriter::Guid(const GUID& g) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  Str(buf);
}

void JsonWriter::Float(double v) { AppendDouble(out_, v); }

void JsonWriter::Float(float v) { AppendFloat(out_, v); }

void JsonWriter::Header() {
  const XFileHeader& h = doc_.header;
  char version[8];
  std::snprintf(version, sizeof version, "%02u%02u", h.major, h.minor);
  out_ += "  \"header\": {\"format\": ";
  Str(FormatName(h.format));
  out_ += ", \"version\": ";
  Str(version);
  out_ += ", \"float_size\": " + std::to_string(h.float_bits) + "},\n";
}

void JsonWriter::Warnings() {
  out_ += "  \"warnings\": [";
  for (std::size_t i = 0; i < doc_.warnings.size(); ++i) {
    const XWarning& w = doc_.warnings[i];
    out_ += i == 0 ? "\n    {\"code\": " : ",\n    {\"code\": ";
    Str(WarningCodeName(w.code));
    out_ += ", \"count\": " + std::to_string(w.count);
    if (doc_.header.binary()) {
      out_ += ", \"offset\": " + std::to_string(w.first_offset);
    } else {
      out_ += ", \"line\": " + std::to_string(w.first_line) +
              ", \"column\": " + std::to_string(w.first_column);
    }
    out_ += ", \"object\": ";
    Str(w.object);
    out_ += "}";
  }
  out_ += doc_.warnings.empty() ? "],\n" : "\n  ],\n";
}

void JsonWriter::Summary() {
  std::map<std::string, std::uint64_t> counts;
  std::uint64_t references = 0;
  for (const XObject& o : doc_.objects) {
    if (o.is_reference) {
      ++references;
    } else if (o.template_index >= 0) {
      ++counts[doc_.templates.at(static_cast<std::uint32_t>(o.template_index)).name];
    } else {
      ++counts[std::string(o.type_name)];
    }
  }
  out_ += "  \"objects\": " + std::to_string(doc_.objects.size() - references) + ",\n";
  out_ += "  \"references\": " + std::to_string(references) + ",\n";
  out_ += "  \"templates\": {";
  bool first = true;
  for (const auto& [name, n] : counts) {
    out_ += first ? "\n    " : ",\n    ";
    first = false;
    Str(name);
    out_ += ": " + std::to_string(n);
  }
  out_ += first ? "}\n" : "\n  }\n";
}

std::size_t JsonWriter::Value(const TemplateMember& m, const std::uint8_t* p, const std::uint8_t* end) {
  if (!m.primitive) return Instance(doc_.templates.at(m.template_index), p, end);
  std::size_t size = PrimitiveLockSize(m.type);
  if (static_cast<std::size_t>(end - p) < size) {
    out_ += "null";
    return static_cast<std::size_t>(end - p);
  }
  switch (m.type) {
    case PrimitiveType::kFloat: { float f; std::memcpy(&f, p, 4); Float(f); break; }
    case PrimitiveType::kDouble: { double d; std::memcpy(&d, p, 8); Float(d); break; }
    case PrimitiveType::kWord: { std::uint16_t v; std::memcpy(&v, p, 2); out_ += std::to_string(v); break; }
    case PrimitiveType::kSword: { std::int16_t v; std::memcpy(&v, p, 2); out_ += std::to_string(v); break; }
    case PrimitiveType::kDword: { std::uint32_t v; std::memcpy(&v, p, 4); out_ += std::to_string(v); break; }
    case PrimitiveType::kSdword: { std::int32_t v; std::memcpy(&v, p, 4); out_ += std::to_string(v); break; }
    case PrimitiveType::kChar: out_ += std::to_string(static_cast<std::int8_t>(*p)); break;
    case PrimitiveType::kUchar: out_ += std::to_string(*p); break;
    default: { const char* s; std::memcpy(&s, p, sizeof s); Str(s); break; }
  }
  return size;
}

std::size_t JsonWriter::Instance(const XTemplate& t, const std::uint8_t* p, const std::uint8_t* end) {
  const std::uint8_t* start = p;
  std::vector<std::uint32_t> values(t.members.size(), 0);
  out_ += "{";
  for (std::size_t i = 0; i < t.members.size(); ++i) {
    const TemplateMember& m = t.members[i];
    if (i > 0) out_ += ", ";
    Str(m.name);
    out_ += ": ";
    if (m.dims.empty()) {
      if (m.primitive && IsIntegerType(m.type) && end - p >= 1) {
        std::memcpy(&values[i], p, std::min<std::size_t>(PrimitiveLockSize(m.type), static_cast<std::size_t>(end - p)));
      }
      p += Value(m, p, end);
      continue;
    }
    std::uint64_t count = 1;
    for (const ArrayDim& d : m.dims) count *= d.member >= 0 ? values[static_cast<std::size_t>(d.member)] : d.fixed;
    out_ += "[";
    for (std::uint64_t k = 0; k < count && p < end; ++k) {
      if (k > 0) out_ += ", ";
      p += Value(m, p, end);
    }
    out_ += "]";
  }
  out_ += "}";
  return static_cast<std::size_t>(p - start);
}

void JsonWriter::Object(std::uint32_t index, int indent) {
  const XObject& o = doc_.objects[index];
  const XObject& r = doc_.Resolved(index);
  Indent(indent);
  out_ += "{\"template\": ";
  Str(r.template_index >= 0 ? std::string_view(doc_.templates.at(static_cast<std::uint32_t>(r.template_index)).name) : r.type_name);
  out_ += ", \"guid\": ";
  if (r.template_index >= 0) Guid(doc_.templates.at(static_cast<std::uint32_t>(r.template_index)).guid);
  else out_ += "null";
  out_ += ", \"name\": ";
  Str(r.name);
  if (r.has_id) {
    out_ += ", \"id\": ";
    Guid(r.id);
  }
  if (o.is_reference && o.target == kNoObject) out_ += ", \"unresolved\": true";
  out_ += o.is_reference ? ", \"reference\": true}" : ", \"reference\": false";
  if (o.is_reference) return;
  if (o.template_index < 0) {
    out_ += ", \"opaque\": true}";
    return;
  }
  out_ += ", \"members\": ";
  const std::uint8_t* p = doc_.data.data() + o.data_offset;
  Instance(doc_.templates.at(static_cast<std::uint32_t>(o.template_index)), p, p + o.data_size);
  out_ += ", \"children\": [";
  for (std::uint32_t c = 0; c < o.child_count; ++c) {
    out_ += c == 0 ? "\n" : ",\n";
    Object(doc_.children[o.first_child + c], indent + 1);
  }
  if (o.child_count > 0) {
    out_ += "\n";
    Indent(indent);
  }
  out_ += "]}";
}

}  // namespace

std::string XFileJson(const ID3DXFileEnumObject& file, bool summary) {
  const XDocument& doc = file.Document();
  std::string head = "{\n";
  JsonWriter body(doc);
  body.Header();
  body.Warnings();
  if (summary) {
    body.Summary();
    return head + body.Take() + "}\n";
  }
  std::string text = head + body.Take() + "  \"objects\": [";
  for (std::size_t i = 0; i < doc.top_level.size(); ++i) {
    JsonWriter o(doc);
    o.Object(doc.top_level[i], 2);
    text += i == 0 ? "\n" : ",\n";
    text += o.Take();
  }
  text += doc.top_level.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return text;
}

HRESULT DumpXFileJson(const char* path, bool summary, const ReaderLimits& limits,
                      std::string* json, std::string* error) {
  ID3DXFile* file = nullptr;
  if (Failed(D3DXFileCreate(&file))) {
    *error = "out of memory";
    return E_OUTOFMEMORY;
  }
  const std::string_view blocks[] = {RetainedModeTemplates(), SkinningTemplates(),
                                     VertexDataTemplates()};
  for (std::string_view block : blocks) {
    if (HRESULT hr = file->RegisterTemplates(block.data(), block.size()); Failed(hr)) {
      *error = file->LastError().Format();
      file->Release();
      return hr;
    }
  }
  file->SetLimits(limits);
  ID3DXFileEnumObject* e = nullptr;
  if (HRESULT hr = file->CreateEnumObject(path, D3DXF_FILELOAD_FROMFILE, &e); Failed(hr)) {
    *error = file->LastError().Format();
    file->Release();
    return hr;
  }
  *json = XFileJson(*e, summary);
  e->Release();
  file->Release();
  return S_OK;
}

}  // namespace ortolix
