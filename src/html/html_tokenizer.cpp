#include "html/html_tokenizer.h"

#include "charset/unicode_text.h"
#include "html/html_entities.h"
#include "html/html_white_space.h"
#include "platform/ascii_case.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

constexpr char32_t kNoBreakSpace = 0xA0;

// Bytes that end a plain run of text in the data state.
bool IsDataStop(char c) {
    return c == '<' || c == '&' || c == '\r' || c == '\0';
}

// Replaces a character cut off at the end of `text`: the bytes on either
// side of a dropped NUL are no one character.
void RepairCutCharacter(std::string* text) {
    std::size_t start = text->size();
    while (start > 0 && text->size() - start < 4 && IsUtf8ContinuationByte((*text)[start - 1])) {
        --start;
    }
    if (start == 0 || IsUtf8ContinuationByte((*text)[start - 1])) {
        return;  // only stray continuation bytes: nothing can complete them
    }
    --start;
    const std::string_view last = std::string_view(*text).substr(start);
    if (!IsValidUtf8(last)) {
        const std::string repaired = RepairUtf8(last);
        text->replace(start, std::string::npos, repaired);
    }
}

}  // namespace

const std::string* HtmlToken::FindAttribute(std::string_view attributeName) const {
    for (std::size_t i = 0; i < attributeCount; ++i) {
        if (attributes[i].name == attributeName) {
            return &attributes[i].value;
        }
    }
    return nullptr;
}

HtmlTokenizer::HtmlTokenizer(std::string_view input, const HtmlCharset& charset)
    : input_(input),
      charset_(charset),
      nextIllFormed_(charset.kind == CharsetKind::kUtf8 ? FindIllFormedUtf8(input, 0)
                                                        : input.size()),
      repair_(nextIllFormed_ < input.size()) {}

void HtmlTokenizer::SwitchToRawText(std::string_view endTagName, bool references) {
    state_ = State::kRawText;
    rawTextEnd_.assign(endTagName);
    rawTextReferences_ = references;
}

void HtmlTokenizer::SwitchToPlainText() {
    state_ = State::kPlainText;
}

bool HtmlTokenizer::LookingAt(std::string_view text, bool ignoreCase) const {
    if (input_.size() - pos_ < text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = input_[pos_ + i];
        if ((ignoreCase ? LowerAscii(c) : c) != text[i]) {
            return false;
        }
    }
    return true;
}

// CR LF and lone CR become LF, as the input stream preprocessor does.
void HtmlTokenizer::AppendText(std::string_view bytes, std::string* out) const {
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            out->append(bytes.substr(start, i - start));
            out->push_back('\n');
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    out->append(bytes.substr(start));
}

void HtmlTokenizer::Next(HtmlToken* token) {
    token->sourceBegin = pos_;
    ReadToken(token);
    token->sourceEnd = pos_;
    // Tokens cover the input one after another, and a sequence never spans
    // two (it holds no ASCII byte): only a token that holds the next
    // ill-formed sequence needs repair.
    if (repair_ && nextIllFormed_ < pos_) {
        RepairToken(token);
        nextIllFormed_ = FindIllFormedUtf8(input_, pos_);
    }
}

// Each string of the token holds input bytes in their order, joined only
// at ASCII bytes or after whole characters, so repairing the string
// replaces the same subparts as repairing the input would.
void HtmlTokenizer::RepairToken(HtmlToken* token) const {
    const auto repair = [](std::string* text) {
        if (!IsValidUtf8(*text)) {
            *text = RepairUtf8(*text);
        }
    };
    repair(&token->text);
    repair(&token->name);
    for (std::size_t i = 0; i < token->attributeCount; ++i) {
        repair(&token->attributes[i].name);
        repair(&token->attributes[i].value);
    }
}

void HtmlTokenizer::ReadToken(HtmlToken* token) {
    token->text.clear();
    token->attributeCount = 0;
    token->selfClosing = false;
    if (state_ == State::kPlainText) {
        AppendText(input_.substr(pos_), &token->text);
        pos_ = input_.size();
        token->type = token->text.empty() ? HtmlTokenType::kEndOfFile : HtmlTokenType::kText;
        return;
    }
    if (state_ == State::kRawText) {
        state_ = State::kData;
        ReadRawText(token);
        if (!token->text.empty()) {
            token->type = HtmlTokenType::kText;
            return;
        }
    }
    while (!AtEnd()) {
        const char c = input_[pos_];
        if (c == '<' && StartsMarkup()) {
            if (!token->text.empty()) {
                break;  // deliver the text before the markup first
            }
            if (ReadMarkup(token)) {
                return;
            }
            continue;
        }
        if (c == '<') {
            token->text.push_back('<');  // a "<" that opens nothing is text
            ++pos_;
            continue;
        }
        if (c == '&') {
            ++pos_;
            ReadCharacterReference(&token->text, false);
        } else if (c == '\r') {
            token->text.push_back('\n');
            ++pos_;
            if (!AtEnd() && input_[pos_] == '\n') {
                ++pos_;
            }
        } else if (c == '\0') {
            ++pos_;  // the tree builder ignores NUL in text
            if (repair_) {
                RepairCutCharacter(&token->text);
            }
        } else {
            const std::size_t start = pos_;
            while (pos_ < input_.size() && !IsDataStop(input_[pos_])) {
                ++pos_;
            }
            token->text.append(input_.substr(start, pos_ - start));
        }
    }
    token->type = token->text.empty() ? HtmlTokenType::kEndOfFile : HtmlTokenType::kText;
}

