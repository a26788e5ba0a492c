// One problem solved for the page: the input file's bytes as the page holds
// them, the date and time the page gives, and everything the console program
// would leave behind: the report's bytes, its exit status, its line for the
// problem and its failure line.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "driver/solve.h"

namespace bearingpad {

struct PageRun {
    SolveOutcome outcome;
    std::string report;   // the report file's bytes, empty when nothing was written
    std::string console;  // "NAME: REPORTNAME " and the outcome in a few words, CR LF
    std::string failure;  // the failure line of standard error, CR LF included; or empty
};

// The explanation of an input file as the console's --explain writes it,
// and how many marks it holds.
struct PageExplanation {
    std::string text;
    int marks = 0;
};
PageExplanation explain_page_input(std::string_view input, const std::string& input_name);

// Solves the problem in input, named input_name in a failure line, whose
// report is called report_name on the console line.
PageRun run_page(std::string_view input, const std::string& input_name,
                 const std::string& report_name, const std::tm& now);

}  // namespace bearingpad
