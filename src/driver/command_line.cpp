#include "driver/command_line.h"

#include <algorithm>
#include <map>
#include <optional>

#include "drawing/bearing_drawing.h"
#include "driver/catalog.h"
#include "driver/criteria_file.h"
#include "driver/explain.h"
#include "driver/table_files.h"
#include "results/bearing_types.h"
#include "results/result_json.h"
#include "results/schedule.h"

#ifndef BEARINGPAD_VERSION
#define BEARINGPAD_VERSION "unknown"
#endif

namespace bearingpad {

namespace {

constexpr const char* kUsage =
    "usage: bearingpad [-y] [--json] [--drawing] [--schedule[=CSV]] FILE...  |  bearingpad "
    "--explain FILE...  |  bearingpad --help";

constexpr const char* kHelp[] = {
    "usage: bearingpad [-y] FILE...",
    "       bearingpad [-y] [--json] [--drawing] [--schedule[=CSV]] FILE...",
    "       bearingpad [-y] [--out DIR] [--json] [--drawing] [--schedule[=CSV]]",
    "                  [--types[=CSV]] --table TABLE",
    "       bearingpad --to-table FILE...",
    "       bearingpad --explain FILE...",
    "       bearingpad --help | --version",
    "",
    "Designs or checks the elastomeric bearing pad of each input file (AASHTO 1992,",
    "Article 14.4.1, Design Method A) and writes its report beside it, named as the",
    "input file with the extension .rpt: pier3.dat gives pier3.rpt. One line per",
    "problem tells how it ended; a failure line goes to standard error and the run",
    "goes on with the next file. Without arguments the program asks for the names.",
    "",
    "  -y, --replace  replace a report that exists (without it, that problem is",
    "                 refused and its report left as it is)",
    "                 A report is put in place whole when its problem ends: after a",
    "                 failure or an interruption its name keeps what it held. A",
    "                 report already written in the run is not written again.",
    "  --drawing      also write the drawing of the bearing and its strain chart",
    "                 beside the report, as the input file with the extension",
    "                 .svg (one Letter landscape sheet; none for a rejected problem)",
    "  --json         also write the result of each problem as JSON beside its",
    "                 report: pier3.dat gives pier3.json (none for a problem that",
    "                 failed: its name keeps what it held)",
    "  --schedule     write the bearing schedule of all the problems, one CSV row",
    "                 each, on standard output (instead of the line per problem)",
    "  --schedule=CSV the same into the file CSV",
    "  --criteria TOML  also check each bearing against an owner's criteria set",
    "                 (a TOML file; see the README): the JSON, the schedule and the",
    "                 line per problem then give the owner's checks and verdict;",
    "                 the report is the same. A file with a fault is refused, with",
    "                 its line, before anything is written (exit status 2)",
    "  --table TABLE  a table of bearings (CSV or TAB-separated, UTF-8), one row",
    "                 each, columns by name: each row is written as an input file",
    "                 MARK.dat and solved as that file; a row that cannot be",
    "                 written is refused (status 3) and the other rows go on",
    "  --out DIR      the folder of the rows' files (default: the table's)",
    "  --types        with --table: the bearing types, one CSV row each, on",
    "                 standard output; --types=CSV into the file CSV",
    "  --to-table     write the table of the input files on standard output",
    "  --catalog TABLE  standard pads (a table with --table's columns, one pad type",
    "                 a row): each problem's loads and beam with each pad in turn,",
    "                 analysed; the first adequate one's report is written, and its",
    "                 records beside it as NAME.standard.dat",
    "  --explain      write no report: show the three records under a column ruler",
    "                 and how each field is read, and mark probable slips",
    "  --help         this text",
    "  --version      the program's version",
    "  --             the arguments after it are file names",
    "",
    "Exit status: 0 when every problem got its report; otherwise the message number",
    "of the first problem that did not (10: its report exists and was not replaced;",
    "29: the input file does not exist; 64: an unreadable number; ...); 2 for a",
    "wrong option or no file named. With --explain: 0 when nothing was marked, 1",
    "when something was, the message number of the first file that could not be",
    "read.",
};

struct Options {
    bool replace = false;
    bool explain = false;
    bool drawing = false;
    bool help = false;
    bool version = false;
    bool json = false;
    bool schedule = false;
    std::string schedule_file;  // empty: standard output
    std::string criteria_file;  // empty: AASHTO alone
    std::string catalog_file;   // empty: each problem's own pad
    std::string table;          // --table: the table of bearings
    std::string out_dir;        // --out: the folder of its rows' files
    bool types = false;
    std::string types_file;  // empty: standard output
    bool to_table = false;
    std::vector<std::string> files;
};

// The options and file names, or nothing after a usage error (written).
std::optional<Options> parse(RunEnvironment& env, const std::vector<std::string>& args) {
    Options o;
    bool names_only = false;
    bool criteria_next = false;
    std::string* value = nullptr;  // the option that takes the next argument
    for (const std::string& arg : args) {
        if (criteria_next) {
            o.criteria_file = arg;
            criteria_next = false;
        } else if (value) {
            *value = arg;
            value = nullptr;
        } else if (names_only || arg.empty() || arg.front() != '-') {
            o.files.push_back(arg);
        } else if (arg == "--table" || arg == "--out") {
            value = arg == "--table" ? &o.table : &o.out_dir;
        } else if (arg.rfind("--table=", 0) == 0 || arg.rfind("--out=", 0) == 0) {
            (arg[2] == 't' ? o.table : o.out_dir) = arg.substr(arg.find('=') + 1);
        } else if (arg == "--types" || (arg.rfind("--types=", 0) == 0 && arg.size() > 8)) {
            o.types = true;
            o.types_file = arg.size() > 8 ? arg.substr(8) : std::string();
        } else if (arg == "--to-table") {
            o.to_table = true;
        } else if (arg == "--") {
            names_only = true;
        } else if (arg == "-y" || arg == "--replace") {
            o.replace = true;
        } else if (arg == "--drawing") {
            o.drawing = true;
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--schedule") {
            o.schedule = true;
        } else if (arg.rfind("--schedule=", 0) == 0 && arg.size() > 11) {
            o.schedule = true;
            o.schedule_file = arg.substr(11);
        } else if (arg == "--criteria") {
            criteria_next = true;
        } else if (arg.rfind("--criteria=", 0) == 0) {
            o.criteria_file = arg.substr(11);
        } else if (arg == "--catalog") {
            value = &o.catalog_file;
        } else if (arg.rfind("--catalog=", 0) == 0 && arg.size() > 10) {
            o.catalog_file = arg.substr(10);
        } else if (arg == "--explain") {
            o.explain = true;
        } else if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else {
            env.error_out << "bearingpad: unknown option " << arg << "\r\n" << kUsage << "\r\n";
            return std::nullopt;
        }
    }
    if (value == &o.catalog_file) {
        env.error_out << "bearingpad: --catalog needs a file name\r\n" << kUsage << "\r\n";
        return std::nullopt;
    }
    if (criteria_next || (o.criteria_file.empty() &&
                          std::find(args.begin(), args.end(), "--criteria=") != args.end())) {
        env.error_out << "bearingpad: --criteria needs a file name\r\n" << kUsage << "\r\n";
        return std::nullopt;
    }
    if (o.explain && (o.json || o.schedule || o.drawing || !o.criteria_file.empty())) {
        env.error_out << "bearingpad: --explain writes no results\r\n" << kUsage << "\r\n";
        return std::nullopt;
    }
    const char* conflict = nullptr;
    if (value || (!o.table.empty() && !o.files.empty())) {
        conflict = "--table takes one table and no input files";
    } else if (o.to_table && (o.json || o.schedule || o.drawing || o.explain || o.types ||
                              !o.table.empty() || !o.out_dir.empty())) {
        conflict = "--to-table writes the table alone";
    } else if (o.explain && !o.table.empty()) {
        conflict = "--explain takes input files, not a table";
    } else if (o.table.empty() && (o.types || !o.out_dir.empty())) {
        conflict = "--types and --out go with --table";
    } else if (o.types && o.schedule && o.types_file.empty() && o.schedule_file.empty()) {
        conflict = "--schedule and --types cannot both go to standard output";
    }
    if (conflict) {
        env.error_out << "bearingpad: " << conflict << "\r\n" << kUsage << "\r\n";
        return std::nullopt;
    }
    if (o.files.empty() && o.table.empty() && !o.help && !o.version) {
        env.error_out << "bearingpad: no input file named\r\n" << kUsage << "\r\n";
        return std::nullopt;
    }
    return o;
}

class CommandLine {
  public:
    CommandLine(RunEnvironment& env, const Options& options) : env_(env), options_(options) {}

