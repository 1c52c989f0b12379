// The HTML tokenizer: turns bytes into text, tag, comment and doctype
// tokens following the HTML standard's tokenizer states that matter for
// mail. Any bytes are accepted; a tag cut off by the end of the input is
// dropped, an unterminated comment runs to the end, as in browsers.
//
// Text is delivered in the output charset: bytes of the input pass through,
// character references are decoded and written in that charset, CR LF and
// CR become LF and NUL bytes in text are dropped. In UTF-8 every string of
// a token is well-formed: ill-formed input is read as if each maximal
// ill-formed subpart were U+FFFD (such subparts never hold ASCII, so the
// markup is found in the same places), without a repaired copy of the input. A no-break space from
// a reference in a charset that has none is delivered as kNoBreakSpaceMarker, which the text writer
// writes as a space that never collapses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "charset/charset.h"

namespace vellumo {

constexpr char kNoBreakSpaceMarker = '\0';

// Up to this many attributes of a tag are checked for repeats by a plain
// search; more go through a hash set.
constexpr std::size_t kAttributesSearchedInPlace = 16;

enum class HtmlTokenType { kText, kStartTag, kEndTag, kComment, kDoctype, kEndOfFile };

struct HtmlAttribute {
    std::string name;   // lower case
    std::string value;  // references decoded
};

struct HtmlToken {
    HtmlTokenType type = HtmlTokenType::kEndOfFile;
    std::string name;  // lower-case tag name; for a doctype its raw text
    std::string text;  // text tokens only
    // The input bytes the token was read from; a text token whose text is
    // these bytes (with CR LF and CR as LF) can refer to them.
    std::size_t sourceBegin = 0;
    std::size_t sourceEnd = 0;
    bool selfClosing = false;
    // Only the first `attributeCount` entries belong to this token (the rest
    // keep their storage for reuse). A repeated attribute keeps its first value.
    std::vector<HtmlAttribute> attributes;
    std::size_t attributeCount = 0;

    // The value of attribute `name`, or nullptr.
    [[nodiscard]] const std::string* FindAttribute(std::string_view name) const;
};

class HtmlTokenizer {
  public:
    HtmlTokenizer(std::string_view input, const HtmlCharset& charset);

    // Fills `token` with the next token; kEndOfFile once the input is used up.
    void Next(HtmlToken* token);

    // After a start tag of script, style, title, textarea, ...: what follows
    // is text up to the matching end tag. `references` says whether character
    // references are decoded there (title, textarea).
    void SwitchToRawText(std::string_view endTagName, bool references);
    // After <plaintext>: the rest of the input is text.
    void SwitchToPlainText();
    // CDATA sections are text inside svg and math only.
    void SetCdataAllowed(bool allowed) { cdataAllowed_ = allowed; }

  private:
    enum class State { kData, kRawText, kPlainText };

    void ReadToken(HtmlToken* token);
    [[nodiscard]] bool StartsMarkup() const;
    bool ReadMarkup(HtmlToken* token);
    bool ReadTag(HtmlToken* token, bool endTag);
    void ReadAttributes(HtmlToken* token, bool* complete);
    void ReadAttributeValue(std::string* value, bool* complete);
    [[nodiscard]] bool IsRepeatedAttribute(const HtmlToken& token, const std::string& name);
    void SkipComment();
    void SkipBogusComment();
    void ReadDoctype(HtmlToken* token);
    void ReadCdata(HtmlToken* token);
    void ReadRawText(HtmlToken* token);
    [[nodiscard]] std::size_t FindRawTextEnd() const;
    [[nodiscard]] std::size_t FindScriptEnd() const;
    [[nodiscard]] bool RawTextTagAt(std::size_t pos, bool closing) const;
    void ReadCharacterReference(std::string* out, bool inAttribute);
    void AppendReferenced(char32_t codePoint, std::string* out, bool inAttribute) const;
    void AppendText(std::string_view bytes, std::string* out) const;
    void RepairToken(HtmlToken* token) const;
    [[nodiscard]] bool AtEnd() const { return pos_ >= input_.size(); }
    [[nodiscard]] bool LookingAt(std::string_view text, bool ignoreCase) const;

    std::string_view input_;
    HtmlCharset charset_;
    std::size_t pos_ = 0;
    State state_ = State::kData;
    std::string rawTextEnd_;
    bool rawTextReferences_ = false;
    bool cdataAllowed_ = false;
    std::size_t nextIllFormed_ = 0;  // where the next ill-formed UTF-8 begins, or the input's size
    bool repair_ = false;            // UTF-8 input that is not well-formed
    std::unordered_set<std::string> attributeNames_;  // of the current tag, when many
};

}  // namespace vellumo
