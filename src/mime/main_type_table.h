#pragma once
// The main media types that the model tells apart: each index beside its
// name, in one table.

#include <cstddef>

namespace vellumo {

constexpr int kMainTypeText = 0;
constexpr int kMainTypeImage = 1;
constexpr int kMainTypeAudio = 2;
constexpr int kMainTypeVideo = 3;
constexpr int kMainTypeApplication = 4;
constexpr int kMainTypeMultipart = 5;
constexpr int kMainTypeMessage = 6;
// Index of every main type that is not in the table.
constexpr int kMainTypeOther = 7;

constexpr size_t kMainTypeCount = 7;
// Names in index order.
inline constexpr const char* MainTypeTable[kMainTypeCount] = {
    "text",         // kMainTypeText
    "image",        // kMainTypeImage
    "audio",        // kMainTypeAudio
    "video",        // kMainTypeVideo
    "application",  // kMainTypeApplication
    "multipart",    // kMainTypeMultipart
    "message",      // kMainTypeMessage
};
static_assert(kMainTypeOther == static_cast<int>(kMainTypeCount));

// Index of the first table entry that `text` begins with (ASCII case
// ignored), or kMainTypeOther.
[[nodiscard]] int MainTypeIndexOf(const char* text, size_t length);

}  // namespace vellumo
