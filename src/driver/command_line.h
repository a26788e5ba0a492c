// The command line of the program: many problems in one run, each input file
// solved into a report of the same name with the extension ".rpt" beside it,
// and the explanation of how an input file's columns are read.
//
//   bearingpad [-y] FILE...        one report per input file
//   bearingpad --drawing FILE...   and the drawing of each bearing beside it
//   bearingpad [-y] --json --schedule[=CSV] FILE...
//                                  the results as JSON beside the reports, the
//                                  bearing schedule as CSV
//   bearingpad --explain FILE...   the records and fields as the program reads them
//   bearingpad [-y] [--out DIR] [--json] [--drawing] [--schedule[=CSV]] [--types[=CSV]]
//              --table TABLE       each row of a table of bearings written as an
//                                  input file MARK.dat and solved as that file
//   bearingpad --to-table FILE...  the table of the input files
//   bearingpad --help | --version
#pragma once

#include <string>
#include <vector>

#include "driver/run.h"

namespace bearingpad {

// Exit statuses of the command line besides 0 and the message numbers.
enum CommandLineStatus : int {
    status_marked = 1,   // --explain marked a probable slip
    status_usage = 2,    // an unknown option, or no file named
    status_refused = 3,  // --table refused a row, or the whole table
};

// Runs the command line given its arguments (the program's name left out):
// writes one line per problem on the console, a failure line on the error
// stream for a problem that got no report, and goes on with the next file.
// Returns 0 when every problem got its report, otherwise the message number of
// the first that did not (10 for an existing report that was not replaced).
int run_command_line(RunEnvironment& env, const std::vector<std::string>& args);

// The report's name for an input name: its extension, if any, replaced by
// ".rpt" ("pier3.dat" gives "pier3.rpt", "pier3" gives "pier3.rpt").
std::string report_name_for(const std::string& input_name);

// The name of another output of an input file: its extension, if any,
// replaced by the given one (".json").
std::string output_name_for(const std::string& input_name, const std::string& extension);

// The drawing's name: the extension replaced by ".svg".
std::string drawing_name_for(const std::string& input_name);

}  // namespace bearingpad
