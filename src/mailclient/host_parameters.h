#pragma once
// Parameter values the way the mail client reads them from a header and
// writes them into a translator's input file.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellumo {

using HostParameters = std::vector<std::pair<std::string, std::string>>;

// The parameters of a field value as the host reads them. `value` is the
// value as it stands in the header, folds (CR LF and a blank) included.
// Each parameter follows a ";" outside quotes; one without "=" is skipped.
// A quoted value ends at its closing quote (a backslash quotes the byte
// after it); a value that is not quoted ends at the first blank, and the
// rest of that line is not read: "name=Meeting notes; x=1" gives only
// name=Meeting, and a fold after such a cut starts the next parameter.
// Any bytes are accepted.
[[nodiscard]] HostParameters ReadHostParameters(std::string_view value);

// The value as the host writes it after "name=": as it is when every byte
// is a letter, a digit, a space or one of !#$%&'*+-^_`{|}~ (the atom
// characters of RFC 822 that RFC 1521 leaves a token), else in double
// quotes with a backslash before each double quote (and before nothing
// else): name=Meeting notes, name="Photo 1.jpg".
[[nodiscard]] std::string HostQuotedValue(std::string_view value);

}  // namespace vellumo
