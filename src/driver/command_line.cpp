#include "driver/command_line.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <set>

#include "drawing/bearing_drawing.h"
#include "driver/catalog.h"
#include "driver/criteria_file.h"
#include "driver/explain.h"
#include "driver/table_files.h"
#include "driver/whole_file.h"
#include "results/bearing_types.h"
#include "results/result_json.h"
#include "results/schedule.h"

#ifndef BEARINGPAD_VERSION
#define BEARINGPAD_VERSION "unknown"
#endif

namespace bearingpad {

namespace {

std::optional<std::string> json_of(const Result& result, const std::string& file) {
    return result_json(result, file);
}

std::optional<std::string> drawing_of(const Result& result, const std::string&) {
    return drawing_svg(result);
}

// clang-format off
constexpr OutputRow kOutputs[] = {
    {"", ".rpt", "", nullptr, "", ""},
    {"--json", ".json",
     "  --json         also write the result of each problem as JSON beside its\n"
     "                 report: pier3.dat gives pier3.json (none for a problem that\n"
     "                 failed: its name keeps what it held)",
     json_of, "", ""},
    {"--drawing", ".svg",
     "  --drawing      also write the drawing of the bearing and its strain chart\n"
     "                 beside the report, as the input file with the extension\n"
     "                 .svg (one Letter landscape sheet; none for a rejected problem)",
     drawing_of, "drawing", "no bearing to draw"},
};
// clang-format on

// "[-y] [--json] [--drawing] [--schedule[=CSV]] FILE...": the options that
// solve problems.
std::string solve_options() {
    std::string text = "[-y]";
    for (const OutputRow& row : kOutputs) {
        if (!row.option.empty()) text.append(" [").append(row.option).append("]");
    }
    return text + " [--schedule[=CSV]] FILE...";
}

constexpr const char* kHelpStart[] = {
    "usage: bearingpad [-y] FILE...",
};

constexpr const char* kHelpOptions[] = {
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
    "                 A problem's report and its other files are put in place",
    "                 together when it ends, all or none: after a failure or an",
    "                 interruption each name keeps what it held. A report already",
    "                 written in the run is not written again.",
};

constexpr const char* kHelpEnd[] = {
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
    "                 records beside it as NAME.standard.dat, with the problem's set",
    "  --explain      write no report: show the three records under a column ruler",
    "                 and how each field is read, and mark probable slips",
    "  --help         this text",
    "  --version      the program's version",
    "  --             the arguments after it are file names",
    "",
    "Exit status: 0 when every problem got its report; otherwise the message number",
    "of the first problem that did not (10: its report exists and was not replaced;",
    "29: the input file does not exist; 38: a file or the console refused a write;",
    "64: an unreadable number; ...); 2 for a wrong option or no file named. With",
    "--explain: 0 when nothing was marked, 1 when something was, the message number",
    "of the first file that could not be read.",
};

void write_help(std::ostream& out) {
    for (const char* line : kHelpStart) out << line << "\r\n";
    out << "       bearingpad " << solve_options() << "\r\n";
    for (const char* line : kHelpOptions) out << line << "\r\n";
    for (const OutputRow& row : kOutputs) {
        std::string_view help = row.help;
        while (!help.empty()) {
            const std::size_t end = std::min(help.find('\n'), help.size());
            out << help.substr(0, end) << "\r\n";
            help.remove_prefix(std::min(end + 1, help.size()));
        }
    }
    for (const char* line : kHelpEnd) out << line << "\r\n";
}

struct Options {
    bool replace = false;
    bool explain = false;
    bool help = false;
    bool version = false;
    bool schedule = false;
    std::string schedule_file;  // empty: standard output
    std::string criteria_file;  // empty: AASHTO alone
    std::string catalog_file;   // empty: each problem's own pad
    std::string table;          // --table: the table of bearings
    std::string out_dir;        // --out: the folder of its rows' files
    bool types = false;
    std::string types_file;  // empty: standard output
    bool to_table = false;
    // The outputs besides the report that were asked, in the table's order.
    std::vector<const OutputRow*> outputs;
    std::vector<std::string> files;
};

// The options and file names, or nothing after a usage error (written).
std::optional<Options> parse(RunEnvironment& env, const std::vector<std::string>& args) {
    Options o;
    bool names_only = false;
    std::vector<bool> asked(std::size(kOutputs), false);
    std::string* value = nullptr;  // the option that takes the next argument
    for (const std::string& arg : args) {
        const auto row = std::find_if(std::begin(kOutputs), std::end(kOutputs),
                                      [&](const OutputRow& r) { return r.option == arg; });
        if (value) {
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
        } else if (row != std::end(kOutputs)) {
            asked[static_cast<std::size_t>(row - std::begin(kOutputs))] = true;
        } else if (arg == "-y" || arg == "--replace") {
            o.replace = true;
        } else if (arg == "--schedule") {
            o.schedule = true;
        } else if (arg.rfind("--schedule=", 0) == 0 && arg.size() > 11) {
            o.schedule = true;
            o.schedule_file = arg.substr(11);
        } else if (arg == "--criteria" || arg == "--catalog") {
            value = arg == "--criteria" ? &o.criteria_file : &o.catalog_file;
        } else if (arg.rfind("--criteria=", 0) == 0 || arg.rfind("--catalog=", 0) == 0) {
            const std::string name = arg.substr(arg.find('=') + 1);
            if (name.empty()) {
                env.error_out << "bearingpad: " << arg.substr(0, arg.find('='))
                              << " needs a file name\r\n"
                              << usage_line() << "\r\n";
                return std::nullopt;
            }
            (arg[3] == 'r' ? o.criteria_file : o.catalog_file) = name;
        } else if (arg == "--explain") {
            o.explain = true;
        } else if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else {
            env.error_out << "bearingpad: unknown option " << arg << "\r\n"
                          << usage_line() << "\r\n";
            return std::nullopt;
        }
    }
    for (std::size_t i = 0; i < asked.size(); ++i) {
        if (asked[i]) o.outputs.push_back(&kOutputs[i]);
    }
    if (value == &o.criteria_file || value == &o.catalog_file) {
        env.error_out << "bearingpad: " << (value == &o.criteria_file ? "--criteria" : "--catalog")
                      << " needs a file name\r\n"
                      << usage_line() << "\r\n";
        return std::nullopt;
    }
    if (o.explain &&
        (!o.outputs.empty() || o.schedule || !o.criteria_file.empty() || !o.catalog_file.empty())) {
        env.error_out << "bearingpad: --explain writes no results\r\n" << usage_line() << "\r\n";
        return std::nullopt;
    }
    const char* conflict = nullptr;
    if (value || (!o.table.empty() && !o.files.empty())) {
        conflict = "--table takes one table and no input files";
    } else if (o.to_table && (!o.outputs.empty() || o.schedule || o.explain || o.types ||
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
        env.error_out << "bearingpad: " << conflict << "\r\n" << usage_line() << "\r\n";
        return std::nullopt;
    }
    if (o.files.empty() && o.table.empty() && !o.help && !o.version) {
        env.error_out << "bearingpad: no input file named\r\n" << usage_line() << "\r\n";
        return std::nullopt;
    }
    return o;
}

// Problems whose sets are put on the disk together: at most this many, and
// none waits longer than this for its line.
constexpr std::size_t kGroupProblems = 32;
constexpr std::chrono::milliseconds kGroupWait{200};

class CommandLine {
  public:
    CommandLine(RunEnvironment& env, const Options& options) : env_(env), options_(options) {}

    int execute() {
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
                if (options_.explain) {
                    record(explain_file(options_.files[i]));
                } else {
                    solve_file(options_.files[i], i);
                }
            }
            flush_group();
            if (!table_.refused.empty()) {
                status_ = std::min_element(table_.refused.begin(), table_.refused.end())->second;
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
            status_ = fail(f.failure);
        }
        // A line that standard output or standard error refused is a failure.
        if (standard_streams_failed(env_) && (status_ == 0 || status_ == status_marked)) {
            status_ = failure_write;
        }
        return status_;
    }

  private:
    struct ScheduleFailure {
        RunTimeFailure failure;
    };

    // A problem solved whose set waits for its group to be put on the disk.
    struct Pending {
        std::string file;
        Result result;
        std::unique_ptr<FileSet> set;
        std::string written_key;  // its report's entry in written_
        std::string note;         // what the line adds about the drawing
        std::size_t index = 0;    // its place among the run's problems
    };

    // The status of a problem: a table's row that failed is remembered with
    // its row, whose order sets the run's status.
    void record_problem(std::size_t index, int one) {
        record(one);
        if (one != 0 && index < table_.rows.size()) {
            table_.refused.emplace_back(table_.rows[index].row, one);
        }
    }

    // The first failure is the status; a mark only while none failed.
    void record(int one) {
        if (status_ == 0 || (status_ == status_marked && one != 0 && one != status_marked)) {
            status_ = one;
        }
    }

    // One problem and its row of the schedule, a problem that failed included;
    // a problem with files to put in place waits for its group. A row of a
    // table has its input file written first (a row refused there has no
    // schedule row), and leads its row of the schedule with its mark,
    // location, quantity and type.
    void solve_file(const std::string& file, std::size_t index) {
        auto p = std::make_unique<Pending>();
        p->file = file;
        p->index = index;
        if (index < table_.rows.size()) {
            std::vector<std::string> outputs = {report_name_for(file)};
            for (const OutputRow* row : options_.outputs) {
                outputs.push_back(output_name_for(file, std::string(row->extension)));
            }
            flush_group();
            const int written = write_row_input(env_, options_.table, table_.rows[index], file,
                                                outputs, options_.replace);
            if (written != 0) {
                record_problem(index, written);
                return;
            }
        }
        const int status = solve_into(file, *p);
        if (p->set) {
            if (pending_.empty()) group_start_ = std::chrono::steady_clock::now();
            pending_.push_back(std::move(p));
            if (pending_.size() >= kGroupProblems ||
                std::chrono::steady_clock::now() - group_start_ >= kGroupWait) {
                flush_group();
            }
            return;
        }
        flush_group();
        record_problem(index, status);
        write_schedule(schedule_line(*p));
    }

    // The problem's row of the schedule; a table's row with its mark and type.
    std::string schedule_line(const Pending& p) {
        if (p.index >= table_.rows.size()) return schedule_row(p.result, p.file);
        const TableRow& row = table_.rows[p.index];
        const BearingMark mark{row.mark.empty() ? row.stem : row.mark, row.location, row.quantity};
        const std::string type = types_.add(p.result, mark);
        return table_schedule_row(mark, type, p.result, p.file);
    }

    // The group's files put on the disk together, then each set put in place
    // with its line and its row, in the order of the problems.
    void flush_group() {
        if (pending_.empty()) return;
        std::vector<std::unique_ptr<Pending>> group = std::move(pending_);
        pending_.clear();
        pending_names_.clear();
        std::vector<FileSet*> sets;
        for (const auto& p : group) sets.push_back(p->set.get());
        FileSet::sync_group(env_.files, sets);
        std::optional<ScheduleFailure> schedule_failure;
        for (const auto& p : group) {
            complete(*p);
            if (schedule_failure) continue;
            try {
                write_schedule(schedule_line(*p));
            } catch (const ScheduleFailure& f) {
                schedule_failure = f;
            }
        }
        if (schedule_failure) throw *schedule_failure;
    }

    // A problem's set put in place, and its line: "written" only when the
    // whole set is, otherwise what stayed as it was.
    void complete(Pending& p) {
        const std::string report_file = report_name_for(p.file);
        try {
            p.set->commit();
        } catch (const RunTimeFailure& failure) {
            env_.error_out << p.file << ": " << p.set->unchanged() << ": " << failure_line(failure);
            if (const auto entry = written_.find(p.written_key);
                entry != written_.end() && entry->second == p.file) {
                written_.erase(entry);
            }
            p.result.end = ProblemEnd::failure;
            p.result.failure = failure_data(failure);
            p.result.report_written = false;  // the report was not put in place
            record_problem(p.index, failure.number);
            return;
        }
        if (!schedule_on_console()) {
            env_.console_out << p.file << ": " << report_file << ' ' << outcome_summary(p.result)
                             << p.note << "\r\n";
        }
        for (const RunTimeFailure& left : p.set->left()) record_problem(p.index, fail(left));
        record(0);
    }

    // Standard error, after the lines of the problems before this one.
    std::ostream& err() {
        flush_group();
        return env_.error_out;
    }

    // One problem: the input file opened, the report opened (or, with -y,
    // opened to be replaced), the problem solved into it; then the outputs
    // asked written beside it, and the whole set left to its group. A problem
    // that fails leaves every name as it was; an output that exists without
    // -y refuses the problem before anything is written; a report already
    // written in this run is never replaced. Returns the status of a problem
    // that ended without a set.
    int solve_into(const std::string& file, Pending& p) {
        Result& result = p.result;
        const std::string report_file = report_name_for(file);
        try {
            const std::string report_name = env_.files.absolute_name(report_file);
            const std::string key = env_.files.written_name(report_name);
            if (pending_names_.count(key)) flush_group();
            if (const auto first = written_.find(key); !key.empty() && first != written_.end()) {
                err() << file << ": " << report_file << " was written from " << first->second
                      << " in this run, not replaced\r\n";
                result.end = ProblemEnd::failure;
                result.failure = failure_data(
                    RunTimeFailure{failure_cannot_overwrite, report_unit, report_name});
                return failure_cannot_overwrite;
            }
            const std::string input_name = input_name_of(file);
            // An input that a set waiting in the group writes is read new.
            if (pending_names_.count(env_.files.written_name(input_name))) flush_group();
            const std::unique_ptr<InputFile> input = env_.files.open_input(input_name);
            struct Target {
                const OutputRow* row;
                std::string shown, name;
            };
            std::vector<Target> targets;
            for (const OutputRow* row : options_.outputs) {
                Target t{row, output_name_for(file, std::string(row->extension)), std::string()};
                t.name = env_.files.absolute_name(t.shown);
                if (pending_names_.count(env_.files.written_name(t.name))) flush_group();
                if (!options_.replace && env_.files.exists(t.name)) {
                    return refuse(result, file, t.shown, t.name);
                }
                targets.push_back(std::move(t));
            }
            // With a catalog, the chosen pad's records beside the report, in its set.
            const std::string standard_file =
                catalog_ ? output_name_for(file, ".standard.dat") : std::string();
            const std::string standard_name =
                catalog_ ? env_.files.absolute_name(standard_file) : std::string();
            if (catalog_) {
                if (pending_names_.count(env_.files.written_name(standard_name))) flush_group();
                if (!options_.replace && env_.files.exists(standard_name)) {
                    return refuse(result, file, standard_file, standard_name);
                }
            }
            std::unique_ptr<WholeFile> report = open_report_file(
                env_.files, input_name, report_name, [this] { return options_.replace; },
                options_.replace);
            if (!report) return refuse(result, file, report_file, report_name);
            const CriteriaSet* criteria = criteria_ ? &*criteria_ : nullptr;
            std::optional<CatalogChoice> chosen;
            if (catalog_) {
                result = solve_with_catalog(*catalog_, *input, input_name, *report,
                                            env_.local_time(), criteria, chosen);
            } else {
                result = solve(*input, input_name, *report, env_.local_time(), criteria);
            }
            auto set = std::make_unique<FileSet>(env_.files);
            // What stays as it was when the set fails before it is whole.
            std::string opening =
                report_file + (report->replaces() ? " not replaced" : " not written");
            try {
                if (result.failure) throw failure_of(*result.failure);
                const bool report_written = report->written();
                if (report_written) set->add(std::move(report), report_file);
                if (chosen) {
                    opening = standard_file +
                              (env_.files.exists(standard_name) ? " not replaced" : " not written");
                    std::unique_ptr<WholeFile> sink = open_report_file(
                        env_.files, input_name, standard_name, [this] { return options_.replace; },
                        options_.replace);
                    if (!sink) {
                        throw RunTimeFailure{failure_cannot_overwrite, report_unit, standard_name};
                    }
                    sink->write(chosen->input);
                    set->add(std::move(sink), standard_file);
                    p.note += "; " + standard_file;
                }
                for (const Target& t : targets) {
                    const std::optional<std::string> bytes = t.row->render(result, file);
                    if (bytes) {
                        opening = t.shown +
                                  (env_.files.exists(t.name) ? " not replaced" : " not written");
                        std::unique_ptr<WholeFile> sink = open_report_file(
                            env_.files, input_name, t.name, [this] { return options_.replace; },
                            options_.replace);
                        if (!sink) {
                            throw RunTimeFailure{failure_cannot_overwrite, report_unit, t.name};
                        }
                        sink->write(*bytes);
                        set->add(std::move(sink), t.shown);
                        if (!t.row->shown_as.empty()) {
                            p.note += "; " + std::string(t.row->shown_as) + " " + t.shown;
                        }
                    } else if (!t.row->removed_because.empty() && env_.files.exists(t.name) &&
                               !env_.files.same_file(t.name, input_name)) {
                        // With -y: no file of an earlier run stays beside a
                        // report that has none.
                        set->remove(t.name, t.shown);
                        p.note +=
                            "; " + t.shown + " removed: " + std::string(t.row->removed_because);
                    }
                }
                opening.clear();
                set->finish();
                if (report_written && !key.empty()) {
                    written_.emplace(key, file);
                    p.written_key = key;
                }
            } catch (const RunTimeFailure& failure) {
                set->abandon();
                std::string kept = set->unchanged();
                if (!opening.empty()) kept += (kept.empty() ? "" : ", ") + opening;
                err() << file << ": " << kept << ": " << failure_line(failure);
                if (!result.failure) {
                    result.end = ProblemEnd::failure;
                    result.failure = failure_data(failure);
                }
                result.report_written = false;  // the report was not put in place
                return failure.number;
            }
            if (set->empty()) {
                // Nothing to put in place: an input without records.
                flush_group();
                if (!schedule_on_console()) {
                    env_.console_out << file << ": " << report_file << ' '
                                     << outcome_summary(result) << "\r\n";
                }
                return 0;
            }
            for (const std::string& name : set->names()) {
                pending_names_.insert(env_.files.written_name(name));
            }
            p.set = std::move(set);
            return 0;
        } catch (const RunTimeFailure& failure) {
            result.end = ProblemEnd::failure;
            result.failure = failure_data(failure);
            return fail(failure);
        }
    }

    // A problem refused because an output of it exists and -y was not given.
    int refuse(Result& result, const std::string& file, const std::string& shown,
               const std::string& name) {
        err() << file << ": " << shown << " exists, not replaced (-y replaces it)\r\n";
        result.end = ProblemEnd::failure;
        result.failure = failure_data(RunTimeFailure{failure_cannot_overwrite, report_unit, name});
        return failure_cannot_overwrite;
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
                for (const OutputRow* row : options_.outputs) {
                    taken.push_back(output_name_for(file, std::string(row->extension)));
                }
                for (const std::string& other : taken) {
                    const std::string other_name = env_.files.absolute_name(other);
                    if (other_name == name || env_.files.same_file(other_name, name)) {
                        throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
                    }
                }
            }
            schedule_ = open_report_file(
                env_.files, std::string(), name, [this] { return options_.replace; },
                options_.replace);
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
                taken.push_back(file);
                for (const OutputRow& row : kOutputs) {
                    taken.push_back(output_name_for(file, std::string(row.extension)));
                }
            }
            for (const std::string& other : taken) {
                if (other.empty()) continue;
                const std::string other_name = env_.files.absolute_name(other);
                if (other_name == name || env_.files.same_file(other_name, name)) {
                    throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
                }
            }
            types_file_ = open_report_file(
                env_.files, env_.files.absolute_name(options_.table), name,
                [this] { return options_.replace; }, options_.replace);
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