    int execute() {
        int status = 0;
        try {
            if (!options_.criteria_file.empty()) {
                if (const int refused = read_criteria_file()) return refused;
            }
            if (!options_.catalog_file.empty()) {
                if (const int refused = read_catalog_file()) return refused;
            }
            if (!options_.table.empty()) {
                // A table: its rows' input files named, then each row written
                // and solved as that file; the status is the first row's
                // (in table order) that was refused or failed.
                table_ = read_table_file(env_, options_.table, options_.out_dir);
                options_.files = table_.files;
                if (table_.files.empty()) {
                    return std::min_element(table_.refused.begin(), table_.refused.end())->second;
                }
            }
            if (options_.schedule && !open_schedule()) return failure_cannot_overwrite;
            if (options_.types && !open_types()) return failure_cannot_overwrite;
            for (std::size_t i = 0; i < options_.files.size(); ++i) {
                const std::string& file = options_.files[i];
                const int one = options_.explain ? explain_file(file) : solve_file(file, i);
                if (one != 0 && i < table_.rows.size()) {
                    table_.refused.emplace_back(table_.rows[i].row, one);
                }
                // The first failure is the status; a mark only while none failed.
                if (status == 0 || (status == status_marked && one != 0 && one != status_marked)) {
                    status = one;
                }
            }
            if (!table_.refused.empty()) {
                status = std::min_element(table_.refused.begin(), table_.refused.end())->second;
            }
            if (options_.types) write_types(types_.summary());
            if (schedule_) {
                // The schedule is put in place whole once every row is in it.
                try {
                    schedule_->commit();
                } catch (const RunTimeFailure& failure) {
                    throw ScheduleFailure{failure};
                }
            }
        } catch (const ScheduleFailure& f) {
            // The schedule file refused a write: the rest of the run has no row.
            status = fail(f.failure);
        }
        // A line that standard output or standard error refused is a failure.
        if (standard_streams_failed(env_) && (status == 0 || status == status_marked)) {
            status = failure_write;
        }
        return status;
    }

