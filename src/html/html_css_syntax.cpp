#include "html/html_css_syntax.h"

#include <algorithm>
#include <cstdint>

#include "html/html_white_space.h"
#include "platform/ascii_case.h"
#include "platform/ascii_class.h"

namespace vellumo {
namespace {

// What the rule level needs to know of a token: the brackets, the
// semicolon, at-keywords and the markers "<!--" and "-->". Strings, urls,
// comments and names are read whole so that the brackets in them count
// for nothing.
enum class Unit : std::uint8_t {
    kOpen,  // "{", "[", "(" and function names ("rgb(")
    kClose,
    kSemicolon,
    kAtKeyword,
    kMarker,  // "<!--" or "-->"
    kComment,
    kOther,
};

struct UnitSpan {
    Unit unit = Unit::kOther;
    std::size_t end = 0;
    char closer = 0;  // kOpen: the bracket that closes it
};

bool IsNewline(char c) {
    return c == '\n' || c == '\r' || c == '\f';
}

bool IsValidEscape(std::string_view text, std::size_t pos) {
    return pos + 1 < text.size() && text[pos] == '\\' && !IsNewline(text[pos + 1]);
}

bool IsNameStartByte(char c) {
    return IsCssNameByte(c) && c != '-' && !IsAsciiDigit(c);
}

// A string ends at its quote, or before an unescaped line break (a bad
// string); an escaped line break continues it.
std::size_t SkipString(std::string_view text, std::size_t pos) {
    const char quote = text[pos++];
    while (pos < text.size() && text[pos] != quote && !IsNewline(text[pos])) {
        pos += text[pos] == '\\' ? 2 : 1;
    }
    return pos < text.size() && text[pos] == quote ? pos + 1 : std::min(pos, text.size());
}

// An unquoted url(...) ends at its first unescaped ")", whether it is a
// url token or a bad one whose remnants are consumed.
std::size_t SkipUrl(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] != ')') {
        pos += IsValidEscape(text, pos) ? 2 : 1;
    }
    return std::min(pos + 1, text.size());
}

UnitSpan ReadName(std::string_view text, std::size_t pos) {
    const std::size_t end = SkipCssName(text, pos);
    if (end >= text.size() || text[end] != '(') {
        return {Unit::kOther, end};
    }
    std::size_t arg = end + 1;
    while (arg < text.size() && IsHtmlWhiteSpace(text[arg])) {
        ++arg;
    }
    const bool quoted = arg < text.size() && (text[arg] == '"' || text[arg] == '\'');
    if (EqualsIgnoringAsciiCase(text.substr(pos, end - pos), "url") && !quoted) {
        return {Unit::kOther, SkipUrl(text, end + 1)};
    }
    return {Unit::kOpen, end + 1, ')'};
}

// What a byte can start in a sheet's structure.
enum class ByteRole {
    kOpen,       // "{", "[", "("
    kClose,      // "}", "]", ")"
    kSemicolon,  // ";"
    kHiding,     // a quote, "\\" or "/": a string, escape or comment may hide brackets
    kMark,       // "<", "-", "@": a marker, a name or an at-keyword may start
    kOther,
};

ByteRole RoleOf(char c) {
    switch (c) {
        case '{':
        case '[':
        case '(':
            return ByteRole::kOpen;
        case '}':
        case ']':
        case ')':
            return ByteRole::kClose;
        case ';':
            return ByteRole::kSemicolon;
        case '"':
        case '\'':
        case '\\':
        case '/':
            return ByteRole::kHiding;
        case '<':
        case '-':
        case '@':
            return ByteRole::kMark;
        default:
            return ByteRole::kOther;
    }
}

// A byte that is a unit of its own: no bracket, quote or semicolon, and
// no start of a comment, marker, at-keyword, name or escape.
bool IsPlainByte(char c) {
    return RoleOf(c) == ByteRole::kOther && !IsNameStartByte(c);
}

// A bracket, or a byte that may start a unit with one inside.
bool IsBracketOrHidingByte(char c) {
    const ByteRole role = RoleOf(c);
    return role == ByteRole::kOpen || role == ByteRole::kClose || role == ByteRole::kHiding;
}

