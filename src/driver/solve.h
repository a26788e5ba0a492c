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
#include "checks/result.h"
#include "driver/file_access.h"
#include "report/failure.h"
#include "report/report_file.h"

namespace bearingpad {

// Reads one problem from the input file (named input_name in a failure) and
// writes its report to the sink, stamped with the given local date and time.
// The report is closed (its pending line feed written and flushed) in every
// case, a failure included; a failure is returned in the result, never thrown.
// With an owner's criteria set, its checks join the result (the report is
// the same with or without it); the set is applied after the solve, so that
// a front end without sets does not carry their code.
Result solve(InputFile& input, const std::string& input_name, OutputSink& report,
             const std::tm& now);
Result solve(InputFile& input, const std::string& input_name, OutputSink& report,
             const std::tm& now, const CriteriaSet* criteria);

// A run-time failure as the result holds it, and back.
FailureData failure_data(const RunTimeFailure& failure);
RunTimeFailure failure_of(const FailureData& data);

// The outcome in a few words, for a line per problem: "written, 2 warnings",
// "written, design not possible: *** DESIGN NOT POSSIBLE ***", "rejected:
// NUMBER OF HOLES CAN NOT BE GREATER THAN 4", "written, the banner only: no
// pad record in the input", "not written: no record in the input", or the
// failure text.
std::string outcome_summary(const Result& result);

// The date "DD-MMM-YY" and time "HH:MM:SS" texts of the banner.
std::string date_text(const std::tm& t);
std::string time_text(const std::tm& t);

}  // namespace bearingpad
