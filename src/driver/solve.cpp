#include "driver/solve.h"

#include <array>
#include <cstdio>

#include "checks/checks.h"
#include "driver/input_records.h"
#include "report/input_echo.h"
#include "report/messages.h"
#include "report/presults.h"

namespace bearingpad {

namespace {

// The problem, record by record, with the report written as it goes: the
// banner after the title record, the mode lines after the pad record, then
// either the closing message of rejected pad data or the echo, the beam
// record, the check sequence of the mode, the construction details and the
// output data section.
void solve_problem(InputRecords& in, ReportFile& report, const std::tm& now,
                   SolveOutcome& outcome) {
    const std::string run_time = time_text(now);
    const std::string run_date = date_text(now);
    DesignFlags flags;
    ProblemRecord p;
    if (read_title_record(in, p) == ReadResult::end_of_input) return;
    write_banner(report, run_date, p.problem_number, run_time, p.title);
    outcome.written = true;
    if (read_pad_record(in, p) == ReadResult::end_of_input) return;
    outcome.mode = run_mode_of(p);
    write_mode_lines(report, outcome.mode);

    if (prepare_pad_data(p, outcome.mode, flags) == PadData::accepted) {
        write_pad_echo(report, p);
        read_beam_record(in, p);
        write_design_data_echo(report, p);
        derive_beam_values(p);

        CheckResults results(flags);
        fill_check_results(p, results);
        if (outcome.mode == RunMode::design) {
            design(results);
        } else {
            analysis(results);
        }
        // The report and its warnings read the pad as built.
        construction_details(results);
        presults(results, report);
        outcome.end = SolveEnd::solved;
        outcome.warnings = warning_count(results);
    } else {
        outcome.end = SolveEnd::rejected;
    }
    write_closing_messages(report, flags);
    outcome.closing_messages = closing_message_texts(flags);
}

}  // namespace

SolveOutcome solve(InputFile& input, const std::string& input_name, OutputSink& sink,
                   const std::tm& now) {
    SolveOutcome outcome;
    ReportFile report(sink);
    InputRecords in(input, input_name);
    try {
        solve_problem(in, report, now, outcome);
        report.close();
    } catch (const RunTimeFailure& failure) {
        // Connections are closed as at a normal end: the report keeps what
        // was written before the failure.
        try {
            report.close();
        } catch (const RunTimeFailure&) {
        }
        outcome.end = SolveEnd::failure;
        outcome.failure = failure;
    }
    return outcome;
}

std::string outcome_summary(const SolveOutcome& outcome) {
    auto messages = [&outcome] {
        std::string text;
        for (const std::string& m : outcome.closing_messages)
            text += (text.empty() ? "" : "; ") + m;
        return text;
    };
    switch (outcome.end) {
        case SolveEnd::end_of_input:
            return outcome.written ? "written, the banner only: no pad record in the input"
                                   : "not written: no record in the input";
        case SolveEnd::rejected:
            return "rejected: " + messages();
        case SolveEnd::solved:
            if (outcome.design_not_possible()) return "written, design not possible: " + messages();
            if (outcome.warnings == 0) return "written, no warnings";
            return "written, " + std::to_string(outcome.warnings) +
                   (outcome.warnings == 1 ? " warning" : " warnings");
        case SolveEnd::failure:
            break;
    }
    return outcome.failure ? failure_text(*outcome.failure) : std::string("failed");
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
