#pragma once
// A message file as the host sees it when it offers the message: its header
// text, its Content-Type broken into type, subtype and parameters, and the
// input file the host writes for the translator.

#include <string>
#include <utility>
#include <vector>

namespace emshost {

struct OfferedMessage {
    std::string rawHeaders;  // header lines, without the blank line after them
    std::string body;
    std::string subject;
    std::string contentType;  // unfolded value of the first field
    std::string transferEncoding;
    std::string disposition;  // unfolded value of the first field
    std::string mainType = "text";
    std::string subType = "plain";
    std::string dispositionType;
    std::vector<std::pair<std::string, std::string>> params;
};

// Splits message text (CR LF or bare LF) into the host's view of it. Bare LF
// line ends become CR LF, as the host stores every message.
OfferedMessage ParseOfferedMessage(const std::string& text);

// "Mime-Version", Content-Type, Content-Transfer-Encoding and
// Content-Disposition lines, a blank line, the body and one extra CR LF.
std::string MakeHostInputFile(const OfferedMessage& message);

// The attachment the host saves when it puts a translator's output back as a
// nested entity: the output's body from after its header's blank line up to
// the end of the file, decoded by the output's Content-Transfer-Encoding
// (base64 and quoted-printable; any other encoding as it stands).
std::string PutBackAttachment(const std::string& output);

// "type/subtype; a=b" into its parts (quotes removed from values).
void SplitContentType(const std::string& value, std::string& mainType, std::string& subType,
                      std::vector<std::pair<std::string, std::string>>& params);

}  // namespace emshost
