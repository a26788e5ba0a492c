#include "driver/run.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "checks/checks.h"
#include "driver/input_records.h"
#include "report/input_echo.h"
#include "report/messages.h"
#include "report/presults.h"

namespace bearingpad {

namespace {

// The console device named in failures of the console unit.
constexpr const char* kConsoleName = "CON";
constexpr std::size_t kFileNameLength = 24;
constexpr std::size_t kConsoleLineKept = 4096;

// "EXITING PROGRAM": the run stops at once, silently, with status 0.
struct Stop {};

std::string trim_blanks(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string();
    const std::size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

class Console {
  public:
    explicit Console(RunEnvironment& env) : env_(env) {}

    // A prompt written without ending the line, so the answer follows it.
    void prompt(std::string_view text) {
        env_.console_out << text;
        env_.console_out.flush();
    }

    // A line ended by CR LF.
    void line(std::string_view text) {
        env_.console_out << text << "\r\n";
        env_.console_out.flush();
    }

    // A list-directed line of texts: a leading blank, no separators.
    void list_directed(std::string_view text) { line(std::string(" ").append(text)); }

    // One typed line; end of input is run-time failure 24 on the given unit.
    // Only the first columns of a typed line are ever used; the rest of a
    // line, however long, is read and dropped.
    std::string read_line(int unit, const std::string& file) {
        std::string text;
        std::istream& in = env_.console_in;
        char c;
        bool any = false;
        while (in.get(c)) {
            any = true;
            if (c == '\n') break;
            if (text.size() < kConsoleLineKept) text += c;
        }
        if (!any) throw RunTimeFailure{failure_end_of_file, unit, file};
        if (!text.empty() && text.back() == '\r') text.pop_back();
        return text;
    }

    // A file name of 24 characters: the first 24 of the typed line, shorter
    // lines padded with blanks.
    std::string read_file_name() {
        std::string name = read_line(console_unit, kConsoleName).substr(0, kFileNameLength);
        name.resize(kFileNameLength, ' ');
        return name;
    }

  private:
    RunEnvironment& env_;
};

// The name a file is opened by: leading and trailing blanks removed, made
// absolute against the current directory. A blank name is asked for again.
std::string file_name_for_open(Console& console, FileAccess& files, const std::string& field,
                               int unit) {
    std::string name = trim_blanks(field);
    while (name.empty()) {
        console.line("File name missing or blank - please enter file name");
        console.prompt("UNIT " + std::to_string(unit) + "? ");
        name = trim_blanks(console.read_line(unit, std::string()));
    }
    return files.absolute_name(name);
}

class Run {
  public:
    explicit Run(RunEnvironment& env) : env_(env), console_(env) {}

    int execute() {
        try {
            problem();
            close_report();
        } catch (const Stop&) {
            return 0;
        } catch (const RunTimeFailure& failure) {
            // Connections are closed as at a normal end: the report keeps
            // what was written before the failure.
            try {
                close_report();
            } catch (const RunTimeFailure&) {
            }
            env_.error_out << failure_line(failure);
            env_.error_out.flush();
            return failure.number;
        }
        return 0;
    }

  private:
    void problem() {
        console_.prompt(" ENTER INPUT FILE NAME:");
        const std::string input_field = console_.read_file_name();
        console_.prompt(" ENTER OUTPUT FILE NAME:");
        const std::string report_field = console_.read_file_name();

        const std::string input_name =
            file_name_for_open(console_, env_.files, input_field, input_unit);
        input_file_ = env_.files.open_input(input_name);
        open_report(input_name, report_field);

        const std::tm now = env_.local_time();
        const std::string run_time = time_text(now);
        const std::string run_date = date_text(now);

        InputRecords in(*input_file_, input_name);
        ProblemRecord p;
        if (read_title_record(in, p) == ReadResult::end_of_input) return;
        write_banner(*report_, run_date, p.problem_number, run_time, p.title);
        if (read_pad_record(in, p) == ReadResult::end_of_input) return;
        const RunMode mode = run_mode_of(p);
        write_mode_lines(*report_, mode);

        if (prepare_pad_data(p, mode, flags_) == PadData::accepted) {
            write_pad_echo(*report_, p);
            read_beam_record(in, p);
            write_design_data_echo(*report_, p);
            derive_beam_values(p);

            CheckResults results(flags_);
            fill_check_results(p, results);
            if (mode == RunMode::design) {
                design(results);
            } else {
                analysis(results);
            }
            presults(results, *report_);
        }
        write_closing_messages(*report_, flags_);
    }

    // Creates the report file, or after a "Y" reopens the existing one.
    void open_report(const std::string& input_name, const std::string& report_field) {
        const std::string trimmed = trim_blanks(report_field);
        if (trimmed.empty()) {
            set_report(env_.files.create_report(
                file_name_for_open(console_, env_.files, report_field, report_unit)));
            return;
        }
        const std::string name = env_.files.absolute_name(trimmed);
        if (!env_.files.exists(name)) {
            set_report(env_.files.create_report(name));
            return;
        }
        // Writing the report over the input file would destroy the problem.
        if (env_.files.same_file(input_name, name)) {
            throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
        }
        console_.list_directed(
            "OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) ");
        const std::string answer = console_.read_line(console_unit, kConsoleName);
        const char overwrite_answer = answer.empty() ? ' ' : answer.front();
        if (overwrite_answer != 'Y' && overwrite_answer != 'y') {
            console_.list_directed("EXITING PROGRAM");
            throw Stop{};
        }
        set_report(env_.files.reopen_report(name));
    }

    void set_report(std::unique_ptr<OutputSink> sink) {
        sink_ = std::move(sink);
        report_.emplace(*sink_);
    }

    void close_report() {
        if (report_) report_->close();
    }

    RunEnvironment& env_;
    Console console_;
    DesignFlags flags_;
    std::unique_ptr<InputFile> input_file_;
    std::unique_ptr<OutputSink> sink_;
    std::optional<ReportFile> report_;
};

}  // namespace

int run(RunEnvironment& env) {
    return Run(env).execute();
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