  private:
    struct ScheduleFailure {
        RunTimeFailure failure;
    };

    // One problem and its row of the schedule, a problem that failed included.
    // A row of a table has its input file written first, and leads its row
    // of the schedule with its mark, location, quantity and type.
    int solve_file(const std::string& file, std::size_t index) {
        Result result;
        if (index >= table_.rows.size()) {
            const int status = solve_into(file, result);
            write_schedule(schedule_row(result, file));
            return status;
        }
        const TableRow& row = table_.rows[index];
        std::vector<std::string> outputs = {report_name_for(file)};
        if (options_.json) outputs.push_back(output_name_for(file, ".json"));
        if (options_.drawing) outputs.push_back(drawing_name_for(file));
        const int written =
            write_row_input(env_, options_.table, row, file, outputs, options_.replace);
        if (written != 0) return written;  // refused: nothing written, no row
        const int status = solve_into(file, result);
        const BearingMark mark{row.mark.empty() ? row.stem : row.mark, row.location, row.quantity};
        const std::string type = types_.add(result, mark);
        write_schedule(table_schedule_row(mark, type, result, file));
        return status;
    }

    // One problem: the input file opened, the report opened (or, with -y,
    // opened to be replaced), the problem solved into it, and the report put
    // in place whole only when the problem ended without a failure; then,
    // with --json, its result beside it, and with --drawing its sheet. A
    // problem that fails leaves every name as it was; an output that exists
    // without -y refuses the problem before anything is written; a report
    // already written in this run is never replaced.
    int solve_into(const std::string& file, Result& result) {
        const std::string report_file = report_name_for(file);
        try {
            const std::string report_name = env_.files.absolute_name(report_file);
            if (const auto first = written_.find(env_.files.identity(report_name));
                first != written_.end() && !first->first.empty()) {
                env_.error_out << file << ": " << report_file << " was written from "
                               << first->second << " in this run, not replaced\r\n";
                result.end = ProblemEnd::failure;
                result.failure = failure_data(
                    RunTimeFailure{failure_cannot_overwrite, report_unit, report_name});
                return failure_cannot_overwrite;
            }
            const std::string input_name = input_name_of(file);
            const std::unique_ptr<InputFile> input = env_.files.open_input(input_name);
            const std::string json_file = output_name_for(file, ".json");
            const std::string svg_file = drawing_name_for(file);
            for (const auto& [asked, shown] :
                 {std::pair{options_.json, json_file}, std::pair{options_.drawing, svg_file}}) {
                const std::string name = env_.files.absolute_name(shown);
                if (asked && !options_.replace && env_.files.exists(name)) {
                    return refuse(result, file, shown, name);
                }
            }
            const std::unique_ptr<WholeFile> report = open_report_file(
                env_.files, input_name, report_name, [this] { return options_.replace; });
            if (!report) return refuse(result, file, report_file, report_name);
            std::optional<CatalogChoice> chosen;
            if (catalog_) {
                result =
                    solve_with_catalog(*catalog_, *input, input_name, *report, env_.local_time(),
                                       criteria_ ? &*criteria_ : nullptr, chosen);
            } else {
                result = solve(*input, input_name, *report, env_.local_time(),
                               criteria_ ? &*criteria_ : nullptr);
            }
            try {
                if (result.failure) throw failure_of(*result.failure);
                if (report->written()) report->commit();
            } catch (const RunTimeFailure& failure) {
                report->abandon();
                env_.error_out << file << ": " << report_file
                               << (report->replaces() ? " not replaced: " : " not written: ")
                               << failure_line(failure);
                if (!result.failure) {
                    result.end = ProblemEnd::failure;
                    result.failure = failure_data(failure);
                }
                result.report_written = false;  // the report was not put in place
                return failure.number;
            }
            if (report->written()) {
                const std::string identity = env_.files.identity(report_name);
                if (!identity.empty()) written_.emplace(identity, file);
            }
            int status = 0;
            std::string catalog_note;
            if (chosen) {
                // The records of the standard pad's analysis, beside the report.
                const std::string dat = output_name_for(file, ".standard.dat");
                status = write_output(input_name, dat, chosen->input);
                if (status == 0) catalog_note = "; " + dat;
            }
            if (options_.json) {
                status = write_output(input_name, json_file, result_json(result, file));
            }
            std::string drawing_note;
            if (options_.drawing) {
                const std::optional<std::string> svg = drawing_svg(result);
                const std::string svg_name = env_.files.absolute_name(svg_file);
                if (svg) {
                    const int written = write_output(input_name, svg_file, *svg);
                    if (written == 0) drawing_note = "; drawing " + svg_file;
                    if (status == 0) status = written;
                } else if (env_.files.exists(svg_name) &&
                           !env_.files.same_file(svg_name, input_name)) {
                    // With -y: no sheet of an earlier run stays beside a
                    // report that has no bearing to draw.
                    env_.files.remove_file(svg_name);
                    drawing_note = "; " + svg_file + " removed: no bearing to draw";
                }
            }
            if (!schedule_on_console()) {
                env_.console_out << file << ": " << report_file << ' ' << outcome_summary(result)
                                 << drawing_note << catalog_note << "\r\n";
            }
            return status;
        } catch (const RunTimeFailure& failure) {
            result.end = ProblemEnd::failure;
            result.failure = failure_data(failure);
            return fail(failure);
        }
    }

