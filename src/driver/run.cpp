#include "driver/run.h"

#include <algorithm>
#include <string>

#include "driver/whole_file.h"

namespace bearingpad {

namespace {

// The console device named in failures of the console unit.
constexpr const char* kConsoleName = "CON";
constexpr std::size_t kFileNameLength = 24;
// The most of one typed line that the console keeps: far more than any file
// name that a system takes, so a real line is kept whole.
constexpr std::size_t kConsoleLineKept = 64 * 1024;

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

    // One typed line, CR LF or LF ended; end of input is run-time failure 24
    // on the given unit. A line is kept up to kConsoleLineKept characters and
    // the rest of it, however long, is read and dropped; cut says so.
    struct TypedLine {
        std::string text;
        bool cut = false;
    };
    TypedLine read_typed_line(int unit, const std::string& file) {
        TypedLine line;
        std::istream& in = env_.console_in;
        char c;
        bool any = false;
        std::size_t length = 0;  // characters before the LF
        char last = 0;
        while (in.get(c)) {
            any = true;
            if (c == '\n') break;
            ++length;
            last = c;
            if (line.text.size() <= kConsoleLineKept) line.text += c;
        }
        if (!any) throw RunTimeFailure{failure_end_of_file, unit, file};
        if (last == '\r') --length;  // a CR before the LF ends the line
        line.cut = length > kConsoleLineKept;
        line.text.resize(std::min(length, kConsoleLineKept));
        return line;
    }

    // A line of which only the first columns are used.
    std::string read_line(int unit, const std::string& file) {
        return read_typed_line(unit, file).text;
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
        const Console::TypedLine line = console.read_typed_line(unit, std::string());
        // The whole line is the name: one longer than the console keeps is
        // never cut into another name, it is refused as no file name.
        if (line.cut) {
            const std::size_t first = line.text.find_first_not_of(' ');
            const std::string kept = line.text.substr(first == std::string::npos ? 0 : first);
            throw RunTimeFailure{failure_file_name, unit, files.absolute_name(kept)};
        }
        name = trim_blanks(line.text);
    }
    return files.absolute_name(name);
}

class Run {
  public:
    explicit Run(RunEnvironment& env) : env_(env), console_(env) {}

    int execute() {
        try {
            return problem();
        } catch (const Stop&) {
            return 0;
        } catch (const RunTimeFailure& failure) {
            return fail(failure);
        }
    }

  private:
    int problem() {
        console_.prompt(" ENTER INPUT FILE NAME:");
        const std::string input_field = console_.read_file_name();
        console_.prompt(" ENTER OUTPUT FILE NAME:");
        const std::string report_field = console_.read_file_name();

        const std::string input_name =
            file_name_for_open(console_, env_.files, input_field, input_unit);
        const std::unique_ptr<InputFile> input = env_.files.open_input(input_name);
        const std::unique_ptr<WholeFile> report = open_report(input_name, report_field);

        const Result result = solve(*input, input_name, *report, env_.local_time());
        // The report is put in place as the run ends, after a failure too,
        // holding what was written before it; a replaced report that was
        // given no byte stays as it was, a new one is left empty.
        if (!report->replaces() || report->written()) {
            try {
                report->commit();
            } catch (const RunTimeFailure& failure) {
                if (!result.failure) return fail(failure);
            }
        }
        return result.failure ? fail(failure_of(*result.failure)) : 0;
    }

    // Creates the report file, or after a "Y" opens the existing one to be
    // replaced.
    std::unique_ptr<WholeFile> open_report(const std::string& input_name,
                                           const std::string& report_field) {
        const std::string trimmed = trim_blanks(report_field);
        if (trimmed.empty()) {
            return open_whole_file(
                env_.files, file_name_for_open(console_, env_.files, report_field, report_unit),
                false, false);
        }
        std::unique_ptr<WholeFile> report =
            open_report_file(env_.files, input_name, env_.files.absolute_name(trimmed), [this] {
                console_.list_directed(
                    "OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? "
                    "(Y/N) ");
                const std::string answer = console_.read_line(console_unit, kConsoleName);
                const char overwrite_answer = answer.empty() ? ' ' : answer.front();
                return overwrite_answer == 'Y' || overwrite_answer == 'y';
            });
        if (!report) {
            console_.list_directed("EXITING PROGRAM");
            throw Stop{};
        }
        return report;
    }

    int fail(const RunTimeFailure& failure) {
        env_.error_out << failure_line(failure);
        env_.error_out.flush();
        return failure.number;
    }

    RunEnvironment& env_;
    Console console_;
};

}  // namespace

int run(RunEnvironment& env) {
    const int status = Run(env).execute();
    return standard_streams_failed(env) && status == 0 ? failure_write : status;
}

bool standard_streams_failed(RunEnvironment& env) {
    env.console_out.flush();
    const bool out_failed = !env.console_out;
    if (out_failed) {
        env.error_out << failure_line(RunTimeFailure{failure_write, console_unit, kConsoleName});
    }
    env.error_out.flush();
    return out_failed || !env.error_out;
}

}  // namespace bearingpad
