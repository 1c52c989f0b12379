#pragma once
// Reading a raw header field value: its parameters, its bare value, the media
// type of a Content-Type and the name of a Content-Transfer-Encoding. The
// parsed header fields and the in-place entity view both read values here.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumo {

// Where the raw text of the named parameter's value lies in the value
// (quotes included). The first match wins; false when absent.
[[nodiscard]] bool FindParameterInValue(std::string_view value, std::string_view parameterName,
                                        size_t& offset, size_t& length);
// The parameter's value without its enclosing quotes; out becomes empty and
// the result is false when the parameter is absent.
bool ParameterOfValue(std::string_view value, std::string_view parameterName, std::string& out);
// The value without its parameters (white space before the first ";" removed).
[[nodiscard]] std::string_view BareValueOf(std::string_view value);

// The main type of a Content-Type value: everything before the first "/",
// untrimmed.
[[nodiscard]] std::string MainTypeOfValue(std::string_view contentType);
// The subtype: the bare value after its first "/"; empty without one.
[[nodiscard]] std::string SubTypeOfValue(std::string_view contentType);
// A Content-Transfer-Encoding value cut at ";" or "(" with white space trimmed.
[[nodiscard]] std::string TransferEncodingNameOfValue(std::string_view value);

}  // namespace vellumo
