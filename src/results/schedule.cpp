#include "results/schedule.h"

#include <cmath>
#include <optional>
#include <vector>

#include "report/formatted.h"
#include "results/result_text.h"

namespace bearingpad {

namespace {

constexpr const char* kColumns[] = {
    "file",
    "problem_number",
    "title",
    "mode",
    "outcome",
    "verdict",
    "width",
    "length",
    "thickness",
    "number_of_holes",
    "diameter_of_hole",
    "cover_thickness",
    "side_cover",
    "load_plate_count",
    "load_plate_thickness",
    "internal_plate_count",
    "internal_plate_thickness",
    "internal_layer_thickness",
    "elastomer_thickness",
    "dead_load",
    "live_load",
    "governing_check",
    "governing_name",
    "governing_ratio",
    "warnings",
    "rules",
    "standard_pad",
};
constexpr std::size_t kColumnCount = sizeof kColumns / sizeof kColumns[0];

std::string trailing_blanks_removed(const std::string& text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

}  // namespace

std::string csv_line(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        line += csv_cell(cells[i]);
    }
    return line + "\r\n";
}

std::string csv_cell(const std::string& utf8) {
    bool quoted = !utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' ');
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ',' || c == '"' || byte < 0x20 || byte == 0x7F) quoted = true;
    }
    if (!quoted) return utf8;
    std::string cell = "\"";
    for (const char c : utf8) {
        if (c == '"') cell += '"';
        cell += c;
    }
    return cell + '"';
}

std::string schedule_header() {
    return "\xEF\xBB\xBF" + csv_line(std::vector<std::string>(kColumns, kColumns + kColumnCount));
}

std::string schedule_row(const Result& result, const std::string& file) {
    std::vector<std::string> cells;
    cells.reserve(kColumnCount);
    const bool titled = !result.records.empty();
    cells.push_back(name_to_utf8(file));
    cells.push_back(titled ? latin1_to_utf8(trailing_blanks_removed(result.as_read.problem_number))
                           : std::string());
    cells.push_back(titled ? latin1_to_utf8(trailing_blanks_removed(result.as_read.title))
                           : std::string());
    cells.push_back(has_mode(result) ? mode_word(result.mode) : "");
    cells.push_back(outcome_word(result.end));
    const Verdict verdict = verdict_of(result);
    cells.push_back(verdict_words(verdict.word));
    const bool built = result.record && (result.end == ProblemEnd::solved ||
                                         result.end == ProblemEnd::design_not_possible);
    if (built) {
        const Bearing& b = result.bearing;
        for (const float v : {b.width, b.length, b.thickness}) cells.push_back(fixed_text(v, 4));
        cells.push_back(std::to_string(b.number_of_holes));
        cells.push_back(fixed_text(b.diameter_of_hole, 4));
        cells.push_back(fixed_text(b.cover_thickness, 4));
        cells.push_back(fixed_text(b.side_cover, 4));
        cells.push_back(std::to_string(b.load_plate_count));
        cells.push_back(fixed_text(b.load_plate_thickness, 4));
        cells.push_back(std::to_string(b.internal_plate_count));
        cells.push_back(fixed_text(b.internal_plate_thickness, 4));
        cells.push_back(fixed_text(b.internal_layer_thickness, 4));
        cells.push_back(fixed_text(b.elastomer_thickness, 4));
        cells.push_back(fixed_text(result.record->dead_load, 1));
        cells.push_back(fixed_text(result.record->live_load, 1));
        // The governing check of the verdict: none for a bearing that is
        // not evaluated, so that no ratio stands for a check not made.
        const std::string governing = governing_key(result, verdict);
        cells.push_back(governing);
        cells.push_back(governing_name(result, verdict));
        const bool ratio = !governing.empty() && !std::isnan(verdict.governing_ratio);
        cells.push_back(ratio ? fixed_text(verdict.governing_ratio, 4) : "");
    }
    cells.resize(kColumnCount - 3);
    cells.push_back(std::to_string(result.warnings.size()));
    cells.push_back(rules_text(result));
    cells.push_back(result.standard_pad);
    return csv_line(cells);
}

}  // namespace bearingpad
