#include "web/page_run.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "checks/input_fields.h"
#include "driver/bearing_table.h"
#include "driver/command_line.h"
#include "driver/explain.h"
#include "driver/file_access.h"
#include "driver/input_records.h"
#include "report/failure.h"
#include "report/formatted.h"

namespace bearingpad {

namespace {

// The input file over the bytes the page holds; the records are split by the
// same code as a file on disk.
class BytesInputFile : public RecordInputFile {
  public:
    BytesInputFile(std::string_view bytes, const std::string& name)
        : RecordInputFile(name), bytes_(bytes) {}

  protected:
    std::optional<std::size_t> read_some(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, bytes_.size() - pos_);
        std::memcpy(buffer, bytes_.data() + pos_, n);
        pos_ += n;
        return n;
    }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// The report file kept in memory: a write is never refused.
class BytesReportSink : public OutputSink {
  public:
    explicit BytesReportSink(std::string& bytes) : bytes_(bytes) {}
    void write(std::string_view bytes) override { bytes_.append(bytes); }

  private:
    std::string& bytes_;
};

const char* form_name(FieldForm form) {
    switch (form) {
        case FieldForm::real:
            return "real";
        case FieldForm::integer:
            return "integer";
        case FieldForm::text:
            break;
    }
    return "text";
}

const char* rule_name(DefaultRule rule) {
    switch (rule) {
        case DefaultRule::zero:
            return "zero";
        case DefaultRule::blank:
            return "blank";
        case DefaultRule::design_below:
            return "design_below";
        case DefaultRule::none:
            break;
    }
    return "none";
}

// A JSON string of bytes: control characters and bytes 128-255 as \u00XX
// (the Latin-1 character the byte is).
std::string json_string(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string s = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            s += "\\u00";
            s += hex[byte >> 4];
            s += hex[byte & 15];
        } else {
            s += c;
        }
    }
    return s + '"';
}

}  // namespace

std::string input_fields_json() {
    std::string json = "[";
    for (const InputField& f : kInputFields) {
        if (json.size() > 1) json += ',';
        json += "{\"name\":" + json_string(f.name);
        json += ",\"record\":" + std::to_string(f.record);
        json += ",\"first\":" + std::to_string(f.first);
        json += ",\"width\":" + std::to_string(f.width);
        json += ",\"form\":" + json_string(form_name(f.form));
        json += ",\"decimals\":" + std::to_string(f.decimals);
        json += ",\"unit\":" + json_string(f.unit);
        json += ",\"rule\":" + json_string(rule_name(f.rule));
        json += ",\"default\":" + shortest_text(f.default_value, ShortestForm::plain) + "}";
    }
    return json + "]";
}

PageExplanation explain_page_input(std::string_view input, const std::string& input_name) {
    BytesInputFile file(input, input_name);
    const Explanation explanation = explain_input(file);
    std::ostringstream text;
    write_explanation(explanation, text);
    std::string marks = "[";
    for (const ExplainMark& m : explanation.marks) {
        if (marks.size() > 1) marks += ',';
        marks += "{\"record\":" + std::to_string(m.record);
        marks += ",\"first\":" + std::to_string(m.first_column);
        marks += ",\"last\":" + std::to_string(m.last_column);
        marks += ",\"kind\":" + json_string(m.kind);
        marks += ",\"text\":" + json_string(m.text) + "}";
    }
    return {text.str(), mark_count(explanation), marks + "]"};
}

std::string table_row_of_input(std::string_view input, const std::string& mark,
                               const std::string& location, int quantity) {
    try {
        BytesInputFile file(input, mark);
        InputRecords in(file, mark);
        ProblemRecord p;
        if (read_title_record(in, p) == ReadResult::end_of_input ||
            read_pad_record(in, p) == ReadResult::end_of_input) {
            return std::string();
        }
        read_beam_record(in, p);
        return table_row(p, mark, location, quantity);
    } catch (const RunTimeFailure&) {
        return std::string();
    }
}

PageRun run_page(std::string_view input, const std::string& input_name,
                 const std::string& report_name, const std::tm& now, const CriteriaSet* criteria,
                 const Catalog* catalog) {
    PageRun run;
    BytesInputFile file(input, input_name);
    BytesReportSink sink(run.report);
    std::string note;
    if (catalog != nullptr) {
        std::optional<CatalogChoice> chosen;
        run.result = solve_with_catalog(*catalog, file, input_name, sink, now, criteria, chosen);
        if (chosen && !run.result.failure) {
            run.standard = chosen->input;
            run.standard_name = output_name_for(input_name, ".standard.dat");
            note = "; " + run.standard_name;
        }
    } else {
        run.result = solve(file, input_name, sink, now, criteria);
    }
    run.console =
        input_name + ": " + report_name + " " + outcome_summary(run.result) + note + "\r\n";
    if (run.result.failure) run.failure = run.result.failure->line;
    return run;
}

}  // namespace bearingpad