// At "<": whether a tag, an end tag, a comment or a doctype may start here.
// "</" at the very end of the input is text.
bool HtmlTokenizer::StartsMarkup() const {
    if (pos_ + 1 >= input_.size()) {
        return false;
    }
    const char next = input_[pos_ + 1];
    return IsAsciiAlpha(next) || next == '!' || next == '?' ||
           (next == '/' && pos_ + 2 < input_.size());
}

// At "<" where StartsMarkup holds. Returns true with a token, or false when the markup gave none
// (the position then moved past what was consumed, or "<" became text).
bool HtmlTokenizer::ReadMarkup(HtmlToken* token) {
    const char next = pos_ + 1 < input_.size() ? input_[pos_ + 1] : '\0';
    if (IsAsciiAlpha(next)) {
        ++pos_;
        return ReadTag(token, false);
    }
    if (next == '/') {
        const char after = pos_ + 2 < input_.size() ? input_[pos_ + 2] : '\0';
        if (IsAsciiAlpha(after)) {
            pos_ += 2;
            return ReadTag(token, true);
        }
        pos_ += 2;
        if (after == '>') {
            ++pos_;  // "</>" is dropped
        } else {
            SkipBogusComment();
        }
        return false;
    }
    if (next == '!') {
        pos_ += 2;
        if (LookingAt("--", false)) {
            pos_ += 2;
            SkipComment();
            token->type = HtmlTokenType::kComment;
            return true;
        }
        if (LookingAt("doctype", true)) {
            pos_ += 7;
            ReadDoctype(token);
            return true;
        }
        if (cdataAllowed_ && LookingAt("[CDATA[", false)) {
            pos_ += 7;
            ReadCdata(token);
            return true;
        }
        SkipBogusComment();
        token->type = HtmlTokenType::kComment;
        return true;
    }
    ++pos_;  // "<?": a bogus comment
    SkipBogusComment();
    token->type = HtmlTokenType::kComment;
    return true;
}

// After "<" or "</", at the first letter of the name.
bool HtmlTokenizer::ReadTag(HtmlToken* token, bool endTag) {
    token->type = endTag ? HtmlTokenType::kEndTag : HtmlTokenType::kStartTag;
    token->name.clear();
    while (!AtEnd() && !IsHtmlWhiteSpace(input_[pos_]) && input_[pos_] != '/' &&
           input_[pos_] != '>') {
        if (input_[pos_] == '\0') {
            AppendCodePoint(charset_, kReplacementCharacter, &token->name);
        } else {
            token->name.push_back(LowerAscii(input_[pos_]));
        }
        ++pos_;
    }
    bool complete = false;
    ReadAttributes(token, &complete);
    if (!complete) {
        token->type = HtmlTokenType::kEndOfFile;  // a tag cut off by the end is dropped
        token->attributeCount = 0;
        return true;
    }
    if (endTag) {
        token->attributeCount = 0;
        token->selfClosing = false;
    }
    return true;
}

void HtmlTokenizer::ReadAttributes(HtmlToken* token, bool* complete) {
    for (;;) {
        while (!AtEnd() && IsHtmlWhiteSpace(input_[pos_])) {
            ++pos_;
        }
        if (AtEnd()) {
            return;
        }
        if (input_[pos_] == '>') {
            ++pos_;
            *complete = true;
            return;
        }
        if (input_[pos_] == '/') {
            ++pos_;
            if (!AtEnd() && input_[pos_] == '>') {
                ++pos_;
                token->selfClosing = true;
                *complete = true;
                return;
            }
            continue;
        }
        if (token->attributes.size() <= token->attributeCount) {
            token->attributes.emplace_back();
        }
        HtmlAttribute& attribute = token->attributes[token->attributeCount];
        attribute.name.clear();
        attribute.value.clear();
        // An "=" first is part of the name, as the standard has it.
        do {
            attribute.name.push_back(LowerAscii(input_[pos_]));
            ++pos_;
        } while (!AtEnd() && !IsHtmlWhiteSpace(input_[pos_]) && input_[pos_] != '/' &&
                 input_[pos_] != '>' && input_[pos_] != '=');
        while (!AtEnd() && IsHtmlWhiteSpace(input_[pos_])) {
            ++pos_;
        }
        if (!AtEnd() && input_[pos_] == '=') {
            ++pos_;
            bool valueComplete = false;
            ReadAttributeValue(&attribute.value, &valueComplete);
            if (!valueComplete) {
                return;
            }
        }
        if (!IsRepeatedAttribute(*token, attribute.name)) {
            ++token->attributeCount;
        }
    }
}

