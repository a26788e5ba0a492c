#include "driver/explain.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "checks/input_fields.h"
#include "driver/input_records.h"
#include "report/formatted.h"
#include "report/input_echo.h"
#include "report/messages.h"

namespace bearingpad {

namespace {

bool printable(char c) {
    return c >= ' ' && c <= '~';
}

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The shortest decimal that reads back as the same 32-bit real, with a point
// always; exponent form only for values the fixed form would bury in zeros.
std::string real_text(float v) {
    if (!std::isfinite(v)) return std::isnan(v) ? "NaN" : (v > 0 ? "infinity" : "-infinity");
    const float a = std::fabs(v);
    const bool scientific = a != 0 && (a < 1e-5f || a >= 1e9f);
    std::string s = shortest_text(v, scientific ? ShortestForm::scientific : ShortestForm::fixed);
    if (!scientific && s.find('.') == std::string::npos) s += ".0";
    return s;
}

std::string with_unit(const std::string& value, const std::string& unit) {
    return unit.empty() ? value : value + " " + unit;
}

// Characters outside printable ASCII, a tab included, shown as "?" so that
// every column stays under its ruler column.
std::string shown(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (!printable(c)) c = '?';
    return out;
}

std::string columns_text(int first, int last) {
    if (first == 0) return std::string();
    if (first == last) return std::to_string(first);
    return std::to_string(first) + "-" + std::to_string(last);
}

std::string closing_message(DesignFlag slot) {
    DesignFlags flags;
    flags.set(slot);
    const std::vector<std::string> texts = closing_message_texts(flags);
    return texts.empty() ? std::string() : texts.front();
}

struct Marks {
    std::vector<ExplainMark>& list;
    void add(int record, int first, int last, const char* kind, std::string text) {
        list.push_back(ExplainMark{record, first, last, kind, std::move(text)});
    }
};

bool same(const InputField& a, const InputField& b) {
    return a.record == b.record && a.first == b.first;
}

bool is(const ExplainedField& e, const InputField& f) {
    return e.record == f.record && e.first_column == f.first;
}

// The field that reads a column of a record, if any.
const InputField* field_at(int record, int column) {
    for (const InputField& f : kInputFields)
        if (f.record == record && column >= f.first && column <= f.last()) return &f;
    return nullptr;
}

// Tabs and other bytes outside printable ASCII within the 80 columns, each
// run of them one mark naming its first bytes (past column 80 nothing is
// read).
void mark_bytes(const ExplainedRecord& r, Marks& marks) {
    const std::string t = r.text.substr(0, kRecordColumns);
    for (std::size_t i = 0; i < t.size();) {
        if (printable(t[i])) {
            ++i;
            continue;
        }
        const bool tab = t[i] == '\t';
        std::size_t j = i;
        std::string bytes;
        while (j < t.size() && !printable(t[j]) && (t[j] == '\t') == tab) {
            if (j - i == 4) bytes += " ...";
            if (j - i >= 4) {
                ++j;
                continue;
            }
            char hex[8];
            std::snprintf(hex, sizeof hex, "%s%02X", bytes.empty() ? "" : " ",
                          static_cast<unsigned>(static_cast<unsigned char>(t[j])));
            bytes += hex;
            ++j;
        }
        const int first = static_cast<int>(i) + 1;
        const int last = static_cast<int>(j);
        const InputField* f = field_at(r.number, first);
        std::string where;
        if (f == nullptr) {
            where = "in a column that is not read";
        } else if (f->form != FieldForm::text) {
            where = std::string("in the ") + f->label + ", which cannot be read";
        } else if (f->width > 1) {
            where = std::string("in the ") + f->label + ", printed as it is";
        } else {
            where = std::string("in the ") + f->label + " column";
        }
        if (tab) {
            marks.add(r.number, first, last, "tab",
                      std::string(last > first ? "tabs " : "a tab ") + where +
                          (last > first ? ": one column each" : ": one column") +
                          ", not the blanks an editor shows");
        } else {
            marks.add(r.number, first, last, "byte",
                      "byte " + bytes + " (not printable ASCII) " + where);
        }
        i = j;
    }
}

// Printable characters in the columns that no field reads, and past column 80.
void mark_unused(const ExplainedRecord& r, Marks& marks) {
    for (const ColumnRange& range : unused_columns(r.number)) {
        const std::string cols = record_columns(r.text, range.first, range.last - range.first + 1);
        int first = 0;
        int last = 0;
        for (int c = range.first; c <= range.last; ++c) {
            const char ch = cols[static_cast<std::size_t>(c - range.first)];
            if (ch == ' ' || !printable(ch)) continue;
            if (first == 0) first = c;
            last = c;
        }
        if (first == 0) continue;
        const std::string typed = record_columns(r.text, first, last - first + 1);
        marks.add(r.number, first, last, "unused_columns",
                  "'" + shown(typed) + "' in " + (first == last ? "column " : "columns ") +
                      columns_text(first, last) + ", which " +
                      (r.number == 1 ? "the title record does not use" : "no field reads") +
                      ": ignored");
    }
    const auto end = r.text.find_last_not_of(' ');
    if (end != std::string::npos && static_cast<int>(end) + 1 > kRecordColumns) {
        const int last = static_cast<int>(end) + 1;
        const bool cut = r.text.size() >= kMaxRecordKept;
        marks.add(r.number, kRecordColumns + 1, last, "long_record",
                  "the record runs to column " + std::string(cut ? "beyond " : "") +
                      std::to_string(last) + ": columns " + columns_text(kRecordColumns + 1, last) +
                      (cut ? " and on" : "") + " are not read");
    }
}

ExplainedField read_field(const InputField& f, const std::string& record) {
    ExplainedField e;
    e.record = f.record;
    e.first_column = f.first;
    e.last_column = f.last();
    e.form = form_text(f);
    e.name = f.name;
    e.label = f.label;
    e.unit = f.unit;
    e.meaning = f.meaning;
    e.typed = record_columns(record, f.first, f.width);
    if (f.form == FieldForm::real || f.form == FieldForm::integer) {
        std::optional<float> v;
        if (f.form == FieldForm::real) {
            v = read_real_field(e.typed, f.decimals);
        } else if (const std::optional<std::int32_t> i = read_integer_field(e.typed)) {
            v = static_cast<float>(*i);
        }
        e.readable = v.has_value();
        e.has_number = e.readable;
        if (v) e.number = *v;
        if (!v) {
            e.value = "unreadable";
        } else if (f.form == FieldForm::real) {
            e.value = with_unit(real_text(*v), f.unit);
        } else {
            e.value = std::to_string(static_cast<std::int32_t>(*v));
        }
    } else {
        e.value = "as typed";
    }
    return e;
}

// The fields of one record as read, the switch characters decoded.
void read_fields(const ExplainedRecord& r, RunMode mode, std::vector<ExplainedField>& out) {
    for (const InputField& f : kInputFields) {
        if (f.record != r.number) continue;
        ExplainedField e = read_field(f, r.text);
        const char c = e.typed[0];
        if (same(f, field::run_mode)) {
            e.value = c == 'A' ? "analysis" : "design";
        } else if (same(f, field::dimension_basis)) {
            e.value = c == 'B' ? "bearing dimensions" : "plate dimensions";
        } else if (same(f, field::hole_count_character)) {
            e.value = c == ' ' ? "blank" : (c >= '0' && c <= '4') ? std::string(1, c) : "rejected";
        } else if (same(f, field::load_plate_count_character)) {
            e.value = c == ' ' ? "0" : (c >= '0' && c <= '2') ? std::string(1, c) : "rejected";
        } else if (same(f, field::beam_type_character)) {
            e.value = c == 'S' ? "steel" : "concrete";
        }
        // The defaults as prepare_pad_data applies them (the thickness is
        // compared after its allowance).
        if (f.rule == DefaultRule::blank && c == ' ') {
            e.default_applied = true;
        } else if (e.has_number && f.rule != DefaultRule::blank) {
            const float compared =
                same(f, field::thickness) ? with_thickness_allowance(e.number) : e.number;
            e.default_applied = default_applies(f, compared, mode);
        }
        if (e.default_applied) {
            e.default_value = f.default_value;
            e.default_text = f.form == FieldForm::real
                                 ? with_unit(real_text(f.default_value), f.unit)
                                 : std::to_string(static_cast<int>(f.default_value));
            e.default_meaning = f.default_meaning;
        }
        out.push_back(std::move(e));
    }
}

const ExplainedField* find(const std::vector<ExplainedField>& fields, const InputField& f) {
    for (const ExplainedField& e : fields)
        if (is(e, f)) return &e;
    return nullptr;
}

// The records again, for the run's own readers.
class RecordsFile : public InputFile {
  public:
    explicit RecordsFile(const Explanation& e) : e_(e) {}
    std::optional<std::string> read_record() override {
        if (next_ >= e_.records.size() || !e_.records[next_].present) return std::nullopt;
        std::string text = e_.records[next_].text;
        if (next_ == 0 && e_.byte_order_mark_skipped) text.insert(0, "\xEF\xBB\xBF");
        ++next_;
        return text;
    }

