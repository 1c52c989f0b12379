#pragma once
// The archive file of one translation: opened when there is HTML to keep,
// filled part by part, linked from the converted message, and removed again
// unless the translation keeps it.

#include <string>
#include <string_view>

#include "mime/entity_view.h"

namespace vellumo {

class HtmlArchive {
  public:
    HtmlArchive() = default;
    // Removes the file unless Keep was called, so a declined translation (or
    // one cut short by an exception) leaves none behind.
    ~HtmlArchive();
    HtmlArchive(const HtmlArchive&) = delete;
    HtmlArchive& operator=(const HtmlArchive&) = delete;

    // Creates the archive file named from the subject (null or empty: the
    // Subject of CapturedHeaders) and holding the selected lines of
    // CapturedHeaders. True when the archive is open (also when it already
    // was); false when no file could be created.
    [[nodiscard]] bool Open(const char* subject);
    [[nodiscard]] bool IsOpen() const { return !path_.empty(); }

    // Appends one HTML part: its type rows and its decoded body. Nothing
    // happens when the archive is not open; a write error is passed over.
    void AppendHtmlPart(const EntityView& part);

    // Appends a whole entity as received (header, blank line, body) below
    // a MIME-Version line: an HTML branch with the parts it refers to.
    // Nothing happens when the archive is not open.
    void AppendEntity(std::string_view entityText);

    // The conversion trailer that links to this file, for the end of the
    // converted message; empty when the archive is not open.
    [[nodiscard]] std::string LinkText() const;

    // The file stays for good.
    void Keep() { kept_ = true; }
    // Deletes the file now, unless it is kept; the archive is closed after.
    void Remove();

    // The file's path; empty when the archive is not open.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    bool kept_ = false;
};

}  // namespace vellumo
