#pragma once
// The attachment the host saves when it puts a translator's output back as
// a nested entity.

#include <string>

namespace emshost {

// The output's body from after its header's blank line up to the end of the
// file, decoded by the output's Content-Transfer-Encoding (base64 and
// quoted-printable; any other encoding as it stands).
std::string PutBackAttachment(const std::string& output);

}  // namespace emshost
