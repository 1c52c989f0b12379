// Adding nodes to an HtmlDocument while it is built: new nodes, linking them
// into the tree, and keeping text and the attributes the renderer reads.
#pragma once

#include <cstdint>
#include <string_view>

#include "html/html_document.h"
#include "html/html_tokenizer.h"

namespace vellumo {

// A new unlinked node; returns its index.
std::int32_t AddNode(HtmlDocument* document, HtmlTag tag, std::uint32_t nameId, std::uint8_t flags);

// Links `child` (unlinked) as the last child of `parent`, whose last child
// is `*lastChild` (kNoNode when it has none); `*lastChild` becomes `child`.
// Nodes keep no link to their last child, so the caller tracks it.
void AppendChild(HtmlDocument* document, std::int32_t parent, std::int32_t* lastChild,
                 std::int32_t child);

// Links `child` (unlinked) just before `reference`, a child of `parent`
// whose previous sibling is `previous` (kNoNode for a first child); nodes
// keep no backward links, so the caller tracks both.
void InsertBefore(HtmlDocument* document, std::int32_t parent, std::int32_t reference,
                  std::int32_t previous, std::int32_t child);

// Copies `bytes` into the document's arena.
[[nodiscard]] ArenaRange StoreText(HtmlDocument* document, std::string_view bytes);

// Gives text node `node` its text: a range of the document's source when
// `text` is the source bytes [sourceBegin, sourceEnd) read with CR LF and CR
// as LF, else a copy in the arena.
void SetNodeText(HtmlDocument* document, std::int32_t node, std::string_view text,
                 std::size_t sourceBegin, std::size_t sourceEnd);

// Copies the text nodes' bytes out of the document's source into the arena,
// the last first, and calls `shrinkSource` as they go: with the source
// bytes still read each time `step` more are copied, and with 0 at the
// end, when the source is empty. A document of dense markup then holds its
// text, not its HTML. Nothing moves for a source shorter than one step,
// where it would gain nothing worth the copying, nor when the texts'
// ranges do not follow one another in node order (the builder makes them
// so).
constexpr std::size_t kSourceShrinkStep = 256 * 1024;
void MoveSourceTextToArena(HtmlDocument* document, const HtmlSourceShrink& shrinkSource,
                           std::size_t step = kSourceShrinkStep);

// Keeps the token's style, class, id and lang values and the hidden, popover,
// open and type=hidden attributes on element `node`; with `keepTargets`
// also a link's href and an image's alt text.
void SetElementAttributes(HtmlDocument* document, std::int32_t node, const HtmlToken& token,
                          bool keepTargets = true);

}  // namespace vellumo
