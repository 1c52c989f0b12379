#pragma once
// Reading a parameter out of the raw header text the host passes with an
// offer. The host's own parameter list is not enough: it ends an unquoted
// value at its first blank and drops the rest of that line, parameters
// included.

#include <string_view>

namespace vellumo {

// True when a field of the header text named `field` (ASCII case ignored,
// every such field, folds read as part of it) has a parameter named exactly
// `parameter` (case kept), wherever in the value it stands: any ";"
// outside a quoted string starts a parameter, whatever came before it.
// Any bytes are accepted; a line without a colon is no field.
[[nodiscard]] bool HeaderTextHasParameter(std::string_view headerText, std::string_view field,
                                          std::string_view parameter);

}  // namespace vellumo
