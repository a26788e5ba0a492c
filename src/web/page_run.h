// One problem solved for the page: the input file's bytes as the page holds
// them, the date and time the page gives, and everything the console program
// would leave behind: the report's bytes, its exit status, its line for the
// problem and its failure line.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "checks/criteria.h"
#include "driver/catalog.h"
#include "driver/solve.h"

namespace bearingpad {

struct PageRun {
    Result result;
    std::string report;   // the report file's bytes, empty when nothing was written
    std::string console;  // "NAME: REPORTNAME " and the outcome in a few words, CR LF
    std::string failure;  // the failure line of standard error, CR LF included; or empty
    // With a catalog: the chosen standard pad's three records, the bytes the
    // command line writes as NAME.standard.dat, and that name; both empty
    // when no pad was tried (no catalog, or fewer than three records).
    std::string standard;
    std::string standard_name;
};

// The explanation of an input file as the console's --explain writes it,
// and how many marks it holds.
struct PageExplanation {
    std::string text;
    int marks = 0;
    // The marks as a JSON array, one object a mark in the explanation's order:
    //   {"record":2,"first":4,"last":9,"kind":"no_point","text":"..."}
    // first and last 0 for a mark about the whole record. The form puts
    // each on the field whose columns it covers.
    std::string marks_json;
};
PageExplanation explain_page_input(std::string_view input, const std::string& input_name);

// The layout of the three input records (kInputFields) for the page's form,
// as a JSON array in the table's order, one object a field:
//   {"name":"diameter_of_hole","record":2,"first":25,"width":5,"form":"real",
//    "decimals":4,"unit":"in","rule":"zero","default":3}
// form is "text", "real" or "integer"; rule "none", "zero", "blank" or
// "design_below"; default the shortest decimal that reads back as the 32-bit
// default value.
std::string input_fields_json();

// Solves the problem in input, named input_name in a failure line, whose
// report is called report_name on the console line.
// The row --to-table writes for an input file's bytes: its fields as read,
// with the row's mark, location and quantity; empty when the file ends
// before its pad record (--to-table writes no row then).
std::string table_row_of_input(std::string_view input, const std::string& mark,
                               const std::string& location, int quantity);

// Solved as the command line solves it with --criteria and --catalog (either
// null when not given); with a catalog, the console line ends as the command
// line's does when it writes the chosen pad's records beside the report:
// "; NAME.standard.dat" (the page offers that file to save).
PageRun run_page(std::string_view input, const std::string& input_name,
                 const std::string& report_name, const std::tm& now,
                 const CriteriaSet* criteria = nullptr, const Catalog* catalog = nullptr);

}  // namespace bearingpad
