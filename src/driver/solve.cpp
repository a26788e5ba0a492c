#include "driver/solve.h"

#include <array>
#include <cstdio>

#include "checks/checks.h"
#include "driver/input_records.h"
#include "report/input_echo.h"
#include "report/messages.h"
#include "report/presults.h"
#include "results/result_text.h"

namespace bearingpad {

namespace {

// The problem, record by record, with the report written as it goes: the
// banner after the title record, the mode lines after the pad record, then
// either the closing message of rejected pad data or the echo, the beam
// record, the check sequence of the mode, the construction details and the
// output data section. The result follows each step, so that a failure keeps
// what was read.
void solve_problem(InputRecords& in, ReportFile& report, const std::tm& now, Result& result) {
    const std::string run_time = time_text(now);
    const std::string run_date = date_text(now);
    DesignFlags flags;
    ProblemRecord& p = result.used;
    auto keep_read = [&] {
        result.records = in.records();
        result.as_read = p;
    };
    if (read_title_record(in, p) == ReadResult::end_of_input) return;
    keep_read();
    write_banner(report, run_date, p.problem_number, run_time, p.title);
    result.report_written = true;
    if (read_pad_record(in, p) == ReadResult::end_of_input) return;
    keep_read();
    result.mode = run_mode_of(p);
    result.pad_record_read = true;
    write_mode_lines(report, result.mode);

    if (prepare_pad_data(p, result.mode, flags) == PadData::accepted) {
        write_pad_echo(report, p);
        read_beam_record(in, p);
        result.records = in.records();
        for (const InputField& f : kInputFields) {
            if (f.record == 3) copy_field(f, p, result.as_read);
        }
        result.as_read.beam_type = p.beam_type;
        write_design_data_echo(report, p);
        derive_beam_values(p);

        CheckResults results(flags);
        fill_check_results(p, results);
        if (result.mode == RunMode::design) {
            result.design_passes = design(results);
        } else {
            analysis(results);
        }
        // The report and its warnings read the pad as built.
        construction_details(results);
        presults(results, report);
        flags = results.design_flags;
        // The search ends without a design when it runs out of passes or a
        // plate fails in fatigue; accepted pad data set no other slot.
        const bool no_design = flags.is_set(iteration_limit_reached) ||
                               flags.is_set(load_plate_fatigue_failed) ||
                               flags.is_set(internal_plate_fatigue_failed);
        result.end = no_design ? ProblemEnd::design_not_possible : ProblemEnd::solved;
        result.bearing = bearing_of(results);
        result.checks = check_outcomes(results);
        result.warnings = warnings_of(results);
        result.record = results;
        settle_check_verdicts(result);
    } else {
        result.end = ProblemEnd::rejected;
    }
    write_closing_messages(report, flags);
    result.closing_messages = closing_message_texts(flags);
}

}  // namespace

FailureData failure_data(const RunTimeFailure& failure) {
    return FailureData{failure.number, failure.unit, failure.file_name, failure_text(failure),
                       failure_line(failure)};
}

Result solve(InputFile& input, const std::string& input_name, OutputSink& sink, const std::tm& now,
             const CriteriaSet* criteria) {
    Result result = solve(input, input_name, sink, now);
    if (criteria != nullptr) apply_criteria(result, *criteria);
    return result;
}

Result solve(InputFile& input, const std::string& input_name, OutputSink& sink,
             const std::tm& now) {
    Result result;
    ReportFile report(sink);
    InputRecords in(input, input_name);
    try {
        solve_problem(in, report, now, result);
        report.close();
    } catch (const RunTimeFailure& failure) {
        // Connections are closed as at a normal end: the report keeps what
        // was written before the failure.
        try {
            report.close();
        } catch (const RunTimeFailure&) {
        }
        result.records = in.records();
        result.end = ProblemEnd::failure;
        result.failure = failure_data(failure);
    }
    return result;
}

RunTimeFailure failure_of(const FailureData& data) {
    return RunTimeFailure{data.number, data.unit, data.file_name};
}

namespace {

// How the problem ended, as the report says it.
std::string report_summary(const Result& result) {
    auto messages = [&result] {
        std::string text;
        for (const std::string& m : result.closing_messages) text += (text.empty() ? "" : "; ") + m;
        return text;
    };
    const std::size_t warnings = result.warnings.size();
    switch (result.end) {
        case ProblemEnd::no_problem:
            return result.report_written ? "written, the banner only: no pad record in the input"
                                         : "not written: no record in the input";
        case ProblemEnd::rejected:
            return "rejected: " + messages();
        case ProblemEnd::design_not_possible:
            return "written, design not possible: " + messages();
        case ProblemEnd::solved:
            if (warnings == 0) return "written, no warnings";
            return "written, " + std::to_string(warnings) +
                   (warnings == 1 ? " warning" : " warnings");
        case ProblemEnd::failure:
            break;
    }
    return result.failure ? result.failure->text : std::string("failed");
}

}  // namespace

std::string outcome_summary(const Result& result) {
    std::string summary = report_summary(result);
    // The verdict follows a problem that has a bearing: whether it is
    // adequate, and a design's answer (the last bearing tried when none).
    if (result.end == ProblemEnd::solved) {
        summary += " - " + verdict_text(result, verdict_of(result));
    }
    const std::string answer = answer_text(result);
    if (!answer.empty()) summary += (result.end == ProblemEnd::solved ? ". " : " - ") + answer;
    return summary;
}

std::string date_text(const std::tm& t) {
    static constexpr std::array<const char*, 12> kMonths = {
        "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    char buf[16];
    const int month = t.tm_mon >= 0 && t.tm_mon < 12 ? t.tm_mon : 0;
    std::snprintf(buf, sizeof buf, "%02d-%s-%02d", t.tm_mday % 100, kMonths[month],
                  ((t.tm_year + 1900) % 100 + 100) % 100);
    return buf;
}

std::string time_text(const std::tm& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.tm_hour % 100, t.tm_min % 100,
                  t.tm_sec % 100);
    return buf;
}

}  // namespace bearingpad
