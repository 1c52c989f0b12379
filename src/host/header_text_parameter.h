#pragma once
// Reading a parameter out of the raw header text the host passes with an
// offer. The host's own parameter list is not enough: it ends an unquoted
// value at its first blank and drops the rest of that line, parameters
// included.

#include <cstddef>
#include <string_view>

namespace vellumo {

// Where the first ";" at or after `from` stands outside a quoted string (a
// backslash in quotes keeps the next byte), as the host separates the
// parameters of a field value; npos when there is none.
[[nodiscard]] std::size_t FindParameterSeparator(std::string_view value, std::size_t from = 0);

// True when a field of the header text named `field` (ASCII case ignored,
// every such field, folds read as part of it) has a parameter named exactly
// `parameter` (case kept), wherever in the value it stands: any ";"
// outside a quoted string starts a parameter, whatever came before it.
// Any bytes are accepted; a line without a colon is no field.
[[nodiscard]] bool HeaderTextHasParameter(std::string_view headerText, std::string_view field,
                                          std::string_view parameter);

}  // namespace vellumo
