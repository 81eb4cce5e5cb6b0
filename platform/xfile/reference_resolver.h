// The one pass after parsing that links every reference { Name } /
// { Name <GUID> } / { <GUID> } to its object: the first data object of that
// name in file order (before or after the reference), or for a GUID-only
// reference the first object with that GUID. A reference that finds nothing
// is an error of the object holding it (D3DXFERR_BADDATAREFERENCE).
#pragma once

#include "platform/xfile/document.h"
#include "platform/xfile/parse_context.h"

namespace ortolix {

[[nodiscard]] bool ResolveReferences(XDocument& doc, ParseContext& ctx);

// Fills XObject::first_child/child_count and XDocument::children/top_level
// from the parent links.
void LinkChildren(XDocument& doc);

}  // namespace ortolix
