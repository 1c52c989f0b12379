#pragma once
// Windows code page numbers for the charset names that mail uses.

namespace vellumo {

struct CharsetCodePage {
    const char* name;  // lower case, as MIME spells it
    unsigned codePage;
};

// The table, in lookup order; checked entry by entry by a test.
const CharsetCodePage* CharsetCodePageTable(unsigned& count);
// The code page for a charset name (ASCII case ignored), or 0 when unknown.
unsigned CodePageForCharset(const char* name);

}  // namespace vellumo
