#include "translate/mime_type_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace vellumo::test {
namespace {

struct RecordCase {
    const char* name;
    const char* mainType;
    const char* subType;
    const char* version;
    bool built;
    const char* expectedVersion;
};

// Frees the record the way the host does: every piece on its own through
// free(). Under the sanitizer a piece that is not its own block fails here.
void FreePieceByPiece(MimeTypeRecord* record) {
    std::free(record->mimeVersion);
    std::free(record->mainType);
    std::free(record->subType);
    std::free(record->contentDisposition);
    std::free(record);
}

TEST(MimeTypeRecord, FieldsAndSeparateBlocks) {
    const RecordCase cases[] = {
        {"text plain default version", "text", "plain", nullptr, true, "1.0"},
        {"multipart mixed explicit version", "multipart", "mixed", "1.0", true, "1.0"},
        {"other version kept", "application", "octet-stream", "2.5", true, "2.5"},
        {"empty types are still types", "", "", nullptr, true, "1.0"},
        {"missing main type", nullptr, "plain", "1.0", false, nullptr},
        {"missing subtype", "text", nullptr, "1.0", false, nullptr},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        MimeTypeRecord* record = MakeMimeTypeRecord(c.mainType, c.subType, c.version);
        ASSERT_EQ(record != nullptr, c.built);
        if (record == nullptr) {
            continue;
        }
        EXPECT_EQ(record->size, 28);
        EXPECT_STREQ(record->mainType, c.mainType);
        EXPECT_STREQ(record->subType, c.subType);
        EXPECT_STREQ(record->mimeVersion, c.expectedVersion);
        EXPECT_EQ(record->params, nullptr);
        EXPECT_EQ(record->contentDisposition, nullptr);
        EXPECT_EQ(record->dispositionParams, nullptr);
        // Copies, not the caller's strings.
        EXPECT_NE(static_cast<const void*>(record->mainType), c.mainType);
        std::set<const void*> pieces = {record, record->mimeVersion, record->mainType,
                                        record->subType};
        EXPECT_EQ(pieces.size(), 4u);
        FreePieceByPiece(record);
    }
}

MimeParamRecord* NewParam(const char* name, const char* value, MimeParamRecord* next) {
    auto* param = static_cast<MimeParamRecord*>(std::calloc(1, sizeof(MimeParamRecord)));
    param->name = strdup(name);
    param->value = strdup(value);
    param->next = next;
    return param;
}

TEST(MimeTypeRecord, FreeReleasesParameterListsAndDisposition) {
    MimeTypeRecord* record = MakeMimeTypeRecord("text", "html", nullptr);
    ASSERT_NE(record, nullptr);
    record->params = NewParam("charset", "utf-8", NewParam("format", "flowed", nullptr));
    record->contentDisposition = strdup("inline");
    record->dispositionParams = NewParam("filename", "a.html", nullptr);
    // The sanitizer's leak check fails the run if anything stays allocated.
    FreeMimeTypeRecord(record);
    FreeMimeTypeRecord(nullptr);
    FreeMimeParamList(nullptr);
}

}  // namespace
}  // namespace vellumo::test
