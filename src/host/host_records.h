#pragma once
// The host's records, as fixed 32-bit layouts. Only the fields named here are
// read or written; the others keep their places and are never touched.

#include <cstdint>

namespace vellumo {

using HostInt = std::int32_t;

struct MimeParamRecord {
    HostInt size;
    char* name;
    char* value;
    MimeParamRecord* next;
};

struct MimeTypeRecord {
    HostInt size;
    char* mimeVersion;
    char* mainType;
    char* subType;
    MimeParamRecord* params;
    char* contentDisposition;
    MimeParamRecord* dispositionParams;
};

struct HeaderRecord {
    HostInt size;
    void* unused2;
    void* unused3;
    char* subject;
    void* unused5;
    void* unused6;
    char* rawHeaders;
};

struct DataFileRecord {
    HostInt size;
    HostInt context;
    MimeTypeRecord* mimeType;
    HeaderRecord* header;
    char* fileName;
};

struct TranslatorInfoRecord {
    HostInt size;
    HostInt id;
    HostInt type;
    HostInt flags;
    char* description;
    void* icon;  // IconBlock*
    void* unused7;
};

struct PluginInfoRecord {
    HostInt size;
    HostInt translatorCount;
    HostInt attacherCount;
    HostInt specialCount;
    char* description;
    HostInt pluginId;
    void* icon;  // IconBlock*
};

struct MailConfigRecord {
    HostInt size;
    void* unused2;
    char* configFolder;
};

struct MenuRecord {
    HostInt size;
    HostInt id;
    char* description;
    void* icon;  // IconBlock*
    HostInt flags;
};

struct ResultStatusRecord;

// Host status codes.
enum HostStatus : HostInt {
    kStatusSuccess = 0,
    kStatusFailure = 1,
    kStatusCannotTranslate = 2,
    kStatusInvalidId = 3,
    kStatusInputOpenFailed = 5,
    kStatusOutputOpenFailed = 6,
    kStatusCanTranslateNow = 10,
    // "Translation done, data unchanged": the host keeps the message as it is.
    kStatusDataUnchanged = 12,
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MimeParamRecord) == 16, "host layout");
static_assert(sizeof(MimeTypeRecord) == 28, "host layout");
static_assert(sizeof(HeaderRecord) == 28, "host layout");
static_assert(sizeof(DataFileRecord) == 20, "host layout");
static_assert(sizeof(TranslatorInfoRecord) == 28, "host layout");
static_assert(sizeof(PluginInfoRecord) == 28, "host layout: the host's size-40 record extends it");
static_assert(sizeof(MailConfigRecord) == 12, "host layout");
static_assert(sizeof(MenuRecord) == 20, "host layout");
#endif

}  // namespace vellumo