    // A file read whole, its records joined by LF; nothing when it cannot
    // be read (its failure line written, the status kept in status).
    std::optional<std::string> read_whole(const std::string& shown, int& status) {
        std::string text;
        try {
            const std::unique_ptr<InputFile> input =
                env_.files.open_input(env_.files.absolute_name(shown));
            while (const std::optional<std::string> line = input->read_record()) {
                text += *line + "\n";
            }
        } catch (const RunTimeFailure& failure) {
            status = fail(failure);
            return std::nullopt;
        }
        return text;
    }

    // The owner's criteria set read whole before anything is written: 0, or
    // status 2 for a refused set (its fault written), or the message number
    // of a file that cannot be read.
    int read_criteria_file() {
        int status = 0;
        const std::optional<std::string> text = read_whole(options_.criteria_file, status);
        if (!text) return status;
        std::string error;
        criteria_ = read_criteria(*text, error);
        if (!criteria_) {
            env_.error_out << "bearingpad: " << options_.criteria_file << ": " << error << "\r\n";
        }
        return criteria_ ? 0 : status_usage;
    }

    // The catalog of standard pads read whole before anything is written:
    // 0, status 2 for a refused table (its fault written), or the message
    // number of a file that cannot be read.
    int read_catalog_file() {
        int status = 0;
        const std::optional<std::string> text = read_whole(options_.catalog_file, status);
        if (!text) return status;
        std::string error;
        catalog_ = read_catalog(*text, error);
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
        err() << failure_line(failure);
        return failure.number;
    }