// A short list is searched in place; past that the names go into a set, so
// a tag with many attributes costs linear time, not quadratic.
bool HtmlTokenizer::IsRepeatedAttribute(const HtmlToken& token, const std::string& name) {
    if (token.attributeCount < kAttributesSearchedInPlace) {
        for (std::size_t i = 0; i < token.attributeCount; ++i) {
            if (token.attributes[i].name == name) {
                return true;
            }
        }
        return false;
    }
    if (token.attributeCount == kAttributesSearchedInPlace) {
        attributeNames_.clear();
        for (std::size_t i = 0; i < token.attributeCount; ++i) {
            attributeNames_.insert(token.attributes[i].name);
        }
    }
    return !attributeNames_.insert(name).second;
}

void HtmlTokenizer::ReadAttributeValue(std::string* value, bool* complete) {
    while (!AtEnd() && IsHtmlWhiteSpace(input_[pos_])) {
        ++pos_;
    }
    if (AtEnd()) {
        return;
    }
    const char quote = input_[pos_];
    if (quote == '"' || quote == '\'') {
        ++pos_;
        while (!AtEnd() && input_[pos_] != quote) {
            if (input_[pos_] == '&') {
                ++pos_;
                ReadCharacterReference(value, true);
            } else {
                value->push_back(input_[pos_++]);
            }
        }
        if (AtEnd()) {
            return;
        }
        ++pos_;
        *complete = true;
        return;
    }
    while (!AtEnd() && !IsHtmlWhiteSpace(input_[pos_]) && input_[pos_] != '>') {
        if (input_[pos_] == '&') {
            ++pos_;
            ReadCharacterReference(value, true);
        } else {
            value->push_back(input_[pos_++]);
        }
    }
    *complete = !AtEnd();
}

// After "<!--". "<!-->" and "<!--->" close at once; otherwise the comment
// ends at "-->" or "--!>", or runs to the end of the input.
void HtmlTokenizer::SkipComment() {
    if (LookingAt(">", false)) {
        ++pos_;
        return;
    }
    if (LookingAt("->", false)) {
        pos_ += 2;
        return;
    }
    // One pass over the "--" pairs keeps this linear however many
    // comments the document has.
    for (std::size_t dashes = input_.find("--", pos_); dashes != std::string_view::npos;
         dashes = input_.find("--", dashes + 1)) {
        const std::string_view after = input_.substr(dashes + 2);
        if (!after.empty() && after[0] == '>') {
            pos_ = dashes + 3;
            return;
        }
        if (after.size() >= 2 && after[0] == '!' && after[1] == '>') {
            pos_ = dashes + 4;
            return;
        }
    }
    pos_ = input_.size();
}

void HtmlTokenizer::SkipBogusComment() {
    const std::size_t close = input_.find('>', pos_);
    pos_ = close == std::string_view::npos ? input_.size() : close + 1;
}

void HtmlTokenizer::ReadDoctype(HtmlToken* token) {
    const std::size_t close = input_.find('>', pos_);
    const std::size_t end = close == std::string_view::npos ? input_.size() : close;
    token->type = HtmlTokenType::kDoctype;
    token->name.assign(input_.substr(pos_, end - pos_));
    pos_ = close == std::string_view::npos ? input_.size() : close + 1;
}

void HtmlTokenizer::ReadCdata(HtmlToken* token) {
    const std::size_t close = input_.find("]]>", pos_);
    const std::size_t end = close == std::string_view::npos ? input_.size() : close;
    AppendText(input_.substr(pos_, end - pos_), &token->text);
    pos_ = close == std::string_view::npos ? input_.size() : close + 3;
    token->type = HtmlTokenType::kText;
}

