#include "driver/bearing_table.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>

#include "results/result_text.h"
#include "results/schedule.h"

namespace bearingpad {

namespace {

TableColumn field_column(const char* name, const InputField& f) {
    return TableColumn{name, TableColumnKind::field, &f};
}

TableColumn switch_column(const char* name, const InputField& f, const char* word, char character,
                          const char* blank_word) {
    return TableColumn{name, TableColumnKind::field, &f, word, character, blank_word};
}

// Other names a column is known by: the JSON's as_read names of the switch
// characters and counts.
const std::map<std::string, std::string>& aliases() {
    static const std::map<std::string, std::string> names = {
        {"runmode", "mode"},
        {"holecountcharacter", "number_of_holes"},
        {"loadplatecountcharacter", "load_plate_count"},
        {"beamtypecharacter", "beam_type"},
    };
    return names;
}

// The columns of the schedule that it writes as output; ignored on input.
constexpr const char* kOutputColumns[] = {
    "type",
    "file",
    "outcome",
    "verdict",
    "internal_layer_thickness",
    "elastomer_thickness",
    "governing_check",
    "governing_name",
    "governing_ratio",
    "warnings",
};

constexpr int kMaxQuantity = 9999;

// A cell's blanks at either end removed.
std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// UTF-8 to Latin-1, the bytes of the input file; nothing when a character
// is above U+00FF.
std::optional<std::string> to_latin1(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            bytes += static_cast<char>(b);
        } else if ((b == 0xC2 || b == 0xC3) && i + 1 < utf8.size()) {
            bytes += static_cast<char>(((b & 0x03) << 6) | (utf8[++i] & 0x3F));
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

// The table's records of cells (RFC 4180: a quoted cell may hold the
// separator, quotes doubled and line breaks; a record ends at CR LF, LF or
// CR), each with the row number of its first line as a spreadsheet counts
// rows. Nothing when a quote is never closed; open_row then names its row.
struct Record {
    int row;
    std::vector<std::string> cells;
};
std::optional<std::vector<Record>> split_records(std::string_view text, char separator,
                                                 int& open_row) {
    std::vector<Record> records;
    Record current{1, {std::string()}};
    bool quoted = false;
    bool was_quoted = false;  // the cell began with a quote
    std::size_t i = 0;
    const auto end_record = [&] {
        records.push_back(std::move(current));
        current = Record{records.back().row + 1, {std::string()}};
    };
    while (i < text.size()) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    current.cells.back() += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current.cells.back() += c;
            }
            ++i;
            continue;
        }
        if (c == '"' && current.cells.back().empty() && !was_quoted) {
            quoted = was_quoted = true;
            open_row = current.row;
        } else if (c == separator) {
            current.cells.emplace_back();
            was_quoted = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            end_record();
            was_quoted = false;
        } else {
            current.cells.back() += c;  // a quote inside an unquoted cell is a character
        }
        ++i;
    }
    if (quoted) return std::nullopt;
    if (current.cells.size() > 1 || !current.cells.front().empty() || was_quoted) end_record();
    return records;
}

// The edit distance of two header keys, for the nearest known name.
std::size_t distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()];
}

std::string columns_text(const InputField& f) {
    return f.width == 1 ? "column " + std::to_string(f.first)
                        : "columns " + std::to_string(f.first) + " to " + std::to_string(f.last());
}

std::string unit_text(const InputField& f) {
    return *f.unit ? std::string(" ") + f.unit : std::string();
}

