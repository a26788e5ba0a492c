// The bearing schedule: one CSV row per problem (RFC 4180, CR LF line ends),
// for the plans' table of bearings and for spreadsheets. The command line's
// --schedule and the page write it through these two functions, so that
// their bytes are equal. The columns are documented in the README.
#pragma once

#include <string>
#include <vector>

#include "checks/result.h"

namespace bearingpad {

// The header row: a UTF-8 byte order mark (so that a spreadsheet takes the
// file as UTF-8), then the column names, CR LF.
std::string schedule_header();

// The row of one problem, CR LF ended. file is the input file's name as
// given. A problem that has no bearing (rejected, no pad record, a failure)
// has its file, number, title, mode and outcome, and empty cells for the rest.
// The bearing's numbers are as the report prints them: lengths to 4 decimals,
// loads to 1, the governing ratio to 4.
std::string schedule_row(const Result& result, const std::string& file);

// One row of cells, each as csv_cell writes it, CR LF ended.
std::string csv_line(const std::vector<std::string>& cells);

// One cell: quoted (its quotes doubled) when it holds a comma, a quote, a
// control character, or a blank at either end; otherwise as it is.
std::string csv_cell(const std::string& utf8);

}  // namespace bearingpad