  private:
    const Explanation& e_;
    std::size_t next_ = 0;
};

// The problem record as the run's readers fill it, and how far they got: a
// record whose fields cannot all be read stops them.
struct RunReading {
    ProblemRecord p;
    bool pad_read = false;
    bool beam_read = false;
};

RunReading read_as_run(const Explanation& e) {
    RunReading run;
    RecordsFile file(e);
    InputRecords in(file, std::string());
    try {
        if (read_title_record(in, run.p) == ReadResult::end_of_input) return run;
        if (read_pad_record(in, run.p) == ReadResult::end_of_input) return run;
        run.pad_read = true;
        read_beam_record(in, run.p);
        run.beam_read = true;
    } catch (const RunTimeFailure&) {
    }
    return run;
}

// Whether a number typed without a decimal point is probably a slip: all
// its digits became decimals (read below 1) in a field whose values are
// usually 1 or more (dimensions in inches and feet), or read below 10 K in a
// load (a reaction typed 1000 for 1000 K reads 1.0 K), or it has fewer digits
// than decimals in a field whose values are usually below 1 (thicknesses,
// covers, camber, deflections), where the implied-decimal style types every
// decimal. An exponent or a point makes the number deliberate.
bool point_less_slip(const InputField& f, const std::string& typed) {
    int digits = 0;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (!(c == ' ' || (digits == 0 && (c == '+' || c == '-')))) {
            return false;
        }
    }
    if (same(f, field::dead_load) || same(f, field::live_load)) return digits <= f.decimals + 1;
    const InputField* usually_one_or_more[] = {&field::width, &field::length,
                                               &field::diameter_of_hole, &field::distance_to_fixity,
                                               &field::design_span};
    for (const InputField* u : usually_one_or_more)
        if (same(f, *u)) return digits <= f.decimals;
    return digits < f.decimals;
}

// Marks on the values of the fields: numbers without a point, unreadable
// fields, switch characters in the wrong case, rejected counts.
void mark_fields(const Explanation& e, bool beam_is_read, Marks& marks) {
    const ExplainedField* holes = find(e.fields, field::hole_count_character);
    const bool holes_rejected = holes != nullptr && holes->value == "rejected";
    for (const ExplainedField& f : e.fields) {
        const InputField* layout = field_at(f.record, f.first_column);
        const char c = f.typed[0];
        const std::string typed = trimmed(f.typed);
        if (!f.readable) {
            marks.add(f.record, f.first_column, f.last_column, "unreadable",
                      "'" + shown(typed) + "' is not a number: " +
                          (f.record == 3 && !beam_is_read
                               ? std::string("the beam record is not read")
                               : "the run ends with input conversion error 64"));
        } else if (layout->form == FieldForm::real && f.number != 0 &&
                   point_less_slip(*layout, typed)) {
            marks.add(f.record, f.first_column, f.last_column, "no_point",
                      "'" + typed + "' typed without a point: read as " + f.value + " (the last " +
                          std::to_string(layout->decimals) + " digits are decimals)");
        }
        if (is(f, field::run_mode) && c == 'a') {
            marks.add(f.record, f.first_column, f.last_column, "switch_case",
                      "lower-case a: a design, not an analysis (only A is an analysis)");
        } else if (is(f, field::dimension_basis) && c == 'b') {
            marks.add(f.record, f.first_column, f.last_column, "switch_case",
                      "lower-case b: properties from the plate dimensions (only B takes the "
                      "bearing dimensions)");
        } else if (is(f, field::beam_type_character) && c == 's') {
            marks.add(f.record, f.first_column, f.last_column, "switch_case",
                      "lower-case s: a concrete beam (only S is a steel beam)");
        } else if (is(f, field::hole_count_character) && f.value == "rejected") {
            marks.add(f.record, f.first_column, f.last_column, "rejected",
                      "'" + shown(f.typed) + "' is not blank or 0 to 4: the problem is rejected, " +
                          closing_message(too_many_holes));
        } else if (is(f, field::load_plate_count_character) && f.value == "rejected") {
            marks.add(f.record, f.first_column, f.last_column, "rejected",
                      "'" + shown(f.typed) + "' is not blank or 0 to 2: " +
                          (holes_rejected ? std::string("rejected (after the hole count)")
                                          : "the problem is rejected, " +
                                                closing_message(too_many_load_plates)));
        }
        // In an analysis the plan and thickness are used as typed.
        if (e.mode == "analysis" && f.has_number && f.number == 0 &&
            (is(f, field::width) || is(f, field::length) || is(f, field::thickness))) {
            marks.add(f.record, f.first_column, f.last_column, "no_value",
                      std::string(f.label) +
                          " 0 in an analysis: no default applies, the report "
                          "is meaningless");
        }
    }
}

// Internal plates without two load plates: set to 0 in a design, rejected in
// an analysis.
void mark_internal_plates(const Explanation& e, RunMode mode, Marks& marks) {
    const ExplainedField* holes = find(e.fields, field::hole_count_character);
    const ExplainedField* plates = find(e.fields, field::load_plate_count_character);
    const ExplainedField* f = find(e.fields, field::internal_plate_count);
    // Rejected pad data is rejected for its first fault only.
    if (f == nullptr || holes->value == "rejected" || plates->value == "rejected") return;
    const int load_plates = plates->value[0] - '0';
    const int count = static_cast<int>(f->number);
    if (load_plates >= 2 || count <= 0) return;
    const std::string what = std::to_string(count) + " internal plate" + (count == 1 ? "" : "s") +
                             " with " + std::to_string(load_plates) + " load plate" +
                             (load_plates == 1 ? "" : "s") + ": ";
    marks.add(
        f->record, f->first_column, f->last_column, "internal_plates",
        mode == RunMode::design
            ? what + "set to 0 (a design has them only between two load plates)"
            : what + "the problem is rejected, " + closing_message(internal_plates_not_allowed));
}

// Values too wide for their field in the input echo, as the echo prints them
// after prepare_pad_data.
void mark_echo(const Explanation& e, const ProblemRecord& p, int record, Marks& marks) {
    for (const InputField& x : kInputFields) {
        if (x.record != record || x.echo.w == 0) continue;
        const float value = p.*x.member.real;
        const ExplainedField* f = find(e.fields, x);
        const std::string printed = edit_real(value, x.echo.w, x.echo.d);
        // Appended piece by piece: GCC 12 sees a false overlap in "F" + std::string
        // at -O2 and refuses it under -Werror.
        std::string form = "F";
        form += std::to_string(x.echo.w);
        form += '.';
        form += std::to_string(x.echo.d);
        if (!std::isfinite(value)) {
            marks.add(f->record, f->first_column, f->last_column, "asterisks",
                      "too large for a 32-bit real: read as infinity, the report is meaningless");
        } else if (printed.find('*') != std::string::npos) {
            marks.add(f->record, f->first_column, f->last_column, "asterisks",
                      with_unit(real_text(value), x.unit) + " does not fit the echo's " + form +
                          ": it shows as " + printed);
        }
    }
}

}  // namespace

