// The layout of the three input records (title, pad, beam) in one table: for
// every field its record, columns, form, unit and meaning, the member of the
// problem record it is read into, the width it is echoed in, and beside it
// the default that replaces what was read, with its meaning. The readers take
// their columns and members from here, prepare_pad_data its defaults, the
// input echo its widths, the explanation of an input file and the results
// all of them; the page's form takes its columns, units and zero defaults
// from here too (input_fields_json in web/page_run.h).
#pragma once

#include <array>
#include <string>
#include <type_traits>
#include <vector>

#include "checks/problem_record.h"

namespace bearingpad {

// How a field is read: Aw (characters as typed), Fw.d (a real with d implied
// decimals), Iw (an integer).
enum class FieldForm { text, real, integer };

// When the default of a field replaces the value read.
enum class DefaultRule {
    none,
    zero,          // blank or read as exactly 0, in both modes
    blank,         // a blank column (a count character)
    design_below,  // in a design, below kDesignMinimum (the thickness after its allowance)
};

// The member of the problem record that a field is read into: exactly one
// is set, by the field's form (a switch character is a text of one column).
struct FieldMember {
    std::string ProblemRecord::*text = nullptr;  // the title record's texts
    char ProblemRecord::*character = nullptr;    // a switch character
    Text4 ProblemRecord::*text4 = nullptr;       // a switch held as a 4-character text
    float ProblemRecord::*real = nullptr;
    std::int32_t ProblemRecord::*integer = nullptr;
};

// The width and decimals of a real printed in the input echo: a value too
// wide for its field prints as asterisks. 0 for a field not echoed as a real.
struct EchoFormat {
    int w = 0;
    int d = 0;
};

struct InputField {
    const char* name;  // the field of the problem record, or the character decoded into it
    int record;        // 1 title, 2 pad, 3 beam
    int first;         // first column, counted from 1
    int width;         // number of columns
    FieldForm form;
    int decimals;         // d of Fw.d
    const char* unit;     // "in", "ft", "K", or "" for none
    const char* label;    // a few words, for the explanation of an input
    const char* meaning;  // one line
    DefaultRule rule = DefaultRule::none;
    float default_value = 0;           // what replaces the value read, by the rule
    const char* default_meaning = "";  // one line
    FieldMember member{};
    EchoFormat echo{};

