// The texts the result's renderers share: the outcome and mode words, a
// 32-bit real as the shortest text that reads back as the same value, and
// the bytes of the input as Unicode text. The JSON result and the bearing
// schedule write them alike, so that a row and its JSON agree.
#pragma once

#include <string>
#include <string_view>

#include "checks/result.h"

namespace bearingpad {

// "no_problem", "rejected", "solved", "design_not_possible" or "failure".
const char* outcome_word(ProblemEnd end);

// "design" or "analysis".
const char* mode_word(RunMode mode);

// Whether the result has a pad record, and so a mode.
bool has_mode(const Result& result);

// The shortest decimal text that reads back as the same 32-bit real ("12",
// "0.1875", "1e-06"); "Infinity", "-Infinity" or "NaN" for a value that is
// not finite.
std::string number_text(float value);

// A value with d decimals as the report edits it (the exact binary value
// rounded, halfway cases to the even digit), never in asterisks, with its
// leading zero: "2.5000", "0.2500", "100.0"; "Infinity", "NaN".
std::string fixed_text(float value, int d);

// The verdict in one sentence: "adequate: every applying check passes;
// Compressive stress governs at 0.962", "inadequate: 2 checks fail; ...",
// "not evaluated: no total thickness (0 or blank); no load (0 or blank)".
std::string verdict_text(const Result& result, const Verdict& verdict);

// The bearing in one line: "22.25 x 17.00 x 1.125 in, 1 load plate 0.1875 in,
// 1 hole 3.00 in, cover 0.25 in, side cover 0.25 in".
std::string bearing_text(const Bearing& bearing);

// A design's answer: "Designed: " and the bearing for a solved design, "Last
// bearing tried: " and the bearing for an impossible one; otherwise (a
// design that is not evaluated too) empty.
std::string answer_text(const Result& result);

// The bytes as UTF-8: each byte is the Latin-1 character of its value, as
// the report prints it (bytes 128 to 255 become U+0080 to U+00FF).
std::string latin1_to_utf8(std::string_view bytes);

// The length of the well-formed UTF-8 prefix of the bytes (no overlong
// forms, no surrogates, nothing above U+10FFFF): their size when all are.
std::size_t utf8_prefix(std::string_view bytes);

// A file name as UTF-8: kept as it is when it is valid UTF-8 already (the
// names of a POSIX system), otherwise each byte as its Latin-1 character (a
// Windows name in its ANSI code page).
std::string name_to_utf8(std::string_view bytes);

}  // namespace bearingpad
