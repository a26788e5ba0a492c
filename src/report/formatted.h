// Fixed-column formatted output and input: the editing of real, integer and
// character fields, and the building of one record from items placed at
// columns. Every byte that goes to the report or comes from an input record is
// edited here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bearingpad {

// Fw.d output editing of a 4-byte real: the exact binary value rounded to d
// decimals (halfway cases to the even digit), a minus sign only when the
// rounded value is not zero, a leading zero only when a column is free for it,
// right-justified in w columns, w asterisks when it does not fit. Infinity and
// NaN print as "Infinity"/"Inf", "-Infinity"/"-Inf" and "NaN" when they fit.
std::string edit_real(float value, int w, int d);

// Iw output editing: at least one digit, minus sign when negative,
// right-justified, w asterisks when it does not fit.
std::string edit_integer(std::int32_t value, int w);

// Aw output editing of a value of len characters.
std::string edit_text(std::string_view value, int w);

// The forms of shortest_text: "0.1875" fixed, "1.5e-06" scientific, plain
// whichever of the two is shorter.
enum class ShortestForm { plain, fixed, scientific };

// The shortest decimal text that reads back as the same 32-bit real, for
// showing a value read or a default as it stands (not for report fields).
std::string shortest_text(float value, ShortestForm form);

// Fw.d input editing of one field (exactly the field's columns, already padded
// with blanks): blanks are ignored, an all-blank field is 0, without a decimal
// point the last d digits are decimals; optional exponent (E, D or Q and a
// signed integer, or a sign and an integer). The result is the 4-byte real
// nearest to the decimal value. Empty result: a conversion error.
std::optional<float> read_real_field(std::string_view field, int d);

// Iw input editing: blanks ignored, all blank is 0, optional sign, digits.
std::optional<std::int32_t> read_integer_field(std::string_view field);

// Columns cut from an input record, counted from 1; the part beyond the end
// of the record reads as blanks.
std::string record_columns(std::string_view record, int first, int width);

// One output record under construction: a buffer of blanks, items placed at
// record columns (column 1 is the carriage-control column on the report
// file). The record's length is the rightmost column written; skipped columns
// inside the record stay blank.
class Record {
  public:
    Record() = default;

    // The carriage-control character of the report file (column 1).
    Record& control(char c);
    // A literal starting in the given column, written as it stands.
    Record& text(int column, std::string_view literal);
    // A real edited Fw.d, starting in the given column.
    Record& real(int column, float value, int w, int d);
    // An integer edited Iw, starting in the given column.
    Record& integer(int column, std::int32_t value, int w);

    // The characters of the record, column 1 first; empty for an empty record.
    const std::string& chars() const { return buffer_; }
    bool empty() const { return buffer_.empty(); }

  private:
    std::string buffer_;
};

}  // namespace bearingpad