// Text up to "</name" followed by white space, "/" or ">" (any case).
// Whether "</name" (`closing`) or "<name" for the raw text element's name,
// followed by white space, "/" or ">", starts at `pos` (any case).
bool HtmlTokenizer::RawTextTagAt(std::size_t pos, bool closing) const {
    const std::size_t nameStart = pos + (closing ? 2 : 1);
    const std::size_t nameEnd = nameStart + rawTextEnd_.size();
    if (nameEnd >= input_.size() || (closing && input_[pos + 1] != '/')) {
        return false;
    }
    for (std::size_t i = 0; i < rawTextEnd_.size(); ++i) {
        if (LowerAscii(input_[nameStart + i]) != rawTextEnd_[i]) {
            return false;
        }
    }
    const char next = input_[nameEnd];
    return IsHtmlWhiteSpace(next) || next == '/' || next == '>';
}

// Where the raw text ends: at its end tag, or at the end of the input.
std::size_t HtmlTokenizer::FindRawTextEnd() const {
    if (rawTextEnd_ == "script") {
        return FindScriptEnd();
    }
    for (std::size_t open = input_.find("</", pos_); open != std::string_view::npos;
         open = input_.find("</", open + 2)) {
        if (RawTextTagAt(open, true)) {
            return open;
        }
    }
    return input_.size();
}

// Script text has escape states: after "<!--", a "<script" opens a nested
// part whose "</script" does not end the element, and "-->" leaves both.
std::size_t HtmlTokenizer::FindScriptEnd() const {
    enum class Escape { kNone, kEscaped, kDoubleEscaped } state = Escape::kNone;
    for (std::size_t pos = pos_; pos < input_.size(); ++pos) {
        const char c = input_[pos];
        if (c == '-' && state != Escape::kNone && input_.compare(pos, 3, "-->") == 0) {
            state = Escape::kNone;
            pos += 2;
            continue;
        }
        if (c != '<') {
            continue;
        }
        if (state == Escape::kNone && input_.compare(pos, 4, "<!--") == 0) {
            state = Escape::kEscaped;
            ++pos;  // the "--" may also start the "-->" of "<!-->"
        } else if (state != Escape::kDoubleEscaped && RawTextTagAt(pos, true)) {
            return pos;
        } else if (state == Escape::kEscaped && RawTextTagAt(pos, false)) {
            state = Escape::kDoubleEscaped;
        } else if (state == Escape::kDoubleEscaped && RawTextTagAt(pos, true)) {
            state = Escape::kEscaped;
        }
    }
    return input_.size();
}

void HtmlTokenizer::ReadRawText(HtmlToken* token) {
    const std::size_t end = FindRawTextEnd();
    if (!rawTextReferences_) {
        AppendText(input_.substr(pos_, end - pos_), &token->text);
        pos_ = end;
        return;
    }
    while (pos_ < end) {
        if (input_[pos_] == '&') {
            ++pos_;
            ReadCharacterReference(&token->text, false);
            continue;
        }
        const std::size_t start = pos_;
        while (pos_ < end && input_[pos_] != '&') {
            ++pos_;
        }
        AppendText(input_.substr(start, pos_ - start), &token->text);
    }
}

// A no-break space that the charset lacks becomes kNoBreakSpaceMarker in
// text, so that it still does not collapse with the white space around it.
void HtmlTokenizer::AppendReferenced(char32_t codePoint, std::string* out, bool inAttribute) const {
    if (codePoint == kNoBreakSpace && !inAttribute && charset_.kind == CharsetKind::kOpaque) {
        out->push_back(kNoBreakSpaceMarker);
        return;
    }
    AppendCodePoint(charset_, codePoint, out);
}

// After "&". Writes the referenced characters, or "&" when nothing is
// referenced; leaves the position after what was consumed.
void HtmlTokenizer::ReadCharacterReference(std::string* out, bool inAttribute) {
    const std::string_view rest = input_.substr(pos_);
    if (!rest.empty() && rest[0] == '#') {
        char32_t codePoint = 0;
        const std::size_t used = DecodeNumericCharRef(rest.substr(1), &codePoint);
        if (used == 0) {
            out->push_back('&');
            return;
        }
        AppendReferenced(codePoint, out, inAttribute);
        pos_ += used + 1;
        return;
    }
    std::size_t used = 0;
    const NamedCharRef* entry = MatchNamedCharRef(rest, &used);
    if (entry == nullptr) {
        out->push_back('&');
        return;
    }
    // In attribute values a legacy name without ";" followed by "=" or an
    // alphanumeric is left alone, so URLs like "?a=1&copy=2" survive.
    if (inAttribute && rest[used - 1] != ';' && used < rest.size() &&
        (rest[used] == '=' || IsAsciiAlphaNumeric(rest[used]))) {
        out->push_back('&');
        return;
    }
    AppendReferenced(entry->first, out, inAttribute);
    if (entry->second != 0) {
        AppendReferenced(entry->second, out, inAttribute);
    }
    pos_ += used;
}

}  // namespace vellumo
