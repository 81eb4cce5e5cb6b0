#include "platform/xfile/document.h"

#include <algorithm>
#include <cstring>

#include "platform/xfile/binary_tokenizer.h"
#include "platform/xfile/data_parser.h"
#include "platform/xfile/reference_resolver.h"
#include "platform/xfile/text_tokenizer.h"

namespace ortolix {

namespace {

constexpr std::size_t kHeaderSize = 16;

// Reads header and payload into `doc`; the payload view points into
// doc->payload_storage.
bool LoadPayload(ByteBuffer file, XDocument* doc, ParseContext& ctx) {
  if (file.size() > ctx.limits().max_file_bytes) {
    return ctx.Fail(E_OUTOFMEMORY, 0, "file larger than the limit");
  }
  if (!ctx.Charge(file.size(), 0)) return false;
  std::span<const std::uint8_t> bytes(file.data(), file.size());
  if (!ReadFileHeader(bytes, &doc->header, ctx)) return false;
  if (doc->header.compressed()) {
    if (!InflateMszip(bytes, &doc->payload_storage, ctx)) return false;
    doc->payload = std::string_view(reinterpret_cast<const char*>(doc->payload_storage.data()),
                                    doc->payload_storage.size());
  } else {
    doc->payload_storage = std::move(file);
    doc->payload = std::string_view(
        reinterpret_cast<const char*>(doc->payload_storage.data()) + kHeaderSize,
        doc->payload_storage.size() - kHeaderSize);
  }
  bool inflated = doc->header.compressed();
  ctx.SetPayload(doc->payload, doc->header.binary(), inflated ? 0 : kHeaderSize, inflated);
  return true;
}

bool ParsePayload(XDocument* doc, ParseContext& ctx, bool templates_only,
                  std::vector<std::pair<std::uint64_t, std::uint64_t>>* fixups) {
  // Lock data is rarely larger than the payload: reserve that much address
  // space once, so that big files do not grow it step by step.
  if (!templates_only) {
    doc->data.Reserve(static_cast<std::size_t>(
        std::min<std::uint64_t>(doc->payload.size(), ctx.limits().max_data_bytes)));
  }
  TextTokenizer text(doc->payload, ctx);
  BinaryTokenizer binary(doc->payload, doc->header.float_bits == 64, ctx);
  TokenStream& stream = doc->header.binary() ? static_cast<TokenStream&>(binary) : text;
  DataParser parser(stream, *doc, ctx);
  if (!parser.ParseFile(templates_only)) return false;
  *fixups = parser.string_fixups();
  return true;
}

}  // namespace

std::shared_ptr<const XDocument> ParseDocument(ByteBuffer file,
                                               const TemplateRegistry& templates,
                                               const ReaderLimits& limits,
                                               const std::string& file_name, XDiagnostic* error) {
  auto doc = std::make_shared<XDocument>();
  doc->templates = templates;
  ParseContext ctx(limits, file_name);
  std::vector<std::pair<std::uint64_t, std::uint64_t>> fixups;
  bool ok = LoadPayload(std::move(file), doc.get(), ctx) &&
            ParsePayload(doc.get(), ctx, false, &fixups);
  if (ok) {
    LinkChildren(*doc);
    ok = ResolveReferences(*doc, ctx) && CheckReferenceExpansion(*doc, ctx);
  }
  *error = ctx.TakeError();
  doc->warnings = ctx.TakeWarnings();
  if (!ok) return nullptr;
  // The string storage is final now: write the pointers into the Lock data.
  for (const auto& [at, offset] : fixups) {
    const char* p = doc->strings.data() + offset;
    std::memcpy(doc->data.data() + at, &p, sizeof p);
  }
  return doc;
}

XDiagnostic ParseTemplateBlock(std::span<const std::uint8_t> block, TemplateRegistry* templates,
                               const ReaderLimits& limits) {
  XDocument doc;
  doc.templates = *templates;
  ParseContext ctx(limits, "<templates>");
  std::vector<std::pair<std::uint64_t, std::uint64_t>> fixups;
  ByteBuffer copy;
  if (!block.empty()) std::memcpy(copy.Extend(block.size()), block.data(), block.size());
  if (LoadPayload(std::move(copy), &doc, ctx) && ParsePayload(&doc, ctx, true, &fixups)) {
    *templates = std::move(doc.templates);
  }
  return ctx.TakeError();
}

}  // namespace ortolix