    // A problem refused because an output of it exists and -y was not given.
    int refuse(Result& result, const std::string& file, const std::string& shown,
               const std::string& name) {
        env_.error_out << file << ": " << shown << " exists, not replaced (-y replaces it)\r\n";
        result.end = ProblemEnd::failure;
        result.failure = failure_data(RunTimeFailure{failure_cannot_overwrite, report_unit, name});
        return failure_cannot_overwrite;
    }

    // An output beside the report (the JSON result, the drawing), written
    // whole and created or replaced as the report is, never over the input.
    // Returns 0 or the message number of a failure (its line written); the
    // problem's result stays as it is.
    int write_output(const std::string& input_name, const std::string& shown,
                     const std::string& bytes) {
        const std::string name = env_.files.absolute_name(shown);
        try {
            const std::unique_ptr<WholeFile> sink =
                open_report_file(env_.files, input_name, name, [this] { return options_.replace; });
            if (!sink) throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
            sink->write(bytes);
            sink->commit();
            return 0;
        } catch (const RunTimeFailure& failure) {
            return fail(failure);
        }
    }

    bool schedule_on_console() const {
        return (options_.schedule && options_.schedule_file.empty()) ||
               (options_.types && options_.types_file.empty());
    }

    // The schedule's file created (or replaced with -y, never over an input
    // file) and its header written; false when it exists and stays.
    bool open_schedule() {
        const std::string header =
            options_.table.empty() ? schedule_header() : table_schedule_header();
        if (options_.schedule_file.empty()) {
            env_.console_out << header;
            return true;
        }
        const std::string name = env_.files.absolute_name(options_.schedule_file);
        try {
            // Never over an input, nor over a report, result or drawing that
            // this run writes.
            if (!options_.table.empty() && env_.files.absolute_name(options_.table) == name) {
                throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
            }
            for (const std::string& file : options_.files) {
                if (file.empty()) continue;
                std::vector<std::string> taken = {file, report_name_for(file)};
                if (options_.json) taken.push_back(output_name_for(file, ".json"));
                if (options_.drawing) taken.push_back(drawing_name_for(file));
                for (const std::string& other : taken) {
                    const std::string other_name = env_.files.absolute_name(other);
                    if (other_name == name || env_.files.same_file(other_name, name)) {
                        throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
                    }
                }
            }
            schedule_ = open_report_file(env_.files, std::string(), name,
                                         [this] { return options_.replace; });
        } catch (const RunTimeFailure& failure) {
            throw ScheduleFailure{failure};
        }
        if (!schedule_) {
            env_.error_out << options_.schedule_file
                           << " exists, not replaced (-y replaces it)\r\n";
            return false;
        }
        write_schedule(header);
        return true;
    }