Explanation explain_input(InputFile& input) {
    Explanation e;
    for (int n = 1; n <= 3; ++n) {
        ExplainedRecord r;
        r.number = n;
        r.name = record_name(n);
        // Once a record is missing, the file has ended.
        std::optional<std::string> text;
        if (n == 1 || e.records.back().present) text = input.read_record();
        if (text) {
            if (n == 1) e.byte_order_mark_skipped = strip_byte_order_mark(*text);
            r.present = true;
            r.text = std::move(*text);
        }
        e.records.push_back(std::move(r));
    }

    const bool has_pad = e.records[1].present;
    const RunMode mode =
        has_pad && record_columns(e.records[1].text, field::run_mode.first, 1)[0] == 'A'
            ? RunMode::analysis
            : RunMode::design;
    if (has_pad) e.mode = mode == RunMode::analysis ? "analysis" : "design";
    for (const ExplainedRecord& r : e.records)
        if (r.present) read_fields(r, mode, e.fields);

    // How far the run gets: the beam record is read only after accepted pad
    // data, and the echo of a record is written only when all its fields read.
    RunReading run = read_as_run(e);
    DesignFlags flags;
    const bool accepted = run.pad_read && prepare_pad_data(run.p, mode, flags) == PadData::accepted;

    Marks marks{e.marks};
    for (const ExplainedRecord& r : e.records) {
        if (!r.present) continue;
        mark_bytes(r, marks);
        mark_unused(r, marks);
    }
    mark_fields(e, accepted, marks);
    if (has_pad) mark_internal_plates(e, mode, marks);
    if (accepted) {
        mark_echo(e, run.p, 2, marks);
        if (run.beam_read) mark_echo(e, run.p, 3, marks);
    }

    if (!e.records[0].present) {
        marks.add(1, 0, 0, "missing_record", "no record at all: the report is empty");
    } else if (!has_pad) {
        marks.add(2, 0, 0, "missing_record",
                  "no pad record (nor beam record): the report holds the banner and title only");
    } else if (!e.records[2].present) {
        marks.add(3, 0, 0, "missing_record",
                  accepted ? "no beam record: the run ends with failure 24 (end-of-file during "
                             "read) after the pad echo"
                           : "no beam record (the run does not get to it)");
    }

    std::stable_sort(
        e.marks.begin(), e.marks.end(), [](const ExplainMark& a, const ExplainMark& b) {
            return a.record != b.record ? a.record < b.record : a.first_column < b.first_column;
        });
    return e;
}

