// Writing the renderer's UTF-8 text in the charset of the message, and
// saying which charset the bytes are in.
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

// Text and the charset its bytes are in; "" means plain ASCII, which needs
// no label.
struct LabelledText {
    std::string text;
    std::string charset;
};

// Writes well-formed UTF-8 `text` in the charset `label` names, with the
// Encoding Standard's encoder, when that charset holds every character;
// otherwise in UTF-8, with the label changed to match. us-ascii and
// iso-8859-1, which browsers read as windows-1252, keep to their literal
// subset or become windows-1252 first. An empty label is windows-1252,
// labelled only when the text is not ASCII. UTF-16 and UTF-32 are written as
// UTF-8; a label no encoding answers keeps the text as it is. A no-break
// space becomes a space, and U+FFFD (a character the input did not hold) a
// "?", where the charset lacks them: they never make the label change. The
// label is returned as given when it stays.
[[nodiscard]] LabelledText EncodeForLabel(std::string text, std::string_view label);

// Writes UTF-8 `text` in the charset `label` names whatever it holds: a
// character the charset lacks becomes "?" (a no-break space a space).
// UTF-8, UTF-16, UTF-32 and unknown labels give the text unchanged.
[[nodiscard]] std::string EncodeWithSubstitutes(std::string text, std::string_view label);

}  // namespace vellumo
