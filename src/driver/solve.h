// One problem solved from an open input file into a report: the three input
// records, the checks or the design search, the output data section and the
// closing messages. Every front end (the console dialogue, the command line,
// the page in a browser) opens its files its own way and then calls this.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "checks/problem_record.h"
#include "driver/file_access.h"
#include "report/failure.h"
#include "report/report_file.h"

namespace bearingpad {

// How a problem ended.
enum class SolveEnd {
    end_of_input,  // no pad record: the report holds the banner at most
    rejected,      // invalid pad data: banner, mode lines and the closing message
    solved,        // the output data section written (a design may not be possible)
    failure,       // a run-time failure: the report keeps what was written before
};

struct SolveOutcome {
    SolveEnd end = SolveEnd::end_of_input;
    RunMode mode = RunMode::design;
    // Failed checks, each one warning of page 5 (the total rotation's two
    // lines are one warning).
    int warnings = 0;
    // The closing messages written after the report, one text per set slot
    // of design_flags (a message of two lines joined by a blank).
    std::vector<std::string> closing_messages;
    std::optional<RunTimeFailure> failure;
    // Whether any record was written: not for an input without a title
    // record, when a new report stays empty and a replaced one keeps its old
    // contents (it is cut only at the first record).
    bool written = false;

    // A design that ended without a design (slots 1, 2 and 9).
    bool design_not_possible() const {
        return end == SolveEnd::solved && !closing_messages.empty();
    }
    // The exit status of the console program: 0, or the message number.
    int status() const { return failure ? failure->number : 0; }
};

// Reads one problem from the input file (named input_name in a failure) and
// writes its report to the sink, stamped with the given local date and time.
// The report is closed (its pending line feed written and flushed) in every
// case, a failure included; a failure is returned, never thrown.
SolveOutcome solve(InputFile& input, const std::string& input_name, OutputSink& report,
                   const std::tm& now);

// The outcome in a few words, for a line per problem: "written, 2 warnings",
// "written, design not possible: *** DESIGN NOT POSSIBLE ***", "rejected:
// NUMBER OF HOLES CAN NOT BE GREATER THAN 4", "written, the banner only: no
// pad record in the input", "not written: no record in the input", or the
// failure text.
std::string outcome_summary(const SolveOutcome& outcome);

// The date "DD-MMM-YY" and time "HH:MM:SS" texts of the banner.
std::string date_text(const std::tm& t);
std::string time_text(const std::tm& t);

}  // namespace bearingpad
