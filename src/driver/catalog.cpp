#include "driver/catalog.h"

#include <cmath>

#include "driver/bearing_table.h"
#include "driver/solve.h"

namespace bearingpad {

namespace {

class TextInput : public InputFile {
  public:
    TextInput(const std::array<std::string, 3>& records, std::size_t count = 3)
        : records_(records), count_(count) {}
    std::optional<std::string> read_record() override {
        if (next_ >= count_) return std::nullopt;
        return records_[next_++];
    }

  private:
    std::array<std::string, 3> records_;
    std::size_t count_;
    std::size_t next_ = 0;
};

class NoReport : public OutputSink {
  public:
    void write(std::string_view) override {}
};

}  // namespace

std::optional<Catalog> read_catalog(std::string_view bytes, std::string& error) {
    const BearingTable table = read_bearing_table(bytes, "catalog");
    if (!table.refused.empty()) {
        error = table.refused;
        return std::nullopt;
    }
    if (!table.refusals.empty()) {
        error = table.refusals.front().reason;
        return std::nullopt;
    }
    Catalog catalog;
    for (const TableRow& row : table.rows) {
        CatalogPad pad;
        pad.type = row.mark.empty() ? "row " + std::to_string(row.row) : row.mark;
        pad.pad_record = row.records[1];
        if (pad.pad_record.size() < 2) pad.pad_record.resize(2, ' ');
        pad.pad_record[1] = 'A';  // column 2: an analysis of the pad as it is
        catalog.pads.push_back(std::move(pad));
    }
    return catalog;
}

std::optional<CatalogChoice> choose_standard_pad(const Catalog& catalog,
                                                 const std::array<std::string, 3>& records,
                                                 const std::tm& now, const CriteriaSet* criteria) {
    std::optional<CatalogChoice> lowest;
    bool lowest_rated = false;
    float lowest_ratio = 0;
    for (std::size_t i = 0; i < catalog.pads.size(); ++i) {
        const std::array<std::string, 3> tried = {records[0], catalog.pads[i].pad_record,
                                                  records[2]};
        TextInput input(tried);
        NoReport report;
        const Result result = solve(input, "catalog", report, now, criteria);
        const Verdict verdict = verdict_of(result);
        CatalogChoice choice;
        choice.index = i;
        choice.input = tried[0] + '\n' + tried[1] + '\n' + tried[2] + '\n';
        if (verdict.word == VerdictWord::adequate) {
            choice.passes = true;
            return choice;
        }
        // The lowest governing ratio of the pads that were evaluated; the
        // first pad when none was.
        const bool rated =
            verdict.word == VerdictWord::inadequate && !std::isnan(verdict.governing_ratio);
        if (lowest && !(rated && (!lowest_rated || verdict.governing_ratio < lowest_ratio))) {
            continue;
        }
        for (const CheckOutcome& c : result.checks) {
            if (c.applies && c.verdict == CheckVerdict::fails) {
                choice.failing.push_back(check_definition(c.id).name);
            }
        }
        for (const OwnerCheckOutcome& c : result.owner_checks) {
            if (c.applies && c.verdict == CheckVerdict::fails) {
                choice.failing.push_back(owner_check_name(c.id));
            }
        }
        lowest = choice;
        lowest_rated = rated;
        lowest_ratio = verdict.governing_ratio;
    }
    return lowest;
}

Result solve_with_catalog(const Catalog& catalog, InputFile& input, const std::string& input_name,
                          OutputSink& report, const std::tm& now, const CriteriaSet* criteria,
                          std::optional<CatalogChoice>& chosen) {
    std::array<std::string, 3> records;
    std::size_t count = 0;
    try {
        for (; count < 3; ++count) {
            const std::optional<std::string> record = input.read_record();
            if (!record) break;
            records[count] = *record;
        }
    } catch (const RunTimeFailure&) {
        count = 0;  // the failure is met again below, as the problem's own
    }
    if (count == 3) chosen = choose_standard_pad(catalog, records, now, criteria);
    if (!chosen) {
        // No three records (or an empty catalog): the problem as it is.
        std::array<std::string, 3> read = records;
        TextInput as_read(read, count);
        return solve(as_read, input_name, report, now, criteria);
    }
    const CatalogPad& pad = catalog.pads[chosen->index];
    TextInput tried({records[0], pad.pad_record, records[2]}, 3);
    Result result = solve(tried, input_name, report, now, criteria);
    result.standard_pad = pad.type;
    result.standard_pad_passes = chosen->passes;
    result.standard_pad_failing = chosen->failing;
    return result;
}

}  // namespace bearingpad
