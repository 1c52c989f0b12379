// The rule level of CSS Syntax Level 3: a style sheet cut into its rules
// and a block into its declarations with the parser's error recovery, so
// that a rule a browser drops (after a stray "}" or ";", inside an
// unclosed bracket) is dropped here too. Strings, escapes, url() and
// nested brackets are read as the tokenizer reads them; nothing else is
// tokenized. Never fails on any input; linear in it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii_class.h"

namespace vellumo {

// A byte that may stand in a CSS name (identifiers, class and id names);
// every byte of a non-ASCII character does.
[[nodiscard]] constexpr bool IsCssNameByte(char c) {
    return IsAsciiAlphaNumeric(c) || c == '-' || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// Whether the text at `pos` would start an identifier: a letter, "_", a
// non-ASCII byte or an escape, or "-" followed by one of them or "-".
[[nodiscard]] bool StartsCssIdent(std::string_view text, std::size_t pos);

// The position after the name (name bytes and escapes) starting at `pos`.
[[nodiscard]] std::size_t SkipCssName(std::string_view text, std::size_t pos);

// The sheet with each comment replaced by one space; a "/*" inside a
// string or url() is no comment and stays.
[[nodiscard]] std::string WithoutCssComments(std::string_view sheet);

// One top-level rule: a qualified rule (a selector and its declarations)
// or an at-rule ("@media print { ... }", "@import url(x);").
struct CssRuleText {
    bool atRule = false;
    std::string_view prelude;  // trimmed; an at-rule's starts with its "@"
    std::string_view block;    // inside the braces; empty without a block
};

// Reads the rules of a comment-free sheet (WithoutCssComments) in order,
// as "consume a list of rules" does: a stray "}" or ";" joins the prelude
// of the next rule (which then matches nothing), and a prelude the sheet
// ends in gives no rule. At the top level "<!--" and "-->" between rules
// are ignored; inside a block (`nested`: the rules of an @media block)
// they join the prelude too. `sheet` must outlive the reader and the views
// it gives.
class CssRuleReader {
  public:
    explicit CssRuleReader(std::string_view sheet, bool nested = false)
        : sheet_(sheet), nested_(nested) {}

    // The next rule; false at the end of the sheet.
    [[nodiscard]] bool Next(CssRuleText* rule);

  private:
    void ReadAtRule(std::size_t start, CssRuleText* rule);
    [[nodiscard]] bool ReadQualifiedRule(std::size_t start, CssRuleText* rule);
    // Fills the rule's block from the "{" at `open` and moves past it.
    void TakeBlock(std::size_t open, CssRuleText* rule);

    std::string_view sheet_;
    bool nested_;
    std::size_t pos_ = 0;
    std::vector<char> closers_;  // scratch for nested brackets
};

// Reads the declarations of a block in order, cut at the semicolons that
// stand outside strings and nested brackets; each is given untrimmed,
// empty ones too.
class CssDeclarationReader {
  public:
    explicit CssDeclarationReader(std::string_view block) : block_(block) {}

    // The next declaration; false at the end of the block.
    [[nodiscard]] bool Next(std::string_view* declaration);

  private:
    std::string_view block_;
    std::size_t pos_ = 0;
    bool done_ = false;
    std::vector<char> closers_;
};

}  // namespace vellumo
