// An input file explained field by field, before anything is run: the three
// records as the program reads them, each field with its columns, form, the
// text typed and the value read, the default applied, and marks on what is
// probably a slip, each saying what the program will do with it. No report
// is written. The explanation is plain data, so that every front end can
// show it its own way; write_explanation gives the console's text.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "driver/file_access.h"

namespace bearingpad {

// One of the three records.
struct ExplainedRecord {
    int number = 0;    // 1 title, 2 pad, 3 beam
    std::string name;  // "title", "pad", "beam"
    bool present = false;
    // The record as read: a UTF-8 byte order mark before the title record is
    // not part of it; every other byte is, a tab or a CR included.
    std::string text;
};

// One field of a record that is present.
struct ExplainedField {
    int record = 0;
    int first_column = 0;
    int last_column = 0;
    std::string form;     // "F6.4", "A1", "I1", "A4", "A72"
    std::string name;     // the field of the problem record: "width"
    std::string label;    // a few words: "width"
    std::string unit;     // "in", "ft", "K", or empty
    std::string meaning;  // one line
    std::string typed;    // exactly the field's columns, blanks included
    // False when the field cannot be read as a number: the run would end
    // with input conversion error 64.
    bool readable = true;
    bool has_number = false;  // a readable F or I field
    float number = 0;         // its value as read (32-bit real)
    // The value read as text: the shortest decimal that reads back as the
    // same 32-bit real ("0.0014", "12.0"), the count or the switch decoded
    // ("analysis", "steel", "1", "blank", "rejected"), "as typed" for the
    // problem number and title, "unreadable".
    std::string value;
    bool default_applied = false;
    float default_value = 0;
    std::string default_text;     // "3.0 in", "1"; empty when none applies
    std::string default_meaning;  // one line; empty when none applies
};

// What is probably a slip, and what the program will do with it.
struct ExplainMark {
    int record = 0;        // 1 title, 2 pad, 3 beam
    int first_column = 0;  // 0 when the mark is about the whole record
    int last_column = 0;
    // "no_point", "tab", "byte", "unused_columns", "long_record",
    // "missing_record", "asterisks", "switch_case", "unreadable",
    // "rejected", "internal_plates", "no_value".
    std::string kind;
    std::string text;  // a few words
};

struct Explanation {
    std::vector<ExplainedRecord> records;  // always three: title, pad, beam
    bool byte_order_mark_skipped = false;
    std::string mode;                    // "analysis" or "design"; empty without a pad record
    std::vector<ExplainedField> fields;  // record by record, in column order
    std::vector<ExplainMark> marks;      // record by record, in column order
};

// Reads the first three records of the input file (a fourth is not read) and
// explains them. A refused read throws RunTimeFailure like the run does; a
// missing record or an unreadable field is a mark, not a failure.
Explanation explain_input(InputFile& input);

// The explanation as the console prints it: the records under a column
// ruler, the fields one a line, the marks; every line ends with CR LF.
void write_explanation(const Explanation& e, std::ostream& out);

// The number of marks; 0 when nothing is marked.
int mark_count(const Explanation& e);

}  // namespace bearingpad
