// The native side of the page's comparison: solves each input file given
// through the same solve as the console program, on the system's files, with
// a fixed clock, and writes for each FILE.dat into OUTDIR: FILE.rpt (the
// report's bytes) and FILE.out (the exit status on the first line, then the
// console line and the failure line as the page gives them) and FILE.exp
// (the number of marks of --explain on the first line, then its text), and
// FILE.json and FILE.csv (the result as JSON, the schedule row).
//
//     native_solve OUTDIR FILE.dat...
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "driver/explain.h"
#include "driver/solve.h"
#include "results/result_json.h"
#include "results/schedule.h"

namespace {

class StringSink : public bearingpad::OutputSink {
  public:
    void write(std::string_view bytes) override { data.append(bytes); }
    std::string data;
};

// The clock of every comparison: 7 December 2026, 15:15:00.
std::tm fixed_time() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 15;
    t.tm_min = 15;
    return t;
}

bool write_file(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: native_solve OUTDIR FILE.dat...\n";
        return 2;
    }
    const std::string outdir = argv[1];
    // The name the page gives an input that was not opened from a file.
    const std::string input_name = "input.dat";
    bearingpad::SystemFileAccess files;
    for (int i = 2; i < argc; ++i) {
        const std::string path = argv[i];
        std::string base = path.substr(path.find_last_of("/\\") + 1);
        if (base.size() > 4 && base.compare(base.size() - 4, 4, ".dat") == 0)
            base.resize(base.size() - 4);
        StringSink report;
        bearingpad::Result outcome;
        try {
            auto input = files.open_input(files.absolute_name(path));
            outcome = bearingpad::solve(*input, input_name, report, fixed_time());
        } catch (const bearingpad::RunTimeFailure& f) {
            std::cerr << path << ": " << bearingpad::failure_text(f) << "\n";
            return 1;
        }
        std::ostringstream explained;
        int marks = 0;
        try {
            auto input = files.open_input(files.absolute_name(path));
            const bearingpad::Explanation explanation = bearingpad::explain_input(*input);
            bearingpad::write_explanation(explanation, explained);
            marks = bearingpad::mark_count(explanation);
        } catch (const bearingpad::RunTimeFailure& f) {
            std::cerr << path << ": " << bearingpad::failure_text(f) << "\n";
            return 1;
        }
        std::string result = std::to_string(outcome.status()) + "\n";
        result += "input.dat: input.rpt " + bearingpad::outcome_summary(outcome) + "\r\n";
        if (outcome.failure) result += outcome.failure->line;
        if (!write_file(outdir + "/" + base + ".rpt", report.data) ||
            !write_file(outdir + "/" + base + ".out", result) ||
            !write_file(outdir + "/" + base + ".json",
                        bearingpad::result_json(outcome, input_name)) ||
            !write_file(outdir + "/" + base + ".csv",
                        bearingpad::schedule_row(outcome, input_name)) ||
            !write_file(outdir + "/" + base + ".exp",
                        std::to_string(marks) + "\n" + explained.str())) {
            std::cerr << "cannot write into " << outdir << "\n";
            return 1;
        }
    }
    return 0;
}
