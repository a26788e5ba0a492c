// The messages of the report: the warning lines of the failed checks at the
// end of page 5, and the closing messages of a problem that was rejected or
// could not be designed. Both are tables of a condition and the lines it
// writes, taken in order.
#pragma once

#include <string>
#include <vector>

#include "checks/check_results.h"
#include "checks/result.h"
#include "report/report_file.h"

namespace bearingpad {

// One warning line (two for the total rotation) for every check that failed.
// Every comparison is strict: a value equal to its limit passes, and a NaN
// compares false and so writes no warning.
void write_warnings(ReportFile& report, const CheckResults& r);

// One message for every set slot of design_flags.
void write_closing_messages(ReportFile& report, const DesignFlags& flags);

// The warnings that write_warnings writes, in its order, as data.
std::vector<Warning> warnings_of(const CheckResults& r);

// How many checks failed: each writes one warning (the total rotation's two
// lines are one warning).
int warning_count(const CheckResults& r);

// The text of each closing message that write_closing_messages writes, in
// its order; a message of two lines is one text, its lines joined by a blank.
std::vector<std::string> closing_message_texts(const DesignFlags& flags);

}  // namespace bearingpad
