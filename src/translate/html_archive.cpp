#include "translate/html_archive.h"

#include "host/plugin_state.h"
#include "platform/files.h"
#include "translate/archive_file.h"
#include "translate/archive_html_part.h"
#include "translate/archive_subject.h"
#include "translate/conversion_trailer.h"

namespace vellumo {

HtmlArchive::~HtmlArchive() {
    Remove();
}

bool HtmlArchive::Open(const char* subject) {
    if (IsOpen()) {
        return true;
    }
    path_ = CreateArchiveFile(ArchiveSubject(subject, CapturedHeaders));
    return IsOpen();
}

void HtmlArchive::AppendHtmlPart(const EntityView& part) {
    if (IsOpen()) {
        AppendHtmlPartToArchive(path_, part);
    }
}

void HtmlArchive::AppendEntity(std::string_view entityText) {
    if (IsOpen()) {
        AppendEntityToArchive(path_, entityText);
    }
}

std::string HtmlArchive::LinkText() const {
    return IsOpen() ? ConversionTrailer(MakeArchiveLink(path_)) : std::string();
}

void HtmlArchive::Remove() {
    if (!kept_ && IsOpen()) {
        (void)DeleteFileAt(path_);
        path_.clear();
    }
}

}  // namespace vellumo
