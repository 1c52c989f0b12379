// The ASCII-compatible double-byte codes of Japanese, Korean and Chinese
// mail: Shift_JIS and EUC-JP (JIS X 0208, with the JIS X 0201 katakana),
// EUC-KR (KS X 1001) and EUC-CN (GB 2312). Only the standard sets are read:
// a sequence of a vendor or supplementary extension (NEC and IBM rows of
// Windows' Shift_JIS, JIS X 0212 in EUC-JP, the added Hangul of Windows'
// EUC-KR, GBK) has no character here, and such text is then best passed
// through as its bytes.
#pragma once

#include <string>
#include <string_view>

namespace vellumo {

enum class DoubleByteCode { kShiftJis, kEucJp, kEucKr, kEucCn };

// `bytes` decoded to UTF-8, appended to `out` (null: only checked). False
// as soon as a sequence has no character here or is cut off at the end.
[[nodiscard]] bool DecodeDoubleByteCode(DoubleByteCode code, std::string_view bytes,
                                        std::string* out);

// Well-formed UTF-8 `text` encoded, appended to `out`. False, with `out`
// left partly written, when a character has no form in the code.
[[nodiscard]] bool EncodeShiftJis(std::string_view text, std::string* out);
[[nodiscard]] bool EncodeEucJp(std::string_view text, std::string* out);
[[nodiscard]] bool EncodeEucKr(std::string_view text, std::string* out);
[[nodiscard]] bool EncodeEucCn(std::string_view text, std::string* out);

}  // namespace vellumo
