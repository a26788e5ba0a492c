// The native side of the page's comparison: solves each input file given
// through the same solve as the console program, on the system's files, with
// a fixed clock, and writes for each FILE.dat into OUTDIR: FILE.rpt (the
// report's bytes) and FILE.out (the exit status on the first line, then the
// console line and the failure line as the page gives them) and FILE.exp
// (the number of marks of --explain on the first line, then its text), and
// FILE.json and FILE.csv (the result as JSON, the schedule row). With
// --criteria and --catalog, each problem is solved as the command line
// solves it with them, its console line ends as the command line's does
// when it writes the chosen pad's records ("; input.standard.dat"), and
// FILE.std holds those records (empty without a catalog or a chosen pad).
//
//     native_solve [--criteria TOML] [--catalog TABLE] OUTDIR FILE.dat...
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "driver/catalog.h"
#include "driver/criteria_file.h"
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

std::optional<std::string> read_file(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) return std::nullopt;
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<bearingpad::CriteriaSet> criteria;
    std::optional<bearingpad::Catalog> catalog;
    int first = 1;
    while (first + 1 < argc &&
           (std::string(argv[first]) == "--criteria" || std::string(argv[first]) == "--catalog")) {
        const std::string option = argv[first];
        const std::optional<std::string> text = read_file(argv[first + 1]);
        std::string error = "cannot be read";
        if (text && option == "--criteria") criteria = bearingpad::read_criteria(*text, error);
        if (text && option == "--catalog") catalog = bearingpad::read_catalog(*text, error);
        if (option == "--criteria" ? !criteria : !catalog) {
            std::cerr << argv[first + 1] << ": " << error << "\n";
            return 2;
        }
        first += 2;
    }
    if (argc - first < 1) {
        std::cerr << "usage: native_solve [--criteria TOML] [--catalog TABLE] OUTDIR FILE.dat...\n";
        return 2;
    }
    const std::string outdir = argv[first];
    // The name the page gives an input that was not opened from a file.
    const std::string input_name = "input.dat";
    bearingpad::SystemFileAccess files;
    for (int i = first + 1; i < argc; ++i) {
        const std::string path = argv[i];
        std::string base = path.substr(path.find_last_of("/\\") + 1);
        if (base.size() > 4 && base.compare(base.size() - 4, 4, ".dat") == 0)
            base.resize(base.size() - 4);
        StringSink report;
        bearingpad::Result outcome;
        std::optional<bearingpad::CatalogChoice> chosen;
        const bearingpad::CriteriaSet* set = criteria ? &*criteria : nullptr;
        try {
            auto input = files.open_input(files.absolute_name(path));
            if (catalog) {
                outcome = bearingpad::solve_with_catalog(*catalog, *input, input_name, report,
                                                         fixed_time(), set, chosen);
            } else {
                outcome = bearingpad::solve(*input, input_name, report, fixed_time(), set);
            }
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
        result += "input.dat: input.rpt " + bearingpad::outcome_summary(outcome) +
                  (chosen && !outcome.failure ? "; input.standard.dat" : "") + "\r\n";
        if (outcome.failure) result += outcome.failure->line;
        if (!write_file(outdir + "/" + base + ".rpt", report.data) ||
            !write_file(outdir + "/" + base + ".out", result) ||
            !write_file(outdir + "/" + base + ".json",
                        bearingpad::result_json(outcome, input_name)) ||
            !write_file(outdir + "/" + base + ".csv",
                        bearingpad::schedule_row(outcome, input_name)) ||
            !write_file(outdir + "/" + base + ".std",
                        chosen && !outcome.failure ? chosen->input : std::string()) ||
            !write_file(outdir + "/" + base + ".exp",
                        std::to_string(marks) + "\n" + explained.str())) {
            std::cerr << "cannot write into " << outdir << "\n";
            return 1;
        }
    }
    return 0;
}
