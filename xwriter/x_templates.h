// The template block of the written file: 28 template declarations as data,
// emitted by one loop.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "xwriter/text_sink.h"

namespace ortolix {

struct XTemplateDecl {
  std::string_view name;
  std::string_view guid;  // written with this letter case
  std::array<std::string_view, 5> members;
  std::size_t memberCount;
  bool onlyWithTemplatesOption;  // declared only when "Export templates" is set
};

extern const std::array<XTemplateDecl, 28> kXTemplates;

// Writes "\ntemplate NAME {\n <GUID>\n", one " MEMBER\n" per member and "}\n"
// for every template, skipping the optional ones unless `exportTemplates`.
void WriteTemplateBlock(TextSink& sink, bool exportTemplates);

}  // namespace ortolix
