// Properties over seeded random and adversarial inputs: every length function
// bounds what its step writes, nothing is written past any capacity, and
// decoding the encoded form gives the input back.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "codec/base64_codec.h"
#include "codec/encoded_word_codec.h"
#include "codec/header_codec_registry.h"
#include "codec/quoted_printable_codec.h"
#include "codec_test_support.h"

namespace vellumo::test {
namespace {

constexpr int kRandomRounds = 400;
constexpr size_t kMaxRandomLength = 600;

// Alphabets that stress different rules: any byte, line structure with
// blanks and dots, escapes and soft breaks, UTF-8 text.
const std::vector<std::string>& Alphabets() {
    static const std::vector<std::string> alphabets = {
        "",
        "ab \t\r\n.=",
        "x \r\n",
        "=?_ QBqb\xE9\r\n",
        "\xC3\xA9\xE2\x82\xAC \x80\xBF\xF0",
        "a,;:<>()\"\\ \xE9\r\n\t",
    };
    return alphabets;
}

// Adversarial inputs with known-hard shapes next to the random ones.
std::vector<std::string> AdversarialInputs() {
    std::vector<std::string> inputs = {"", " ", "\r\n", ".", "=", "\r", "\n", "\r\n.\r\n"};
    for (int spaceAt = 0; spaceAt < 76; ++spaceAt) {
        std::string line(80, 'y');
        line[static_cast<size_t>(spaceAt)] = ' ';
        inputs.push_back(line + "\xE9\xE9\xE9 " + line);
    }
    for (const char* separator : {",", ";", ":"}) {
        for (const char* gap : {" \r", "\r\n \r", " \n", "\x0B", "\r\n\t"}) {
            inputs.push_back(std::string("J\xF6rg") + separator + gap + "Ann \xE9 <a@b>" +
                             separator);
        }
    }
    inputs.push_back(std::string(300, ' '));
    inputs.push_back(std::string(300, '\xFF'));
    inputs.push_back(std::string(300, '.'));
    std::string crlfs;
    for (int i = 0; i < 100; ++i) {
        crlfs += "\r\n.";
    }
    inputs.push_back(crlfs);
    return inputs;
}

std::vector<std::string> PropertyInputs() {
    std::mt19937 random(20240601);
    std::vector<std::string> inputs = AdversarialInputs();
    for (int round = 0; round < kRandomRounds; ++round) {
        const std::string& alphabet = Alphabets()[round % Alphabets().size()];
        inputs.push_back(RandomBytes(random, random() % kMaxRandomLength, alphabet));
    }
    return inputs;
}

void ExpectTransferRoundTrip(TransferCodec& encoder, TransferCodec& decoder,
                             const std::string& input) {
    const std::string encoded = EncodeAll(encoder, input);
    EXPECT_LE(LongestLine(encoded), 76u);
    EXPECT_EQ(DecodeAll(decoder, encoded), input);
}

TEST(TransferCodecProperties, RoundTripAndLineLength) {
    int index = 0;
    for (const std::string& input : PropertyInputs()) {
        SCOPED_TRACE(index++);
        Base64Codec b64(true);
        Base64Codec b64Decoder;
        ExpectTransferRoundTrip(b64, b64Decoder, input);
        QuotedPrintableCodec text(false);
        QuotedPrintableCodec textDecoder;
        ExpectTransferRoundTrip(text, textDecoder, input);
        QuotedPrintableCodec binary(true);
        QuotedPrintableCodec binaryDecoder;
        ExpectTransferRoundTrip(binary, binaryDecoder, input);
    }
}

// Padding ends the data: a footer after a padded body is not decoded, while
// parts joined after it (whole groups) still are.
TEST(TransferCodecProperties, Base64PaddingEndsTheDataUnlessGroupsFollow) {
    const std::vector<std::string> inputs = PropertyInputs();
    for (size_t index = 0; index + 1 < inputs.size(); ++index) {
        const std::string& input = inputs[index];
        if (input.size() % 3 == 0) {
            continue;  // no padding: nothing marks where the data ends
        }
        SCOPED_TRACE(index);
        Base64Codec encoder(true);
        const std::string encoded = EncodeAll(encoder, input);
        Base64Codec footer;
        EXPECT_EQ(DecodeAll(footer, encoded + "-- \r\nThe list, http://x.example/\r\n"), input);
        Base64Codec nextEncoder(true);
        Base64Codec joined;
        EXPECT_EQ(DecodeAll(joined, encoded + EncodeAll(nextEncoder, inputs[index + 1])),
                  input + inputs[index + 1]);
    }
}

// Runs every capacity from 0 to the length bound: the guard bytes behind it
// stay intact, and a full-size run writes no more than the bound.
void ExpectBoundedAtEveryCapacity(TransferCodec& codec, const std::string& input, bool encoding,
                                  int32_t step) {
    codec.source = input.data();
    codec.sourceLength = static_cast<int32_t>(input.size());
    codec.encoding = encoding;
    const int32_t bound = codec.Length();
    ASSERT_GE(bound, 0);
    std::string full = RunWithCapacity(codec, bound + 64);
    EXPECT_LE(static_cast<int32_t>(full.size()), bound);
    if (step == 0) {
        step = bound / 40 + 1;
    }
    for (int32_t capacity = 0; capacity <= bound; capacity += step) {
        RunWithCapacity(codec, capacity);
    }
}

TEST(TransferCodecProperties, LengthsBoundEveryStep) {
    int index = 0;
    for (const std::string& input : PropertyInputs()) {
        SCOPED_TRACE(index++);
        const int32_t step = 0;
        Base64Codec lines(true);
        Base64Codec plain(false);
        QuotedPrintableCodec text(false);
        QuotedPrintableCodec binary(true);
        for (TransferCodec* codec :
             {static_cast<TransferCodec*>(&lines), static_cast<TransferCodec*>(&plain),
              static_cast<TransferCodec*>(&text), static_cast<TransferCodec*>(&binary)}) {
            ExpectBoundedAtEveryCapacity(*codec, input, true, step);
            ExpectBoundedAtEveryCapacity(*codec, input, false, step);
        }
    }
}

TEST(EncodedWordProperties, BoundAndRoundTrip) {
    const std::string charsets[] = {"x",
                                    "iso-8859-1",
                                    "UTF-8",
                                    "utf8",
                                    "windows-1252",
                                    std::string(40, 'c'),
                                    std::string(kMaxEncodedWordCharsetLength, 'c')};
    int index = 0;
    for (const std::string& input : PropertyInputs()) {
        for (const std::string& charset : charsets) {
            for (const char letter : {'B', 'Q'}) {
                SCOPED_TRACE(std::to_string(index) + " " + charset + " " + letter);
                EncodedWordCodec codec;
                codec.charset = charset;
                codec.letter = letter;
                const std::string encoded = EncodeAll(codec, input);
                for (size_t start = 0; start < encoded.size();) {
                    const size_t space = encoded.find(' ', start);
                    const size_t end = space == std::string::npos ? encoded.size() : space;
                    EXPECT_LE(end - start, 75u);
                    start = end + 1;
                }
                EncodedWordCodec decoder;
                EXPECT_EQ(DecodeAll(decoder, encoded), input);
                ExpectBoundedAtEveryCapacity(codec, input, true, 0);
                ExpectBoundedAtEveryCapacity(codec, encoded, false, 0);
            }
        }
        ++index;
    }
}

TEST(HeaderFieldProperties, EveryKindBoundsAndRoundTrips) {
    const char* fields[] = {"Subject", "From", "Content-Type", "X-Other"};
    int index = 0;
    for (const std::string& input : PropertyInputs()) {
        for (const char* field : fields) {
            for (const std::string charset : {"iso-8859-1", "UTF-8"}) {
                SCOPED_TRACE(std::to_string(index) + " " + field + " " + charset);
                std::unique_ptr<HeaderFieldCodec> codec = CreateHeaderCodec(field);
                codec->charset = charset;
                const std::string encoded = EncodeAll(*codec, input);
                ExpectBoundedAtEveryCapacity(*codec, input, true, 0);
                std::unique_ptr<HeaderFieldCodec> decoder = CreateHeaderCodec(field);
                const std::string decoded = DecodeAll(*decoder, encoded);
                if (input.find("=?") == std::string::npos &&
                    input.find('\r') == std::string::npos &&
                    input.find('\n') == std::string::npos) {
                    // Without folds to rewrite or literal words, the value comes back.
                    if (!codec->IsBreakChar(',') && !codec->IsBreakChar(';')) {
                        EXPECT_EQ(decoded, input) << encoded;
                    }
                }
                ExpectBoundedAtEveryCapacity(*decoder, encoded, false, 0);
            }
        }
        ++index;
    }
}

}  // namespace
}  // namespace vellumo::test