// A number typed in a cell: sign, digits and at most one point, an exponent
// allowed ("1.5E+02"); its digits before and after the point, the exponent
// applied, without leading and trailing zeros.
struct Decimal {
    bool negative = false;
    std::string whole;     // no leading zeros
    std::string fraction;  // no trailing zeros
};
std::optional<Decimal> parse_decimal(std::string_view s) {
    Decimal d;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) d.negative = s[i++] == '-';
    std::string digits;
    int point = -1;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            digits += s[i];
        } else if (s[i] == '.' && point < 0) {
            point = static_cast<int>(digits.size());
        } else {
            break;
        }
    }
    if (digits.empty()) return std::nullopt;
    if (point < 0) point = static_cast<int>(digits.size());
    if (i < s.size()) {
        if (s[i] != 'e' && s[i] != 'E') return std::nullopt;
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        if (i >= s.size()) return std::nullopt;
        int exponent = 0;
        for (; i < s.size(); ++i) {
            if (s[i] < '0' || s[i] > '9') return std::nullopt;
            if (exponent < 1000) exponent = exponent * 10 + (s[i] - '0');
        }
        point += negative ? -exponent : exponent;
    }
    if (point < 0) {
        digits.insert(0, static_cast<std::size_t>(-point), '0');
        point = 0;
    }
    if (point > static_cast<int>(digits.size())) digits.append(point - digits.size(), '0');
    d.whole = digits.substr(0, static_cast<std::size_t>(point));
    d.fraction = digits.substr(static_cast<std::size_t>(point));
    d.whole.erase(0, std::min(d.whole.find_first_not_of('0'), d.whole.size()));
    d.fraction.erase(d.fraction.find_last_not_of('0') + 1);
    return d;
}

// The cell of a row for a column, empty when the table has no such column.
struct RowCells {
    const std::vector<std::string>& cells;
    const std::map<const TableColumn*, std::size_t>& index;
    std::string operator()(const TableColumn& c) const {
        const auto it = index.find(&c);
        return it == index.end() ? std::string() : cells[it->second];
    }
};

// Puts text at a field's columns of a record of blanks.
void place(std::string& record, const InputField& f, const std::string& text) {
    if (record.size() < static_cast<std::size_t>(f.last())) record.resize(f.last(), ' ');
    record.replace(f.first - 1, text.size(), text);
}

// The text for a column's field, or a refusal (reason set).
std::string cell_text(const TableColumn& c, const std::string& cell, std::string& reason) {
    const InputField& f = *c.field;
    const std::string name = std::string("`") + c.name + "`";
    const std::string value = std::string(trimmed(cell));
    if (f.form == FieldForm::real) return field_text(value, f, reason);
    if (f.form == FieldForm::integer) {
        if (value.empty()) return std::string();
        if (value.size() == 1 && value[0] >= '0' && value[0] <= '9') return value;
        reason = "a whole number 0 to 9, the width of " + columns_text(f);
        return std::string();
    }
    if (f.width == 1) {
        // A switch character or a count: its word, blank, or one character
        // typed into its column as it is.
        std::string lower;
        for (const char ch : value)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (value.empty() || (*c.blank_word && lower == c.blank_word)) return " ";
        if (*c.word && lower == c.word) return std::string(1, c.word_character);
        const std::optional<std::string> bytes = to_latin1(value);
        if (bytes && bytes->size() == 1 && (*bytes)[0] != '\n' && (*bytes)[0] != '\r') {
            return *bytes;
        }
        if (*c.word) {
            reason = std::string(c.word) + " or " + c.blank_word + ", or one character for " +
                     columns_text(f);
        } else {
            reason = "a count of one character (" + columns_text(f) + "): blank, or 0 to " +
                     (f.first == field::hole_count_character.first ? "4" : "2");
        }
        return std::string();
    }
    // A text: as typed, trailing blanks aside, in the input file's bytes.
    const std::optional<std::string> bytes = to_latin1(cell);
    if (!bytes) {
        reason = "a character outside Latin-1, which the input file cannot hold";
        return std::string();
    }
    if (bytes->find_first_of("\r\n") != std::string::npos) {
        reason = "a line break; the " + std::string(f.label) + " is one line of " + columns_text(f);
        return std::string();
    }
    std::string text = *bytes;
    text.erase(text.find_last_not_of(' ') + 1);
    if (text.size() > static_cast<std::size_t>(f.width)) {
        reason =
            "at most " + std::to_string(f.width) + " characters, the width of " + columns_text(f);
        return std::string();
    }
    return text;
}

