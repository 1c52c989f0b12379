#include <gtest/gtest.h>

#include <string>

#include "codec/base64_codec.h"
#include "codec/identity_codec.h"
#include "codec/quoted_printable_codec.h"
#include "codec/transfer_codec_registry.h"
#include "codec_test_support.h"

namespace vellumo::test {
namespace {

enum class Kind { kIdentity, kQuotedPrintable, kBase64 };

Kind KindOf(const TransferCodec& codec) {
    if (dynamic_cast<const QuotedPrintableCodec*>(&codec) != nullptr) {
        return Kind::kQuotedPrintable;
    }
    if (dynamic_cast<const Base64Codec*>(&codec) != nullptr) {
        return Kind::kBase64;
    }
    EXPECT_NE(dynamic_cast<const IdentityCodec*>(&codec), nullptr);
    return Kind::kIdentity;
}

struct LookupCase {
    const char* name;
    const char* encodingName;
    Kind expected;
};

const LookupCase kLookupCases[] = {
    {"null", nullptr, Kind::kIdentity},
    {"empty", "", Kind::kIdentity},
    {"7bit", "7bit", Kind::kIdentity},
    {"8bit", "8bit", Kind::kIdentity},
    {"binary", "binary", Kind::kIdentity},
    {"unknown", "x-unknown", Kind::kIdentity},
    {"base64_upper", "BASE64", Kind::kBase64},
    {"base64", "base64", Kind::kBase64},
    {"qp_mixed_case", "Quoted-Printable", Kind::kQuotedPrintable},
    {"base64_trailing_space", "base64 ", Kind::kBase64},
    {"base64_leading_tab", "\tbase64", Kind::kBase64},
    {"base64_prefix_only", "base6", Kind::kIdentity},
    {"base64_longer", "base64x", Kind::kIdentity},
};

TEST(TransferCodecRegistry, Lookup) {
    for (const LookupCase& test : kLookupCases) {
        SCOPED_TRACE(test.name);
        std::unique_ptr<TransferCodec> codec = CreateTransferCodec(test.encodingName);
        ASSERT_NE(codec, nullptr);
        EXPECT_EQ(KindOf(*codec), test.expected);
    }
}

TEST(TransferCodecRegistry, HoldsExactlyTheTwoStandardNames) {
    EXPECT_STREQ(TransferCodecNameAt(0), "quoted-printable");
    EXPECT_STREQ(TransferCodecNameAt(1), "base64");
    EXPECT_EQ(TransferCodecNameAt(2), nullptr);
    EXPECT_EQ(TransferCodecNameAt(-1), nullptr);
}

TEST(TransferCodecRegistry, CreatedWithTheRegistryOptions) {
    std::unique_ptr<TransferCodec> qp = CreateTransferCodec("quoted-printable");
    std::unique_ptr<TransferCodec> b64 = CreateTransferCodec("base64");
    EXPECT_FALSE(qp->option) << "text mode";
    EXPECT_TRUE(b64->option) << "line breaking";
    EXPECT_EQ(EncodeAll(*b64, "abc"), "YWJj\r\n");
}

std::unique_ptr<TransferCodec> MakeBinaryQp() {
    return std::make_unique<QuotedPrintableCodec>(true);
}

TEST(TransferCodecRegistry, RegisterReplacesIgnoringCaseAndNullRemoves) {
    EXPECT_TRUE(RegisterTransferCodec("X-Test", MakeBinaryQp));
    EXPECT_TRUE(RegisterTransferCodec("x-test", MakeBinaryQp));
    EXPECT_STREQ(TransferCodecNameAt(2), "x-test");
    EXPECT_EQ(TransferCodecNameAt(3), nullptr);
    EXPECT_EQ(KindOf(*CreateTransferCodec("X-TEST")), Kind::kQuotedPrintable);
    EXPECT_TRUE(RegisterTransferCodec("X-TEST", nullptr));
    EXPECT_EQ(KindOf(*CreateTransferCodec("x-test")), Kind::kIdentity);
    EXPECT_EQ(TransferCodecNameAt(2), nullptr);
    EXPECT_FALSE(RegisterTransferCodec(nullptr, MakeBinaryQp));
    EXPECT_FALSE(RegisterTransferCodec("", MakeBinaryQp));
}

TEST(IdentityCodec, CopiesWithinCapacity) {
    IdentityCodec codec;
    const std::string bytes("a\r\n\0\xFF", 5);
    EXPECT_EQ(EncodeAll(codec, bytes), bytes);
    codec.source = "abcdef";
    codec.sourceLength = 6;
    codec.encoding = false;
    EXPECT_EQ(RunWithCapacity(codec, 4), "abcd");
}

}  // namespace
}  // namespace vellumo::test
