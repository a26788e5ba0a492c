// A table of bearings, one row per bearing: CSV (RFC 4180) or TAB-separated,
// UTF-8 with or without a byte order mark, its columns found by their header
// names. Each row becomes the three fixed-column records of an input file,
// written as a careful engineer types them: every value in its field's
// columns, right-justified, with its decimal point. A value that does not
// fit refuses its row; a header that names no column refuses the table.
// Bytes in, rows and refusals out: the command line (--table, --to-table)
// and the page read and write tables through these functions alone.
//
// The columns, in the order --to-table writes them:
//   mark, location, quantity                  the engineer's own
//   problem_number, title                     the title record (A4, A72)
//   mode                                      analysis | design (column 2)
//   dimension_basis                           bearing | plates (column 3)
//   width, length, thickness, ...             the fields of the pad and beam
//   number_of_holes, load_plate_count         records by their names in the
//   beam_type                                 JSON's as_read; steel | concrete
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "checks/input_fields.h"
#include "checks/problem_record.h"

namespace bearingpad {

// What a column of the table holds.
enum class TableColumnKind {
    mark,      // the bearing's mark on the plans
    location,  // abutment, pier or bent, and girder: free text
    quantity,  // how many bearings the row stands for
    field,     // an input field (field below)
    ignored,   // a column the schedule writes as output
};

struct TableColumn {
    const char* name;
    TableColumnKind kind;
    const InputField* field = nullptr;
    // For a switch character: the words for its characters, "" for none
    // (mode: "analysis" is 'A', "design" is blank).
    const char* word = "";        // the word of the set character
    char word_character = ' ';    // the character of that word
    const char* blank_word = "";  // the word of a blank column
};

// Every column the table reads, in the order --to-table writes them, then
// the schedule's output columns, which are ignored on input.
const std::vector<TableColumn>& table_columns();

// The header name reduced for matching: lower case, without blanks and
// underscores ("Dead Load" and "dead_load" are both "deadload").
std::string header_key(std::string_view name);

// One row of the table as three input records.
struct TableRow {
    int row = 0;           // the row number as a spreadsheet shows it (the header is row 1)
    std::string mark;      // as typed, blanks around it removed
    std::string location;  // as typed
    int quantity = 1;
    std::string stem;                    // the file name of its input, without ".dat"
    std::array<std::string, 3> records;  // title, pad and beam, trailing blanks removed
    // The three records as an input file: LF line ends.
    std::string input_file() const;
};

// A row that writes nothing, and why.
struct RowRefusal {
    int row = 0;
    std::string reason;      // "row 7, `dead_load` = 123456.7: at most 99999 K, ..."
    bool same_name = false;  // refused because an earlier row takes its file name
};

struct BearingTable {
    // Set when the whole table is refused (an unknown header, an encoding
    // other than UTF-8, no rows): then nothing is written.
    std::string refused;
    std::vector<TableRow> rows;  // the rows accepted, in order
    std::vector<RowRefusal> refusals;
    // Every record of cells as split, the header first, with its row
    // number: the page keeps a refused row's cells to mend them in place.
    struct Cells {
        int row = 0;
        std::vector<std::string> cells;
    };
    std::vector<Cells> cells;
};

// Reads a table's bytes. table_stem names the inputs of rows without a
// mark: "bridge" gives "bridge-7" for row 7.
BearingTable read_bearing_table(std::string_view bytes, const std::string& table_stem);

// The file name stem of a mark: letters, digits, '-', '_', '.' and '+' kept,
// every run of other characters (blanks, '/', '\', ':', quotes, control
// characters, anything outside ASCII) one '-', none at either end, no '.' at
// either end, at most 64 characters, and a Windows device name (CON, NUL,
// COM1, ...) followed by '_'. Empty when nothing is left.
std::string mark_stem(std::string_view mark);

// The table --to-table writes: its header row (UTF-8 byte order mark, CR LF,
// as the schedule) and one row of an input's fields as read.
std::string table_header();
std::string table_row(const ProblemRecord& as_read, const std::string& mark,
                      const std::string& location, int quantity);

// A value of a real field as the table writes it: the shortest decimal that
// reads back as the same 32-bit value, empty for 0 (a blank field reads 0).
std::string table_real(float value);

// The text of a real in a field of width columns, right-justified, always
// with its decimal point ("12" gives "   12." in F6.4), or empty when it does
// not fit; reason then says why in engineering terms.
std::string field_text(std::string_view cell, const InputField& f, std::string& reason);

}  // namespace bearingpad
