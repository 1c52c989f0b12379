// Header values of real messages: every field of every message's top header
// block decodes without a fault, re-encodes within its length bound, and
// decodes back to the same bytes; a sample is checked against decodings
// worked out by hand.

#include <gtest/gtest.h>

#include <dirent.h>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "codec/char_class.h"
#include "codec/encoded_word_codec.h"
#include "codec/header_codec_registry.h"
#include "codec_test_support.h"

namespace vellumo::test {
namespace {

const char kCorpusFolder[] = VELLUMO_TEST_DATA_DIR "/corpus/messages/";

struct RawField {
    std::string name;
    std::string value;  // from after the colon and its blanks to the field's last line end
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The fields of the top header block, continuation lines kept in the value.
std::vector<RawField> TopHeaderFields(const std::string& text) {
    std::vector<RawField> fields;
    size_t position = 0;
    while (position < text.size()) {
        size_t end = text.find('\n', position);
        end = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(position, end - position);
        const size_t next = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            break;
        }
        if ((line[0] == ' ' || line[0] == '\t') && !fields.empty()) {
            fields.back().value += "\r\n" + line;
        } else if (const size_t colon = line.find(':'); colon != std::string::npos) {
            size_t start = colon + 1;
            while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) {
                ++start;
            }
            fields.push_back({line.substr(0, colon), line.substr(start)});
        }
        position = next;
    }
    return fields;
}

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    if (DIR* folder = opendir(kCorpusFolder)) {
        while (dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != ".." && name != "MANIFEST.tsv") {
                files.push_back(name);
            }
        }
        closedir(folder);
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string WithoutSpace(const std::string& text) {
    std::string kept;
    for (const char c : text) {
        if (!HasCharClass(static_cast<unsigned char>(c), CC_SPACE)) {
            kept += c;
        }
    }
    return kept;
}

TEST(HeaderCorpus, EveryFieldDecodesAndSurvivesReencoding) {
    const std::vector<std::string> files = CorpusFiles();
    ASSERT_GT(files.size(), 100u) << "corpus missing under tests/data";
    int withCharset = 0;
    for (const std::string& file : files) {
        for (const RawField& field : TopHeaderFields(ReadFile(kCorpusFolder + file))) {
            SCOPED_TRACE(file + ": " + field.name);
            std::unique_ptr<HeaderFieldCodec> codec = CreateHeaderCodec(field.name);
            const std::string value = DecodeAll(*codec, field.value);
            const std::string charset = codec->charset;
            withCharset += !charset.empty();
            const std::string encoded = EncodeAll(*codec, value);
            if (charset.empty()) {
                EXPECT_EQ(encoded, value);
                continue;
            }
            std::unique_ptr<HeaderFieldCodec> decoder = CreateHeaderCodec(field.name);
            const std::string again = DecodeAll(*decoder, encoded);
            // Folding after separators may change white space, nothing else.
            EXPECT_EQ(WithoutSpace(again), WithoutSpace(value)) << encoded;
            // A value that needs no encoded word is written plain and loses
            // its charset, which then no longer matters.
            if (encoded.find("=?") != std::string::npos) {
                EXPECT_EQ(decoder->charset, charset);
            }
        }
    }
    EXPECT_GT(withCharset, 40);
}

// Encoded words also stand in the headers of nested parts and attached
// messages: every line of every message goes through the decoder.
TEST(HeaderCorpus, EveryLineDecodesWithinBounds) {
    int words = 0;
    for (const std::string& file : CorpusFiles()) {
        const std::string text = ReadFile(kCorpusFolder + file);
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end + 1;
            const std::string line = text.substr(start, end - start);
            start = end;
            if (line.find("=?") == std::string::npos) {
                continue;
            }
            SCOPED_TRACE(file + ": " + line);
            EncodedWordCodec codec;
            DecodeAll(codec, line);
            words += !codec.charset.empty();
        }
    }
    EXPECT_GT(words, 100);
}

struct SampleCase {
    const char* file;
    const char* field;
    std::string value;
    std::string charset;
};

const SampleCase kSamples[] = {
    {"mime4j__intl.msg", "From", "Keith Moore <moore@cs.utk.edu>", "US-ASCII"},
    {"mime4j__intl.msg", "To", "Keld J\xF8rn Simonsen <keld@dkuug.dk>", "ISO-8859-1"},
    {"mime4j__intl.msg", "CC", "Andr\xE9  Pirard <PIRARD@vm1.ulg.ac.be>", "ISO-8859-1"},
    {"mime4j__intl.msg", "Subject", "If you can read this you understand the example... so, cool!",
     "ISO-8859-1"},
    {"mailcore__58", "From", "Vladim\xEDr Solnick\xFD <vs@utia.cas.cz>", "ISO-8859-2"},
    {"mailparser__nodemailer.eml", "Subject",
     "Nodemailer is unicode friendly \xE2\x9C\x94\r\n (1476358788189)", "UTF-8"},
    {"mail__japanese.eml", "Subject",
     "\xE3\x81\xBE\xE3\x81\xBF\xE3\x82\x80\xE3\x82\x81\xE3\x82\x82", "UTF-8"},
    {"mail__bad_encoded_subject.eml", "Subject", "TEST", "NONE"},
    {"flanker__encoded-header.eml", "From", "Foo, Bar <foo.bar@example.com>", "UTF-8"},
};

TEST(HeaderCorpus, HandCheckedDecodings) {
    for (const SampleCase& sample : kSamples) {
        SCOPED_TRACE(std::string(sample.file) + ": " + sample.field);
        const std::vector<RawField> fields =
            TopHeaderFields(ReadFile(std::string(kCorpusFolder) + sample.file));
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&](const RawField& f) { return f.name == sample.field; });
        ASSERT_NE(field, fields.end());
        std::unique_ptr<HeaderFieldCodec> codec = CreateHeaderCodec(field->name);
        EXPECT_EQ(DecodeAll(*codec, field->value), sample.value);
        EXPECT_EQ(codec->charset, sample.charset);
    }
}

}  // namespace
}  // namespace vellumo::test