// A semicolon, or a byte that may start a unit with one inside.
bool MayHideSemicolon(char c) {
    const ByteRole role = RoleOf(c);
    return role == ByteRole::kSemicolon || role == ByteRole::kOpen || role == ByteRole::kHiding;
}

UnitSpan ReadUnit(std::string_view text, std::size_t pos) {
    const char c = text[pos];
    const std::string_view rest = text.substr(pos);
    switch (c) {
        case '{':
            return {Unit::kOpen, pos + 1, '}'};
        case '[':
            return {Unit::kOpen, pos + 1, ']'};
        case '(':
            return {Unit::kOpen, pos + 1, ')'};
        case '}':
        case ']':
        case ')':
            return {Unit::kClose, pos + 1};
        case ';':
            return {Unit::kSemicolon, pos + 1};
        case '"':
        case '\'':
            return {Unit::kOther, SkipString(text, pos)};
        default:
            break;
    }
    // Most bytes of a sheet (white space, digits, punctuation) open no
    // comment, marker, at-keyword or name: a run of them is one unit, all
    // white space or none of it.
    if (IsPlainByte(c)) {
        const bool blank = IsHtmlWhiteSpace(c);
        std::size_t end = pos + 1;
        while (end < text.size() && IsPlainByte(text[end]) &&
               IsHtmlWhiteSpace(text[end]) == blank) {
            ++end;
        }
        return {Unit::kOther, end};
    }
    if (rest.substr(0, 2) == "/*") {
        const std::size_t close = text.find("*/", pos + 2);
        return {Unit::kComment, close == std::string_view::npos ? text.size() : close + 2};
    }
    if (rest.substr(0, 4) == "<!--" || rest.substr(0, 3) == "-->") {
        return {Unit::kMarker, pos + (c == '<' ? 4 : 3)};
    }
    if (c == '@' && StartsCssIdent(text, pos + 1)) {
        return {Unit::kAtKeyword, SkipCssName(text, pos + 1)};
    }
    if (StartsCssIdent(text, pos)) {
        return ReadName(text, pos);
    }
    return {Unit::kOther, pos + (IsValidEscape(text, pos) ? 2 : 1)};
}

// "Consume a simple block" from just after its opening bracket: the
// position after the bracket that closes it, or the end of the text.
// Inside, only the innermost open bracket's mirror closes anything.
std::size_t SkipBlock(std::string_view text, std::size_t pos, char closer,
                      std::vector<char>* closers) {
    // Most blocks hold no bracket, quote, escape or comment before the
    // bracket that closes them.
    std::size_t end = pos;
    while (end < text.size() && !IsBracketOrHidingByte(text[end])) {
        ++end;
    }
    if (end < text.size() && text[end] == closer) {
        closers->clear();
        return end + 1;
    }
    closers->assign(1, closer);
    while (pos < text.size()) {
        const UnitSpan span = ReadUnit(text, pos);
        if (span.unit == Unit::kOpen) {
            closers->push_back(span.closer);
        } else if (span.unit == Unit::kClose && text[pos] == closers->back()) {
            closers->pop_back();
            if (closers->empty()) {
                return span.end;
            }
        }
        pos = span.end;
    }
    return text.size();
}

}  // namespace

// "Would start an ident sequence".
bool StartsCssIdent(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return false;
    }
    if (text[pos] == '-') {
        return pos + 1 < text.size() && (IsNameStartByte(text[pos + 1]) || text[pos + 1] == '-' ||
                                         IsValidEscape(text, pos + 1));
    }
    return IsNameStartByte(text[pos]) || IsValidEscape(text, pos);
}

std::size_t SkipCssName(std::string_view text, std::size_t pos) {
    while (pos < text.size()) {
        if (IsCssNameByte(text[pos])) {
            ++pos;
        } else if (IsValidEscape(text, pos)) {
            pos += 2;
        } else {
            break;
        }
    }
    return pos;
}

std::string WithoutCssComments(std::string_view sheet) {
    if (sheet.find("/*") == std::string_view::npos) {
        return std::string(sheet);  // most sheets have none
    }
    std::string out;
    out.reserve(sheet.size());
    std::size_t pos = 0;
    std::size_t kept = 0;  // where the text not yet copied begins
    while (pos < sheet.size()) {
        const UnitSpan span = ReadUnit(sheet, pos);
        if (span.unit == Unit::kComment) {
            out.append(sheet.substr(kept, pos - kept));
            out.push_back(' ');
            kept = span.end;
        }
        pos = span.end;
    }
    out.append(sheet.substr(kept));
    return out;
}

