#pragma once
// One header field of a MIME entity: its name, its decoded value and the
// charset of the value's encoded words.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumo {

class HeaderField {
  public:
    // The name as it stood before the colon (case and white space kept); may be empty.
    std::string name;
    // The value as decoded by the header field codec: encoded words turned into
    // raw bytes, folds (CR LF plus white space) kept.
    std::string value;
    // Charset of the first encoded word read; empty for plain values.
    std::string charset;

    HeaderField() = default;
    HeaderField(std::string_view fieldName, std::string_view fieldValue,
                std::string_view fieldCharset = {});

    // Reads one field from text[0, length). text[length] may be looked at and
    // must exist (it is a CR or a NUL in message text). Returns the bytes
    // consumed up to and including the CR LF that ends the field (or up to
    // `length` when the field's last line runs to the end of the range), or 0
    // when no field can be read. Replaces all three strings and remembers the
    // exact bytes read, so that an unchanged field is written back as it came.
    [[nodiscard]] int ParseLine(const char* text, int length);

    // The value as it stands in the message: the bytes ParseLine read while
    // `value` is unchanged since, else `value`. Parameters and the media
    // type are read from it: encoded words are not allowed there (RFC 2047
    // section 5), and decoding them would make the boundary or the charset
    // differ from what every strict reader sees.
    [[nodiscard]] std::string_view RawValue() const;

    // Where the raw text of the named parameter's value lies in RawValue()
    // (quotes included). The first match wins; false when absent.
    [[nodiscard]] bool FindParameter(std::string_view parameterName, int& offset,
                                     int& length) const;
    // The parameter's value without its enclosing quotes; out becomes empty
    // and the result is false when the parameter is absent.
    bool GetParameter(std::string_view parameterName, std::string& out) const;
    // RawValue() without its parameters (white space before the first ";" removed).
    void GetBareValue(std::string& out) const;

    // Upper bound of what Write needs; never negative, saturates at INT_MAX.
    [[nodiscard]] int GetSize() const;
    // Writes the field line with its CR LF. Returns the bytes written, or 0
    // when the capacity cannot hold the name, ": " and CR LF (or, for a field
    // kept in its read form, the whole line).
    [[nodiscard]] int Write(char* out, int capacity) const;

    // True when the field came from ParseLine and name, value and charset are
    // still what was read: Write then reproduces the bytes read.
    [[nodiscard]] bool HasReadForm() const;
    // Drops the read form, so the field is encoded from its strings.
    void ForgetReadForm();

  private:
    [[nodiscard]] bool ValueAsRead() const;
    void KeepReadForm(const char* line, size_t lineLength, size_t nameLength, size_t valueStart);

    // Exact bytes of the field as read, without the CR LF that ended it.
    std::string readLine_;
    // The decoded value as read, stored only when it differs from its raw bytes.
    std::string readValue_;
    std::string readCharset_;
    size_t readNameLength_ = 0;
    size_t readValueStart_ = 0;
    bool hasReadForm_ = false;
    bool decodedDiffers_ = false;
};

}  // namespace vellumo
