// The one pass after parsing that links every reference { Name } /
// { Name <GUID> } / { <GUID> } to its object: the first data object of that
// name in file order (before or after the reference), or for a GUID-only
// reference the first object with that GUID. A reference that finds nothing
// is an error of the object holding it (D3DXFERR_BADDATAREFERENCE).
//
// Because a reference behaves as the object it names, children included, a
// reference to an object that contains it (directly or through other
// references) would make the tree endless, and references to references of
// subtrees can make it exponentially large: both are refused with
// D3DXFERR_BADDATAREFERENCE, the latter above ReaderLimits::max_expanded_objects.
#pragma once

#include "platform/xfile/document.h"
#include "platform/xfile/parse_context.h"

namespace ortolix {

[[nodiscard]] bool ResolveReferences(XDocument& doc, ParseContext& ctx);

// After ResolveReferences: refuses cycles and oversized expansions.
[[nodiscard]] bool CheckReferenceExpansion(const XDocument& doc, ParseContext& ctx);

// Fills XObject::first_child/child_count and XDocument::children/top_level
// from the parent links.
void LinkChildren(XDocument& doc);

}  // namespace ortolix
