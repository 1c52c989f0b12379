#pragma once
// A message or part file offered by a step, read the way the host holds a
// message: CR LF line ends, and a first line "From ..." taken as the
// mailbox's envelope line, which heads the raw header of the offer.

#include <string>
#include <string_view>

#include "mailclient/offered_entity.h"

namespace emshost {

struct OfferedFile {
    std::string bytes;  // as read
    std::string text;   // CR LF line ends
    std::string_view envelope;
    vellumo::OfferedEntity entity;  // the text after the envelope line

    OfferedFile() = default;
    OfferedFile(const OfferedFile&) = delete;
    OfferedFile& operator=(const OfferedFile&) = delete;
};

// Reads path into file; "-" gives an empty entity. False (with an error
// printed) when the file cannot be read.
bool LoadOfferedFile(const std::string& path, OfferedFile& file);

// The whole of a file; false when it cannot be read.
bool ReadFileText(const std::string& path, std::string& text);

}  // namespace emshost