bool CssRuleReader::Next(CssRuleText* rule) {
    while (pos_ < sheet_.size()) {
        const UnitSpan span = ReadUnit(sheet_, pos_);
        if (IsHtmlWhiteSpace(sheet_[pos_]) || (span.unit == Unit::kMarker && !nested_) ||
            span.unit == Unit::kComment) {
            pos_ = span.end;
        } else if (span.unit == Unit::kAtKeyword) {
            ReadAtRule(pos_, rule);
            return true;
        } else if (ReadQualifiedRule(pos_, rule)) {
            return true;
        }
    }
    return false;
}

void CssRuleReader::TakeBlock(std::size_t open, CssRuleText* rule) {
    const std::size_t after = SkipBlock(sheet_, open + 1, '}', &closers_);
    const bool closed = closers_.empty();
    rule->block = sheet_.substr(open + 1, after - open - 1 - (closed ? 1 : 0));
    pos_ = after;
}

// "Consume an at-rule": the prelude runs to a ";" or a "{}" block, nested
// brackets included, or to the end of the sheet.
void CssRuleReader::ReadAtRule(std::size_t start, CssRuleText* rule) {
    rule->atRule = true;
    rule->block = std::string_view();
    std::size_t pos = start;
    while (pos < sheet_.size()) {
        const UnitSpan span = ReadUnit(sheet_, pos);
        if (span.unit == Unit::kSemicolon) {
            rule->prelude = TrimHtmlWhiteSpace(sheet_.substr(start, pos - start));
            pos_ = span.end;
            return;
        }
        if (span.unit == Unit::kOpen && span.closer == '}') {
            rule->prelude = TrimHtmlWhiteSpace(sheet_.substr(start, pos - start));
            TakeBlock(pos, rule);
            return;
        }
        pos = span.unit == Unit::kOpen ? SkipBlock(sheet_, span.end, span.closer, &closers_)
                                       : span.end;
    }
    rule->prelude = TrimHtmlWhiteSpace(sheet_.substr(start));
    pos_ = sheet_.size();
}

// "Consume a qualified rule": everything up to the "{}" block is the
// prelude, a "}", ";" or "<!--" there included; without a block there is
// no rule.
bool CssRuleReader::ReadQualifiedRule(std::size_t start, CssRuleText* rule) {
    rule->atRule = false;
    std::size_t pos = start;
    while (pos < sheet_.size()) {
        const UnitSpan span = ReadUnit(sheet_, pos);
        if (span.unit == Unit::kOpen && span.closer == '}') {
            rule->prelude = TrimHtmlWhiteSpace(sheet_.substr(start, pos - start));
            TakeBlock(pos, rule);
            return true;
        }
        pos = span.unit == Unit::kOpen ? SkipBlock(sheet_, span.end, span.closer, &closers_)
                                       : span.end;
    }
    pos_ = sheet_.size();
    return false;
}

bool CssDeclarationReader::Next(std::string_view* declaration) {
    if (done_) {
        return false;
    }
    const std::size_t start = pos_;
    // Most declarations hold no bracket, quote, escape or comment, which
    // alone can hide a semicolon: the next one then ends them.
    std::size_t end = start;
    while (end < block_.size() && !MayHideSemicolon(block_[end])) {
        ++end;
    }
    if (end == block_.size() || block_[end] == ';') {
        *declaration = block_.substr(start, end - start);
        pos_ = std::min(end + 1, block_.size());
        done_ = end == block_.size();
        return true;
    }
    while (pos_ < block_.size()) {
        const UnitSpan span = ReadUnit(block_, pos_);
        if (span.unit == Unit::kSemicolon) {
            *declaration = block_.substr(start, pos_ - start);
            pos_ = span.end;
            return true;
        }
        pos_ = span.unit == Unit::kOpen ? SkipBlock(block_, span.end, span.closer, &closers_)
                                        : span.end;
    }
    *declaration = block_.substr(start);
    done_ = true;
    return true;
}

}  // namespace vellumo
