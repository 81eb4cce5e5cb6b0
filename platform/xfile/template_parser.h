// Reads one template declaration from a token stream into a registry:
//   template Name { <GUID> members... [restriction] }
// Member types must be primitives or templates declared earlier. A name
// already known keeps its first declaration (the new one is read and
// dropped with a warning). Safe on hostile input: member counts and nesting
// are bounded by the limits.
#pragma once

#include "platform/xfile/parse_context.h"
#include "platform/xfile/template_registry.h"
#include "platform/xfile/token_stream.h"

namespace ortolix {

// The stream is positioned at the `template` keyword.
[[nodiscard]] bool ParseTemplate(TokenStream& stream, TemplateRegistry& registry,
                                 ParseContext& ctx);

}  // namespace ortolix
