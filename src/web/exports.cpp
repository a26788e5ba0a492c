// The entry points the page calls through the module's ccall: plain C
// functions over the module's memory. A run's results stay here until the
// next run; the page copies them out at once.
#include <cmath>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

#include "drawing/bearing_drawing.h"
#include "driver/bearing_table.h"
#include "driver/catalog.h"
#include "driver/criteria_file.h"
#include "report/formatted.h"
#include "results/bearing_types.h"
#include "results/result_json.h"
#include "results/schedule.h"
#include "web/page_run.h"

#ifndef BEARINGPAD_VERSION
#define BEARINGPAD_VERSION "0"
#endif

namespace {

bearingpad::PageRun last_run;
std::string last_input_name;  // the file name the last run was given
std::string last_text;        // the text of the last call below that returns one
bearingpad::PageExplanation last_explanation;
bool last_read_ok = false;
bearingpad::BearingTypes table_types;  // the types of the table schedule being written
// The owner's criteria and the standard pads every run applies, as the
// command line's --criteria and --catalog; none: AASHTO alone, each
// problem's own pad.
std::optional<bearingpad::CriteriaSet> criteria;
std::optional<bearingpad::Catalog> catalog;
bool catalog_used = true;  // false: the runs solve each problem's own pad

// The file of size bytes read into slot for every run after this, or the
// slot emptied for size 0: "" then, or the refusal, the slot as it was.
template <class T>
const char* take(std::optional<T>& slot, const char* bytes, int size,
                 std::optional<T> (*read)(std::string_view, std::string&)) {
    last_text.clear();
    if (size <= 0) {
        slot.reset();
        return last_text.c_str();
    }
    std::optional<T> taken =
        read(std::string_view(bytes, static_cast<std::size_t>(size)), last_text);
    if (taken) {
        slot = std::move(taken);
        last_text.clear();
    } else if (last_text.empty()) {
        last_text = "not read";
    }
    return last_text.c_str();
}

std::string json_cells(const std::vector<std::string>& cells) {
    std::string out = "[";
    for (const std::string& c : cells)
        out += (out.size() > 1 ? "," : "") + bearingpad::json_name(c);
    return out + "]";
}

}  // namespace