    // The types' file of a table run, created (or replaced with -y) before
    // any row is written, never over the table or a file of the run; false
    // when it exists and stays. Written whole at the end.
    bool open_types() {
        if (options_.types_file.empty()) return true;
        const std::string name = env_.files.absolute_name(options_.types_file);
        try {
            std::vector<std::string> taken = {options_.table, options_.schedule_file};
            for (const std::string& file : options_.files) {
                for (const char* extension : {".dat", ".rpt", ".json", ".svg"}) {
                    taken.push_back(output_name_for(file, extension));
                }
            }
            for (const std::string& other : taken) {
                if (other.empty()) continue;
                const std::string other_name = env_.files.absolute_name(other);
                if (other_name == name || env_.files.same_file(other_name, name)) {
                    throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
                }
            }
            types_file_ = open_report_file(env_.files, env_.files.absolute_name(options_.table),
                                           name, [this] { return options_.replace; });
        } catch (const RunTimeFailure& failure) {
            throw ScheduleFailure{failure};
        }
        if (!types_file_) {
            env_.error_out << options_.types_file << " exists, not replaced (-y replaces it)\r\n";
            return false;
        }
        return true;
    }

    void write_types(const std::string& summary) {
        if (!types_file_) {
            env_.console_out << summary;
            return;
        }
        try {
            types_file_->write(summary);
            types_file_->commit();
        } catch (const RunTimeFailure& failure) {
            throw ScheduleFailure{failure};
        }
    }

    void write_schedule(const std::string& line) {
        if (!options_.schedule) return;
        if (!schedule_) {
            env_.console_out << line;
            return;
        }
        try {
            schedule_->write(line);
        } catch (const RunTimeFailure& failure) {
            throw ScheduleFailure{failure};
        }
    }

