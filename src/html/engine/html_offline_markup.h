// HTML that gives an HTML engine nothing to fetch, for the system engine;
// the built-in renderer never fetches and does not need it.
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

// Attributes that name something to load, whatever element carries them;
// so does any attribute whose name ends in "src" or "href" (dynsrc, lowsrc,
// xlink:href).
constexpr std::string_view kFetchingAttributes[] = {
    "action",         "archive",     "background", "behavior", "cite",       "classid",
    "code",           "codebase",    "data",       "datasrc",  "formaction", "icon",
    "implementation", "longdesc",    "manifest",   "ping",     "poster",     "profile",
    "srcset",         "imagesrcset", "usemap",     "vrml",     "xmlns"};

// Elements dropped with everything in them: their content is never shown
// as text, and an engine may load or run it.
constexpr std::string_view kDroppedElements[] = {"script", "iframe", "noembed", "noframes"};

// `html` (UTF-8) rewritten from its tokens so that an engine loading it
// finds nothing to fetch, with the text and the elements that shape it kept:
//  - comments (conditional comments among them) and processing
//    instructions are dropped, and so is a doctype after a tag or another
//    doctype; a doctype keeps its name and public identifier (the
//    characters a public identifier may hold, "=" aside), and its system
//    identifier only when it is a w3.org address (it then only picks the
//    rendering mode);
//  - kDroppedElements go with their content; xmp and plaintext become pre
//    with their text escaped;
//  - attributes in kFetchingAttributes or ending in "src" or "href", event
//    handlers ("on..."), and attributes whose value looks like an address
//    ("//", "\", "url(", "url=" or a scheme such as "http:" or "file:",
//    after white space and control characters are taken out) are dropped;
//  - style attributes and style elements go through MakeCssOffline;
//  - tag and attribute names other than letters, digits, "-", "_", ":" and
//    "." drop the tag or attribute; text and values are written again with
//    "&", "<", ">" and '"' escaped, so what the engine reads is what was
//    checked here.
// Character references are decoded before any check, so no spelling
// (entities, case, white space, CSS escapes, comments) hides an address.
// Any bytes are accepted; linear in the input.
[[nodiscard]] std::string MakeHtmlOffline(std::string_view html);

}  // namespace vellumo
