#include "driver/table_files.h"

#include "driver/command_line.h"
#include "driver/input_records.h"
#include "results/result_text.h"

namespace bearingpad {

namespace {

// The folder part of a name with its separator ("jobs/"), or "".
std::string folder_of(const std::string& name) {
    const std::size_t folder = name.find_last_of("/\\");
    return folder == std::string::npos ? std::string() : name.substr(0, folder + 1);
}

}  // namespace

std::string name_stem(const std::string& name) {
    const std::string base = name.substr(folder_of(name).size());
    const std::size_t dot = base.rfind('.');
    return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

TableRun read_table_file(RunEnvironment& env, const std::string& table,
                         const std::string& out_dir) {
    TableRun run;
    std::string bytes;
    try {
        if (table.empty()) throw RunTimeFailure{failure_file_name, input_unit, table};
        const std::unique_ptr<InputFile> input =
            env.files.open_input(env.files.absolute_name(table));
        // The records joined again by LF; a line as long as the most a
        // record keeps may have lost its end, and refuses the table.
        while (const std::optional<std::string> line = input->read_record()) {
            if (line->size() >= kMaxRecordKept) {
                env.error_out << table << ": a line of " << kMaxRecordKept
                              << " bytes or more: not a table of bearings\r\n";
                run.refused.emplace_back(0, status_refused);
                return run;
            }
            bytes += *line;
            bytes += '\n';
        }
        if (!out_dir.empty() && !env.files.exists(env.files.absolute_name(out_dir))) {
            throw RunTimeFailure{failure_open, report_unit, env.files.absolute_name(out_dir)};
        }
    } catch (const RunTimeFailure& failure) {
        env.error_out << failure_line(failure);
        run.refused.emplace_back(0, failure.number);
        return run;
    }
    const BearingTable read = read_bearing_table(bytes, name_stem(table));
    if (!read.refused.empty()) {
        env.error_out << table << ": " << read.refused << ": nothing written\r\n";
        run.refused.emplace_back(0, status_refused);
        return run;
    }
    for (const RowRefusal& r : read.refusals) {
        env.error_out << table << ": " << r.reason << "\r\n";
        run.refused.emplace_back(r.row,
                                 r.same_name ? int{failure_cannot_overwrite} : int{status_refused});
    }
    std::string folder = out_dir.empty() ? folder_of(table) : out_dir;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    for (const TableRow& row : read.rows) run.files.push_back(folder + row.stem + ".dat");
    run.rows = read.rows;
    return run;
}

int write_row_input(RunEnvironment& env, const std::string& table, const TableRow& row,
                    const std::string& file, const std::vector<std::string>& outputs,
                    bool replace) {
    try {
        const std::string table_name = env.files.absolute_name(table);
        const std::string name = env.files.absolute_name(file);
        if (!replace) {
            std::vector<std::string> all = {file};
            all.insert(all.end(), outputs.begin(), outputs.end());
            for (const std::string& shown : all) {
                if (env.files.exists(env.files.absolute_name(shown))) {
                    env.error_out << table << ": row " << row.row << ": " << shown
                                  << " exists, not replaced (-y replaces it)\r\n";
                    return failure_cannot_overwrite;
                }
            }
        }
        const std::unique_ptr<WholeFile> dat =
            open_report_file(env.files, table_name, name, [replace] { return replace; });
        if (!dat) throw RunTimeFailure{failure_cannot_overwrite, report_unit, name};
        dat->write(row.input_file());
        dat->commit();
        return 0;
    } catch (const RunTimeFailure& failure) {
        env.error_out << table << ": row " << row.row << ": " << failure_line(failure);
        return failure.number;
    }
}

int write_table_of(RunEnvironment& env, const std::vector<std::string>& files) {
    int status = 0;
    env.console_out << table_header();
    for (const std::string& file : files) {
        try {
            const std::string name = env.files.absolute_name(file);
            if (file.empty()) throw RunTimeFailure{failure_file_name, input_unit, name};
            const std::unique_ptr<InputFile> input = env.files.open_input(name);
            InputRecords in(*input, name);
            ProblemRecord p;
            if (read_title_record(in, p) == ReadResult::end_of_input ||
                read_pad_record(in, p) == ReadResult::end_of_input) {
                throw RunTimeFailure{failure_end_of_file, input_unit, name};
            }
            read_beam_record(in, p);
            env.console_out << table_row(p, name_to_utf8(name_stem(file)), "", 1);
        } catch (const RunTimeFailure& failure) {
            env.error_out << file << ": no row: " << failure_line(failure);
            if (status == 0) status = failure.number;
        }
    }
    return status;
}

}  // namespace bearingpad