    // The owner's criteria set read whole before anything is written: 0, or
    // status 2 for a refused set (its fault written), or the message number
    // of a file that cannot be read.
    int read_criteria_file() {
        std::string text;
        try {
            const std::string name = env_.files.absolute_name(options_.criteria_file);
            const std::unique_ptr<InputFile> input = env_.files.open_input(name);
            while (const std::optional<std::string> line = input->read_record()) {
                text += *line + "\n";
            }
        } catch (const RunTimeFailure& failure) {
            return fail(failure);
        }
        std::string error;
        criteria_ = read_criteria(text, error);
        if (!criteria_) {
            env_.error_out << "bearingpad: " << options_.criteria_file << ": " << error << "\r\n";
        }
        return criteria_ ? 0 : status_usage;
    }

    // The catalog of standard pads read whole before anything is written:
    // 0, status 2 for a refused table (its fault written), or the message
    // number of a file that cannot be read.
    int read_catalog_file() {
        std::string text;
        try {
            const std::string name = env_.files.absolute_name(options_.catalog_file);
            const std::unique_ptr<InputFile> input = env_.files.open_input(name);
            while (const std::optional<std::string> line = input->read_record()) {
                text += *line + "\n";
            }
        } catch (const RunTimeFailure& failure) {
            return fail(failure);
        }
        std::string error;
        catalog_ = read_catalog(text, error);
        if (!catalog_) {
            env_.error_out << "bearingpad: " << options_.catalog_file << ": " << error << "\r\n";
        }
        return catalog_ ? 0 : status_usage;
    }

    // One input file explained; nothing is written.
    int explain_file(const std::string& file) {
        try {
            const std::unique_ptr<InputFile> input = env_.files.open_input(input_name_of(file));
            const Explanation explanation = explain_input(*input);
            if (options_.files.size() > 1) env_.console_out << file << ":\r\n";
            write_explanation(explanation, env_.console_out);
            return mark_count(explanation) > 0 ? status_marked : 0;
        } catch (const RunTimeFailure& failure) {
            return fail(failure);
        }
    }

    // A name is taken whole, blanks included; an empty one is no file name.
    std::string input_name_of(const std::string& file) {
        const std::string name = env_.files.absolute_name(file);
        if (file.empty()) throw RunTimeFailure{failure_file_name, input_unit, name};
        return name;
    }

    int fail(const RunTimeFailure& failure) {
        env_.error_out << failure_line(failure);
        return failure.number;
    }

    RunEnvironment& env_;
    Options options_;  // a table's run names its rows' input files here
    // The reports written in this run, by their file's identity, with the
    // input file named for each.
    std::map<std::string, std::string> written_;
    std::unique_ptr<WholeFile> schedule_;  // the schedule's file, when one is named
    std::optional<CriteriaSet> criteria_;  // the owner's criteria, when a set is named
    std::optional<Catalog> catalog_;       // the standard pads, when a catalog is named
    TableRun table_;                       // the rows of --table
    BearingTypes types_;
    std::unique_ptr<WholeFile> types_file_;
};

}  // namespace

std::string report_name_for(const std::string& input_name) {
    return output_name_for(input_name, ".rpt");
}

std::string output_name_for(const std::string& input_name, const std::string& extension) {
    const std::size_t folder = input_name.find_last_of("/\\");
    const std::size_t base = folder == std::string::npos ? 0 : folder + 1;
    const std::size_t dot = input_name.rfind('.');
    const bool has_extension = dot != std::string::npos && dot > base;
    return (has_extension ? input_name.substr(0, dot) : input_name) + extension;
}

std::string drawing_name_for(const std::string& input_name) {
    return output_name_for(input_name, ".svg");
}

int run_command_line(RunEnvironment& env, const std::vector<std::string>& args) {
    const std::optional<Options> options = parse(env, args);
    if (!options) return status_usage;
    if (options->help) {
        for (const char* line : kHelp) env.console_out << line << "\r\n";
        return 0;
    }
    if (options->version) {
        env.console_out << "bearingpad " << BEARINGPAD_VERSION << "\r\n";
        return 0;
    }
    if (options->to_table) return write_table_of(env, options->files);
    return CommandLine(env, *options).execute();
}

}  // namespace bearingpad