// Windows device names, which no file may take.
bool device_name(std::string_view stem) {
    std::string upper;
    for (const char c : stem.substr(0, stem.find('.'))) {
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.rfind("COM", 0) == 0 || upper.rfind("LPT", 0) == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

std::string lower_ascii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

const std::vector<TableColumn>& table_columns() {
    static const std::vector<TableColumn> columns = [] {
        std::vector<TableColumn> c = {
            {"mark", TableColumnKind::mark},
            {"location", TableColumnKind::location},
            {"quantity", TableColumnKind::quantity},
            field_column("problem_number", field::problem_number),
            field_column("title", field::title),
            switch_column("mode", field::run_mode, "analysis", 'A', "design"),
            switch_column("dimension_basis", field::dimension_basis, "bearing", 'B', "plates"),
            field_column("width", field::width),
            field_column("length", field::length),
            field_column("thickness", field::thickness),
            field_column("number_of_holes", field::hole_count_character),
            field_column("diameter_of_hole", field::diameter_of_hole),
            field_column("cover_thickness", field::cover_thickness),
            field_column("side_cover", field::side_cover),
            field_column("load_plate_count", field::load_plate_count_character),
            field_column("load_plate_thickness", field::load_plate_thickness),
            field_column("internal_plate_count", field::internal_plate_count),
            field_column("internal_plate_thickness", field::internal_plate_thickness),
            switch_column("beam_type", field::beam_type_character, "steel", 'S', "concrete"),
            field_column("distance_to_fixity", field::distance_to_fixity),
            field_column("design_span", field::design_span),
            field_column("dead_load", field::dead_load),
            field_column("live_load", field::live_load),
            field_column("camber", field::camber),
            field_column("dead_load_deflection", field::dead_load_deflection),
            field_column("live_load_deflection", field::live_load_deflection),
        };
        for (const char* name : kOutputColumns) c.push_back({name, TableColumnKind::ignored});
        return c;
    }();
    return columns;
}

std::string header_key(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (c == ' ' || c == '_' || c == '\t') continue;
        key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

std::string TableRow::input_file() const {
    return records[0] + '\n' + records[1] + '\n' + records[2] + '\n';
}

std::string field_text(std::string_view cell, const InputField& f, std::string& reason) {
    const std::string_view value = trimmed(cell);
    if (value.empty()) return std::string();
    const std::optional<Decimal> d = parse_decimal(value);
    if (!d) {
        reason = "not a number";
        return std::string();
    }
    const std::size_t w = static_cast<std::size_t>(f.width);
    const std::string sign = d->negative ? "-" : "";
    std::string text = sign + d->whole + '.' + d->fraction;
    // A zero before the point only where a blank still stands before it, so
    // that a value never runs into the field on its left.
    if (d->whole.empty() && text.size() + 2 <= w) text = sign + "0." + d->fraction;
    if (text.size() <= w) return std::string(w - text.size(), ' ') + text;
    const std::size_t room = w - 1 - sign.size();  // digits beside the point
    if (d->whole.size() > room) {
        reason = std::string(d->negative ? "at least -" : "at most ") + std::string(room, '9') +
                 unit_text(f) + ", the width of " + columns_text(f);
    } else {
        reason = "at most " + std::to_string(room - d->whole.size()) + " decimals" +
                 (d->whole.empty() ? std::string() : " at " + sign + d->whole + unit_text(f)) +
                 ", the width of " + columns_text(f);
    }
    return std::string();
}

std::string mark_stem(std::string_view mark) {
    std::string stem;
    for (const char c : mark) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '+';
        if (kept) {
            stem += c;
        } else if (!stem.empty() && stem.back() != '-') {
            stem += '-';
        }
    }
    const std::size_t first = stem.find_first_not_of("-.");
    stem = first == std::string::npos ? std::string() : stem.substr(first);
    if (stem.size() > 64) stem.resize(64);
    stem.erase(stem.find_last_not_of("-.") + 1);
    if (!stem.empty() && device_name(stem))
        stem.insert(stem.find('.') == std::string::npos ? stem.size() : stem.find('.'), "_");
    return stem;
}

BearingTable read_bearing_table(std::string_view bytes, const std::string& table_stem) {
    BearingTable table;
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        table.refused = "the table is UTF-16: save it as CSV UTF-8 (or TAB-separated UTF-8)";
        return table;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (const std::size_t valid = utf8_prefix(bytes); valid < bytes.size()) {
        const std::string_view before = bytes.substr(0, valid);
        const auto line = 1 + std::count(before.begin(), before.end(), '\n');
        table.refused = "line " + std::to_string(line) +
                        ": not UTF-8 (another encoding): save the table as CSV UTF-8";
        return table;
    }
    const std::string_view first_line = bytes.substr(0, bytes.find_first_of("\r\n"));
    char separator = ',';
    if (first_line.find('\t') != std::string_view::npos) {
        separator = '\t';
    } else if (first_line.find(',') == std::string_view::npos &&
               first_line.find(';') != std::string_view::npos) {
        table.refused =
            "the columns are separated by ';': save the table as CSV (commas) or "
            "TAB-separated";
        return table;
    }
    int open_row = 0;
    const std::optional<std::vector<Record>> records = split_records(bytes, separator, open_row);
    if (!records) {
        table.refused = "row " + std::to_string(open_row) + ": a quote is never closed";
        return table;
    }
    if (records->empty()) {
        table.refused = "the table is empty: no header row";
        return table;
    }
    for (const Record& record : *records) table.cells.push_back({record.row, record.cells});

    // The header: every name a column, matched without regard to case,
    // blanks and underscores; nothing written when one names none.
    const std::vector<TableColumn>& columns = table_columns();
    const std::vector<std::string>& header = records->front().cells;
    std::map<const TableColumn*, std::size_t> index;
    std::vector<bool> blank_named(header.size(), false);
    for (std::size_t i = 0; i < header.size(); ++i) {
        std::string key = header_key(header[i]);
        if (key.empty()) {
            blank_named[i] = true;
            continue;
        }
        if (const auto alias = aliases().find(key); alias != aliases().end()) {
            key = header_key(alias->second);
        }
        const TableColumn* found = nullptr;
        const TableColumn* nearest = nullptr;
        std::size_t nearest_distance = 0;
        for (const TableColumn& c : columns) {
            const std::size_t d = distance(key, header_key(c.name));
            if (d == 0) found = &c;
            if (c.kind != TableColumnKind::ignored && (!nearest || d < nearest_distance)) {
                nearest = &c;
                nearest_distance = d;
            }
        }
        if (!found) {
            table.refused = "`" + std::string(trimmed(header[i])) +
                            "`: no such column; did you mean `" + nearest->name + "`?";
            return table;
        }
        if (index.count(found)) {
            table.refused = "`" + std::string(found->name) + "`: two columns of that name";
            return table;
        }
        if (found->kind != TableColumnKind::ignored) index.emplace(found, i);
    }
    if (records->size() == 1) {
        table.refused = "no bearing rows under the header";
        return table;
    }

    std::map<std::string, int> stems;  // by lower case: names differing in case are one file
    for (std::size_t r = 1; r < records->size(); ++r) {
        const Record& record = (*records)[r];
        std::vector<std::string> cells = record.cells;
        if (std::all_of(cells.begin(), cells.end(),
                        [](const std::string& c) { return trimmed(c).empty(); })) {
            continue;  // an empty row, as spreadsheets write at the end
        }
        const std::string row_name = "row " + std::to_string(record.row);
        const auto refuse = [&](const std::string& reason) {
            table.refusals.push_back({record.row, row_name + reason});
        };
        while (cells.size() > header.size() && trimmed(cells.back()).empty()) cells.pop_back();
        if (cells.size() != header.size()) {
            refuse(": " + std::to_string(cells.size()) + " cells, the header has " +
                   std::to_string(header.size()));
            continue;
        }
        std::string unnamed;
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (blank_named[i] && !trimmed(cells[i]).empty()) unnamed = cells[i];
        }
        if (!unnamed.empty()) {
            refuse(": `" + unnamed + "` in a column without a name");
            continue;
        }
        const RowCells cell{cells, index};
        TableRow row;
        row.row = record.row;
        std::string reason;
        std::array<std::string, 3> records3;
        for (const TableColumn& c : columns) {
            const std::string value = cell(c);
            if (c.kind == TableColumnKind::mark) {
                row.mark = std::string(trimmed(value));
            } else if (c.kind == TableColumnKind::location) {
                row.location = value;
            } else if (c.kind == TableColumnKind::quantity) {
                const std::string_view q = trimmed(value);
                bool whole = !q.empty() && q.size() <= 4 &&
                             q.find_first_not_of("0123456789") == std::string_view::npos;
                if (q.empty()) {
                    row.quantity = 1;
                } else if (whole && std::stoi(std::string(q)) >= 1) {
                    row.quantity = std::stoi(std::string(q));
                } else {
                    reason = ", `quantity` = " + std::string(q) + ": a count of bearings, 1 to " +
                             std::to_string(kMaxQuantity);
                    break;
                }
            } else if (c.kind == TableColumnKind::field) {
                std::string why;
                const std::string text = cell_text(c, value, why);
                if (!why.empty()) {
                    std::string shown = value;
                    for (char& ch : shown) {
                        if (ch == '\n' || ch == '\r') ch = ' ';
                    }
                    reason = ", `" + std::string(c.name) + "` = " + shown + ": " + why;
                    break;
                }
                if (!text.empty()) place(records3[c.field->record - 1], *c.field, text);
            }
        }
        if (!reason.empty()) {
            refuse(reason);
            continue;
        }
        for (std::string& rec : records3) rec.erase(rec.find_last_not_of(' ') + 1);
        row.records = records3;
        row.stem = mark_stem(row.mark);
        if (row.stem.empty()) row.stem = mark_stem(table_stem + "-" + std::to_string(row.row));
        const auto [taken, fresh] = stems.emplace(lower_ascii(row.stem), row.row);
        if (!fresh) {
            table.refusals.push_back({record.row,
                                      row_name + ": " + row.stem + ".dat is written from row " +
                                          std::to_string(taken->second) + ", not written",
                                      true});
            continue;
        }
        table.rows.push_back(std::move(row));
    }
    if (table.rows.empty() && table.refusals.empty()) {
        table.refused = "no bearing rows under the header";
    }
    return table;
}

std::string table_real(float value) {
    if (value == 0 && !std::signbit(value)) return std::string();
    return number_text(value);
}

std::string table_header() {
    std::string line;
    for (const TableColumn& c : table_columns()) {
        if (c.kind == TableColumnKind::ignored) continue;
        if (!line.empty()) line += ',';
        line += c.name;
    }
    return "\xEF\xBB\xBF" + line + "\r\n";
}

std::string table_row(const ProblemRecord& p, const std::string& mark, const std::string& location,
                      int quantity) {
    std::string line;
    const auto add = [&line](const std::string& utf8) {
        if (!line.empty()) line += ',';
        line += csv_cell(utf8);
    };
    add(mark);
    add(location);
    add(std::to_string(quantity));
    for (const TableColumn& c : table_columns()) {
        if (c.kind != TableColumnKind::field) continue;
        const InputField& f = *c.field;
        const FieldMember& m = f.member;
        if (m.text) {
            std::string text = p.*m.text;
            text.erase(text.find_last_not_of(' ') + 1);
            add(latin1_to_utf8(text));
        } else if (m.real) {
            add(table_real(p.*m.real));
        } else if (m.integer) {
            add(p.*m.integer == 0 ? std::string() : std::to_string(p.*m.integer));
        } else {
            const char ch = m.character ? p.*m.character : (p.*m.text4)[0];
            if (*c.word && ch == c.word_character) {
                add(c.word);
            } else if (ch == ' ') {
                add(c.blank_word);
            } else {
                add(latin1_to_utf8(std::string(1, ch)));
            }
        }
    }
    return line + "\r\n";
}

}  // namespace bearingpad