    constexpr int last() const { return first + width - 1; }
};

// In a design, a width, length or thickness below this is taken as not given
// (a strict comparison of the 32-bit reals: 0.1 itself stays).
inline constexpr float kDesignMinimum = 0.1f;
// Added to the thickness as read, in both modes; invisible at 4 decimals.
inline constexpr float kThicknessAllowance = 0.00001f;

// The entries of the table, one a field.
template <class Member>
constexpr InputField text_field(const char* name, int record, int first, int width,
                                const char* label, const char* meaning,
                                Member ProblemRecord::*member) {
    InputField f{name, record, first, width, FieldForm::text, 0, "", label, meaning};
    if constexpr (std::is_same_v<Member, std::string>) f.member.text = member;
    if constexpr (std::is_same_v<Member, char>) f.member.character = member;
    if constexpr (std::is_same_v<Member, Text4>) f.member.text4 = member;
    return f;
}
constexpr InputField real_field(const char* name, int record, int first, int width, int decimals,
                                const char* unit, const char* label, const char* meaning,
                                float ProblemRecord::*member, EchoFormat echo) {
    InputField f{name, record, first, width, FieldForm::real, decimals, unit, label, meaning};
    f.member.real = member;
    f.echo = echo;
    return f;
}
constexpr InputField integer_field(const char* name, int record, int first, int width,
                                   const char* label, const char* meaning,
                                   std::int32_t ProblemRecord::*member) {
    InputField f{name, record, first, width, FieldForm::integer, 0, "", label, meaning};
    f.member.integer = member;
    return f;
}
constexpr InputField with_default(InputField f, DefaultRule rule, float value,
                                  const char* meaning) {
    f.rule = rule;
    f.default_value = value;
    f.default_meaning = meaning;
    return f;
}

namespace field {

// Title record. Columns 1-4 are read and not used.
inline constexpr InputField problem_number =
    text_field("problem_number", 1, 5, 4, "problem number",
               "any 4 characters, printed as typed in the banner", &ProblemRecord::problem_number);
inline constexpr InputField title =
    text_field("title", 1, 9, 72, "title", "free title, printed as typed", &ProblemRecord::title);

// Pad record. Columns 1, 22-23, 40-43, 50-55, 57-58 and 64-80 are not read.
inline constexpr InputField run_mode = text_field(
    "run_mode", 2, 2, 1, "mode", "A (upper case only) = analysis; any other character = design",
    &ProblemRecord::run_mode);
inline constexpr InputField dimension_basis =
    text_field("dimension_basis", 2, 3, 1, "dimension basis",
               "B (upper case only) = properties from the bearing dimensions; any other "
               "character = from the plate dimensions when there are load plates",
               &ProblemRecord::dimension_basis);
inline constexpr InputField width = with_default(
    real_field("width", 2, 4, 6, 4, "in", "width", "bearing width", &ProblemRecord::width,
               EchoFormat{7, 4}),
    DefaultRule::design_below, 1.0f, "a design starts its search for the width at 1.0 in");
inline constexpr InputField length = with_default(
    real_field("length", 2, 10, 6, 4, "in", "length", "bearing length", &ProblemRecord::length,
               EchoFormat{7, 4}),
    DefaultRule::design_below, 1.0f, "a design starts its search for the length at 1.0 in");
inline constexpr InputField thickness = with_default(
    real_field("thickness", 2, 16, 6, 4, "in", "thickness", "total bearing thickness",
               &ProblemRecord::thickness, EchoFormat{7, 4}),
    DefaultRule::design_below, 0.50001f, "a design starts at 0.5 in (0.50001 with the allowance)");
inline constexpr InputField hole_count_character =
    with_default(text_field("hole_count_character", 2, 24, 1, "number of holes",
                            "blank or a digit 0 to 4; any other character rejects the problem",
                            &ProblemRecord::hole_count_character),
                 DefaultRule::blank, 1, "a blank column is one hole");
inline constexpr InputField diameter_of_hole = with_default(
    real_field("diameter_of_hole", 2, 25, 5, 4, "in", "hole diameter", "diameter of the hole(s)",
               &ProblemRecord::diameter_of_hole, EchoFormat{7, 4}),
    DefaultRule::zero, 3.0f, "holes of 3.0 in when blank or 0");
inline constexpr InputField cover_thickness = with_default(
    real_field("cover_thickness", 2, 30, 5, 4, "in", "top and bottom cover", "top and bottom cover",
               &ProblemRecord::cover_thickness, EchoFormat{5, 4}),
    DefaultRule::zero, 0.25f, "a cover of 0.25 in when blank or 0");
inline constexpr InputField side_cover =
    with_default(real_field("side_cover", 2, 35, 5, 4, "in", "side cover", "side cover",
                            &ProblemRecord::side_cover, EchoFormat{5, 4}),
                 DefaultRule::zero, 0.25f, "a side cover of 0.25 in when blank or 0");
inline constexpr InputField load_plate_count_character =
    text_field("load_plate_count_character", 2, 44, 1, "number of load plates",
               "blank (none) or a digit 0 to 2; any other character rejects the problem",
               &ProblemRecord::load_plate_count_character);
inline constexpr InputField load_plate_thickness =
    with_default(real_field("load_plate_thickness", 2, 45, 5, 4, "in", "load plate thickness",
                            "thickness of each load plate", &ProblemRecord::load_plate_thickness,
                            EchoFormat{6, 4}),
                 DefaultRule::zero, 0.1875f, "0.1875 in plates when blank or 0");
inline constexpr InputField internal_plate_count = integer_field(
    "internal_plate_count", 2, 56, 1, "number of internal plates",
    "0 to 9, only between two load plates; blank reads 0", &ProblemRecord::internal_plate_count);
inline constexpr InputField internal_plate_thickness =
    with_default(real_field("internal_plate_thickness", 2, 59, 5, 4, "in",
                            "internal plate thickness", "thickness of each internal plate",
                            &ProblemRecord::internal_plate_thickness, EchoFormat{6, 4}),
                 DefaultRule::zero, 0.0747f, "0.0747 in plates when blank or 0");

// Beam record. Columns 1, 23 and 43-80 are not read.
inline constexpr InputField beam_type_character =
    text_field("beam_type_character", 3, 2, 1, "beam type",
               "S (upper case only) = steel beam; any other character = concrete beam",
               &ProblemRecord::beam_type_character);
inline constexpr InputField distance_to_fixity =
    real_field("distance_to_fixity", 3, 3, 7, 4, "ft", "distance to fixity",
               "distance from the bearing to the point of fixity",
               &ProblemRecord::distance_to_fixity, EchoFormat{8, 4});
inline constexpr InputField design_span =
    real_field("design_span", 3, 10, 7, 4, "ft", "design span", "design span of the beam",
               &ProblemRecord::design_span, EchoFormat{8, 4});
inline constexpr InputField dead_load =
    real_field("dead_load", 3, 17, 6, 3, "K", "dead load", "dead load reaction",
               &ProblemRecord::dead_load, EchoFormat{7, 3});
inline constexpr InputField live_load =
    real_field("live_load", 3, 24, 6, 3, "K", "live load", "live load reaction excluding impact",
               &ProblemRecord::live_load, EchoFormat{7, 3});
inline constexpr InputField camber =
    real_field("camber", 3, 30, 5, 3, "in", "camber", "camber of the beam", &ProblemRecord::camber,
               EchoFormat{6, 3});
inline constexpr InputField dead_load_deflection = real_field(
    "dead_load_deflection", 3, 35, 4, 3, "in", "dead load deflection",
    "dead load deflection of the beam", &ProblemRecord::dead_load_deflection, EchoFormat{6, 3});
inline constexpr InputField live_load_deflection = real_field(
    "live_load_deflection", 3, 39, 4, 3, "in", "live load deflection",
    "live load deflection of the beam", &ProblemRecord::live_load_deflection, EchoFormat{6, 3});

}  // namespace field

// Every field of the three records, record by record, in column order.
inline constexpr std::array<InputField, 23> kInputFields = {
    field::problem_number,
    field::title,
    field::run_mode,
    field::dimension_basis,
    field::width,
    field::length,
    field::thickness,
    field::hole_count_character,
    field::diameter_of_hole,
    field::cover_thickness,
    field::side_cover,
    field::load_plate_count_character,
    field::load_plate_thickness,
    field::internal_plate_count,
    field::internal_plate_thickness,
    field::beam_type_character,
    field::distance_to_fixity,
    field::design_span,
    field::dead_load,
    field::live_load,
    field::camber,
    field::dead_load_deflection,
    field::live_load_deflection,
};

// The columns of a record that is at most this long are all read or skipped
// by the layout; any column after it is never read.
inline constexpr int kRecordColumns = 80;

// Copies the member of a field from one problem record to another.
void copy_field(const InputField& f, const ProblemRecord& from, ProblemRecord& to);

// "title", "pad" or "beam".
const char* record_name(int record);

// The form as the layouts write it: "F6.4", "A1", "I1", "A72".
std::string form_text(const InputField& f);

// Whether the default of a field of rule zero or design_below replaces a
// value read (for the thickness: the value after its allowance) in the mode.
bool default_applies(const InputField& f, float value, RunMode mode);

// The thickness as read plus its allowance, rounded as stored.
float with_thickness_allowance(float thickness);

// Column ranges of a record (1 to 80) that no field reads.
struct ColumnRange {
    int first;
    int last;
};
std::vector<ColumnRange> unused_columns(int record);

}  // namespace bearingpad
