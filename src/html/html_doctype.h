// Whether a doctype puts the document in quirks mode, which changes how the
// tree builder treats a table inside a paragraph and how class and id
// selectors compare.
#pragma once

#include <string_view>

namespace vellumo {

// `doctype` is the text between "<!DOCTYPE" and ">". True for a missing or
// wrong name and for the legacy public identifiers browsers treat as quirks.
[[nodiscard]] bool IsQuirksDoctype(std::string_view doctype);

}  // namespace vellumo
