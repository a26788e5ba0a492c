// The files of a table of bearings on the command line: the table read
// (--table), each accepted row's input file written whole, and the table of
// existing input files (--to-table). The table's format is bearing_table's.
#pragma once

#include <string>
#include <vector>

#include "driver/bearing_table.h"
#include "driver/run.h"

namespace bearingpad {

// A table read from its file, its refusals written on the error stream.
struct TableRun {
    std::vector<TableRow> rows;      // the rows accepted, in order
    std::vector<std::string> files;  // the input file of each row, as shown: DIR/STEM.dat
    // The rows refused, with the status of each (3, or 10 for a name that an
    // earlier row takes); one entry with row 0 when the whole table was.
    std::vector<std::pair<int, int>> refused;
};

// Reads the table; out_dir is the folder of the rows' files, empty for the
// table's own folder.
TableRun read_table_file(RunEnvironment& env, const std::string& table, const std::string& out_dir);

// Writes a row's input file whole (created, or replaced when replace),
// never over the table; an existing file among it and the outputs beside
// it refuses the row without replace, before anything is written. Returns
// 0, or the message number after its line on the error stream.
int write_row_input(RunEnvironment& env, const std::string& table, const TableRow& row,
                    const std::string& file, const std::vector<std::string>& outputs, bool replace);

// --to-table: the table of the input files on standard output, each row's
// mark the file's name without folder and extension. A file that cannot be
// read, or that lacks one of the three records, has no row (its failure
// line written). Returns 0, or the message number of the first that failed.
int write_table_of(RunEnvironment& env, const std::vector<std::string>& files);

// A name's last part without its extension: "jobs/bridge.csv" gives "bridge".
std::string name_stem(const std::string& name);

}  // namespace bearingpad
