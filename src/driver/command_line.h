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

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver/run.h"

namespace bearingpad {

// Exit statuses of the command line besides 0 and the message numbers.
enum CommandLineStatus : int {
    status_marked = 1,   // --explain marked a probable slip
    status_usage = 2,    // an unknown option, or no file named
    status_refused = 3,  // --table refused a row, or the whole table
};

// One output of a problem written beside its report: its option, the
// extension of its name, its renderer and its rules. A problem's outputs are
// one set, put in place all or none; the usage and the help are built from
// these rows.
struct OutputRow {
    std::string_view option;     // "--json"; empty for the report, always written
    std::string_view extension;  // ".json"
    std::string_view help;       // its lines in the help, '\n' between them
    // The bytes of the output of a problem that ended (solved or rejected),
    // or nothing when it has none. Null for the report, which the solve
    // writes.
    std::optional<std::string> (*render)(const Result& result, const std::string& file);
    // What the problem's line says of it when written ("drawing" gives
    // "; drawing pier3.svg"); empty: nothing.
    std::string_view shown_as;
    // Non-empty: with -y, an earlier file of the name is taken away with the
    // set when the problem has none, so that none of another run stays beside
    // it, and the line says why ("no bearing to draw").
    std::string_view removed_because;
};

// The report first, then each output that an option asks for.
std::span<const OutputRow> output_rows();

// The usage line written after a usage error.
std::string usage_line();

// Runs the command line given its arguments (the program's name left out):
// writes one line per problem on the console, a failure line on the error
// stream for a problem that got no report, and goes on with the next file.
// Returns 0 when every problem got its report and the outputs asked, otherwise
// the message number of the first that did not (10 for an existing report
// that was not replaced); 38 when the console refused a byte (--help and
// --version too).
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