extern "C" {

const char* bp_version() {
    return BEARINGPAD_VERSION;
}

// The layout of the input records as JSON (see input_fields_json), for the
// page's form.
const char* bp_input_fields() {
    static const std::string json = bearingpad::input_fields_json();
    return json.c_str();
}

// Solves the size bytes at input; month 1 to 12. Returns the exit status.
int bp_run(const char* input, int size, const char* input_name, const char* report_name, int year,
           int month, int day, int hour, int minute, int second) {
    std::tm now{};
    now.tm_year = year - 1900;
    now.tm_mon = month - 1;
    now.tm_mday = day;
    now.tm_hour = hour;
    now.tm_min = minute;
    now.tm_sec = second;
    last_input_name = input_name;
    last_run =
        bearingpad::run_page(std::string_view(input, size > 0 ? static_cast<std::size_t>(size) : 0),
                             input_name, report_name, now, criteria ? &*criteria : nullptr,
                             catalog && catalog_used ? &*catalog : nullptr);
    return last_run.result.status();
}

// The owner's criteria set of the size bytes of a criteria file (TOML) for
// every run after this; size 0 takes the set away. Returns "" when the set
// is taken, or the line that refuses it ("line 7: ..."), the set before it
// then kept.
const char* bp_set_criteria(const char* text, int size) {
    return take(criteria, text, size, bearingpad::read_criteria);
}

// The set taken, as the verdict names it: "NAME (DOCUMENT, EDITION)", and
// its name alone; or "".
const char* bp_criteria_rules() {
    last_text = criteria ? criteria->rules_text() : std::string();
    return last_text.c_str();
}
const char* bp_criteria_name() {
    last_text = criteria ? criteria->name : std::string();
    return last_text.c_str();
}

// The standard pads of the size bytes of a table (.csv, .tsv) for every run
// after this; size 0 takes the catalog away. Returns "" or the refusal, the
// catalog before it then kept.
const char* bp_set_catalog(const char* bytes, int size) {
    return take(catalog, bytes, size, bearingpad::read_catalog);
}

// 0: the runs after this solve each problem's own pad, the catalog kept for
// later; 1: they use the catalog again.
void bp_use_catalog(int on) {
    catalog_used = on != 0;
}

// How many pad types the catalog taken holds (0: no catalog).
int bp_catalog_pads() {
    return catalog ? static_cast<int>(catalog->pads.size()) : 0;
}

// The last run's standard pad: its type ("" without one), whether it
// passes, and its records, the bytes of NAME.standard.dat, with that name.
const char* bp_standard_pad() {
    return last_run.result.standard_pad.c_str();
}
int bp_standard_passes() {
    return last_run.result.standard_pad_passes ? 1 : 0;
}
const char* bp_standard_data() {
    return last_run.standard.data();
}
int bp_standard_size() {
    return static_cast<int>(last_run.standard.size());
}
const char* bp_standard_name() {
    return last_run.standard_name.c_str();
}

const char* bp_report_data() {
    return last_run.report.data();
}
int bp_report_size() {
    return static_cast<int>(last_run.report.size());
}
const char* bp_console() {
    return last_run.console.c_str();
}
const char* bp_failure() {
    return last_run.failure.c_str();
}
// 0 no problem in the input, 1 rejected, 2 solved (a design possible or
// not), 3 run-time failure.
int bp_end() {
    using bearingpad::ProblemEnd;
    switch (last_run.result.end) {
        case ProblemEnd::no_problem:
            return 0;
        case ProblemEnd::rejected:
            return 1;
        case ProblemEnd::solved:
        case ProblemEnd::design_not_possible:
            return 2;
        case ProblemEnd::failure:
            break;
    }
    return 3;
}
int bp_warnings() {
    return static_cast<int>(last_run.result.warnings.size());
}
int bp_design_not_possible() {
    return last_run.result.end == bearingpad::ProblemEnd::design_not_possible ? 1 : 0;
}
int bp_analysis() {
    return last_run.result.mode == bearingpad::RunMode::analysis ? 1 : 0;
}

// The result of the last run as JSON ("bearingpad-result/1", the same text as
// the command line's --json), and its schedule lines, the header and the row,
// named by the run's file name: the same bytes as --schedule writes.
const char* bp_result_json() {
    last_text = bearingpad::result_json(last_run.result, last_input_name);
    return last_text.c_str();
}
const char* bp_schedule_header() {
    last_text = bearingpad::schedule_header();
    return last_text.c_str();
}
const char* bp_schedule_row() {
    last_text = bearingpad::schedule_row(last_run.result, last_input_name);
    return last_text.c_str();
}

// The explanation of the size bytes at input, as --explain writes it; its
// mark count from bp_explain_marks. A refused read cannot happen in memory.
const char* bp_explain(const char* input, int size, const char* input_name) {
    last_explanation = bearingpad::explain_page_input(
        std::string_view(input, size > 0 ? static_cast<std::size_t>(size) : 0), input_name);
    return last_explanation.text.c_str();
}

int bp_explain_marks() {
    return last_explanation.marks;
}

// The marks of the last explanation as JSON (see PageExplanation).
const char* bp_explain_marks_json() {
    return last_explanation.marks_json.c_str();
}

// The value a real field Fw.d of the input file reads as; NaN when it cannot
// be read (the run would end with message 64).
double bp_read_real(const char* field, int d) {
    const std::optional<float> value = bearingpad::read_real_field(field, d);
    last_read_ok = value.has_value();
    return value ? static_cast<double>(*value) : std::numeric_limits<double>::quiet_NaN();
}

// The value an integer field reads as; bp_read_ok tells whether it could be read.
int bp_read_integer(const char* field) {
    const std::optional<std::int32_t> value = bearingpad::read_integer_field(field);
    last_read_ok = value.has_value();
    return value ? *value : 0;
}

int bp_read_ok() {
    return last_read_ok ? 1 : 0;
}

// The drawing of the last run's bearing and its strain chart (SVG, UTF-8);
// empty when the run drew none (no problem, rejected, failure).
const char* bp_drawing_svg() {
    static std::string svg;
    svg = bearingpad::drawing_svg(last_run.result).value_or(std::string());
    return svg.c_str();
}

// A table of bearings read as --table reads it, as JSON:
//   {"refused":"","cells":[{"row":1,"cells":["mark",...]},...],
//    "rows":[{"row":2,"mark":"A1","location":"","quantity":1,"stem":"A1","input":"..."}],
//    "refusals":[{"row":3,"reason":"row 3, ...","same_name":false}]}
// cells holds every record split, the header first; input a row's three
// records as an input file. Rows without a mark are named after stem.
const char* bp_table_read(const char* bytes, int size, const char* stem) {
    using bearingpad::json_name;
    using bearingpad::json_string;
    const bearingpad::BearingTable t = bearingpad::read_bearing_table(
        std::string_view(bytes, size > 0 ? static_cast<std::size_t>(size) : 0), stem);
    last_text = "{\"refused\":" + json_name(t.refused) + ",\"cells\":[";
    for (std::size_t i = 0; i < t.cells.size(); ++i) {
        last_text += (i ? ",{\"row\":" : "{\"row\":") + std::to_string(t.cells[i].row) +
                     ",\"cells\":" + json_cells(t.cells[i].cells) + "}";
    }
    last_text += "],\"rows\":[";
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        const bearingpad::TableRow& r = t.rows[i];
        last_text += (i ? ",{\"row\":" : "{\"row\":") + std::to_string(r.row) +
                     ",\"mark\":" + json_name(r.mark) + ",\"location\":" + json_name(r.location) +
                     ",\"quantity\":" + std::to_string(r.quantity) +
                     ",\"stem\":" + json_name(r.stem) +
                     ",\"input\":" + json_string(r.input_file()) + "}";
    }
    last_text += "],\"refusals\":[";
    for (std::size_t i = 0; i < t.refusals.size(); ++i) {
        const bearingpad::RowRefusal& r = t.refusals[i];
        last_text += (i ? ",{\"row\":" : "{\"row\":") + std::to_string(r.row) +
                     ",\"reason\":" + json_name(r.reason) +
                     ",\"same_name\":" + (r.same_name ? "true" : "false") + "}";
    }
    last_text += "]}";
    return last_text.c_str();
}