    RunEnvironment& env_;
    Options options_;  // a table's run names its rows' input files here
    int status_ = 0;
    // The reports written in this run, by the name they were written to (see
    // FileAccess::written_name), with the input file named for each.
    std::map<std::string, std::string> written_;
    std::unique_ptr<WholeFile> schedule_;  // the schedule's file, when one is named
    // The problems whose sets wait for the group's flush to the disk, and
    // the names those sets write.
    std::vector<std::unique_ptr<Pending>> pending_;
    std::set<std::string> pending_names_;
    std::chrono::steady_clock::time_point group_start_;
    std::optional<CriteriaSet> criteria_;  // the owner's criteria, when a set is named
    std::optional<Catalog> catalog_;       // the standard pads, when a catalog is named
    TableRun table_;                       // the rows of --table
    BearingTypes types_;
    std::unique_ptr<WholeFile> types_file_;
};

}  // namespace

std::span<const OutputRow> output_rows() {
    return kOutputs;
}

std::string usage_line() {
    return "usage: bearingpad " + solve_options() +
           "  |  bearingpad --table TABLE  |  bearingpad --to-table FILE...  |  bearingpad "
           "--explain FILE...  |  bearingpad --help";
}

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
    if (options->help || options->version) {
        if (options->help) {
            write_help(env.console_out);
        } else {
            env.console_out << "bearingpad " << BEARINGPAD_VERSION << "\r\n";
        }
        // Text that the console refused is a failure, as a report's would be.
        return standard_streams_failed(env) ? failure_write : 0;
    }
    if (options->to_table) return write_table_of(env, options->files);
    return CommandLine(env, *options).execute();
}

}  // namespace bearingpad
