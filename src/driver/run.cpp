#include "driver/run.h"

#include <string>

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
        const std::unique_ptr<OutputSink> report = open_report(input_name, report_field);

        const SolveOutcome outcome = solve(*input, input_name, *report, env_.local_time());
        return outcome.failure ? fail(*outcome.failure) : 0;
    }

    // Creates the report file, or after a "Y" reopens the existing one.
    std::unique_ptr<OutputSink> open_report(const std::string& input_name,
                                            const std::string& report_field) {
        const std::string trimmed = trim_blanks(report_field);
        if (trimmed.empty()) {
            return env_.files.create_report(
                file_name_for_open(console_, env_.files, report_field, report_unit));
        }
        std::unique_ptr<OutputSink> report =
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
    return Run(env).execute();
}

}  // namespace bearingpad