// A header's name reduced as the table matches it ("Dead Load": "deadload").
const char* bp_header_key(const char* name) {
    last_text = bearingpad::header_key(name);
    return last_text.c_str();
}

// The table --to-table writes: its header, and the row of an input file's
// bytes (empty when --to-table writes none for it).
const char* bp_table_header() {
    last_text = bearingpad::table_header();
    return last_text.c_str();
}
const char* bp_table_row(const char* input, int size, const char* mark, const char* location,
                         int quantity) {
    last_text = bearingpad::table_row_of_input(
        std::string_view(input, size > 0 ? static_cast<std::size_t>(size) : 0), mark, location,
        quantity);
    return last_text.c_str();
}

// The schedule of a table run: bp_table_types_clear before its first row,
// then each row after its run, in order, so that types are lettered as
// --table --schedule letters them.
void bp_table_types_clear() {
    table_types = bearingpad::BearingTypes();
}
const char* bp_table_schedule_header() {
    last_text = bearingpad::table_schedule_header();
    return last_text.c_str();
}
const char* bp_table_schedule_row(const char* mark, const char* location, int quantity) {
    const bearingpad::BearingMark m{mark, location, quantity};
    const std::string type = table_types.add(last_run.result, m);
    last_text = bearingpad::table_schedule_row(m, type, last_run.result, last_input_name);
    return last_text.c_str();
}

}  // extern "C"