namespace {

std::string padded(std::string s, std::size_t width) {
    if (s.size() < width) s.resize(width, ' ');
    return s + ' ';
}

void line(std::ostream& out, std::string text) {
    const auto end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    out << text << "\r\n";
}

constexpr std::size_t kRecordWidth = 6;

}  // namespace

void write_explanation(const Explanation& e, std::ostream& out) {
    line(out, "RECORDS AS READ");
    const std::string margin(kRecordWidth + 1, ' ');
    line(out,
         margin +
             "         1         2         3         4         5         6         7         8");
    line(out,
         margin +
             "12345678901234567890123456789012345678901234567890123456789012345678901234567890");
    for (const ExplainedRecord& r : e.records) {
        if (r.present) {
            line(out, padded(r.name, kRecordWidth) + shown(r.text.substr(0, kRecordColumns)));
        } else {
            line(out, padded(r.name, kRecordWidth) + "(no record)");
        }
    }
    if (e.byte_order_mark_skipped)
        line(out, "A UTF-8 byte order mark before the title record is skipped.");
    line(out, "");

    line(out, "FIELDS");
    line(out, padded("record", kRecordWidth) + padded("cols", 5) + padded("form", 5) +
                  padded("field", 25) + padded("typed", 9) + padded("read as", 19) +
                  "default applied");
    for (const ExplainedField& f : e.fields) {
        const std::string typed = "'" + shown(f.form == "A72" ? trimmed(f.typed) : f.typed) + "'";
        line(out, padded(record_name(f.record), kRecordWidth) +
                      padded(columns_text(f.first_column, f.last_column), 5) + padded(f.form, 5) +
                      padded(f.label, 25) + padded(typed, 9) + padded(f.value, 19) +
                      f.default_text);
    }
    line(out, "");

    line(out, "MARKS");
    for (const ExplainMark& m : e.marks) {
        line(out, padded(record_name(m.record), kRecordWidth) +
                      padded(columns_text(m.first_column, m.last_column), 5) + m.text);
    }
    const int n = mark_count(e);
    line(out, n == 0 ? "nothing marked" : std::to_string(n) + (n == 1 ? " mark" : " marks"));
}

int mark_count(const Explanation& e) {
    return static_cast<int>(e.marks.size());
}

}  // namespace bearingpad
