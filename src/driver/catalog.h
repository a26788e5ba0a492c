// Standard pads from a catalog: a table with the columns of --table
// (bearing_table.h), one row a pad type, in the order to try them. For a
// problem, its title and beam records (loads, spans, deflections) with each
// catalog pad's pad record, as an analysis, make one input; the first whose
// verdict is adequate (under the owner's criteria when given) is chosen.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/criteria.h"
#include "checks/result.h"
#include "driver/file_access.h"

namespace bearingpad {

struct CatalogPad {
    std::string type;        // the row's mark, or its row number
    std::string pad_record;  // the row's pad record, its mode set to analysis
};

struct Catalog {
    std::vector<CatalogPad> pads;
};

// The catalog of a table's bytes, or nothing with error set (the table
// refused, or a row refused: a catalog is used whole or not at all).
std::optional<Catalog> read_catalog(std::string_view bytes, std::string& error);

struct CatalogChoice {
    std::size_t index = 0;             // the pad chosen, or the one of the lowest governing ratio
    bool passes = false;               // whether it is adequate
    std::string input;                 // the three records of its analysis, LF ended
    std::vector<std::string> failing;  // without a pad that passes: the chosen pad's failing checks
};

// Tries each pad of the catalog in order with the problem's title and beam
// records; nothing when the catalog is empty.
std::optional<CatalogChoice> choose_standard_pad(const Catalog& catalog,
                                                 const std::array<std::string, 3>& records,
                                                 const std::tm& now, const CriteriaSet* criteria);

// A problem solved with the catalog: its records read, the standard pad
// chosen, and that pad's analysis solved into the report (as the .dat of
// chosen->input would give it). Without three records, or with an empty
// catalog, the problem as read (chosen then empty).
Result solve_with_catalog(const Catalog& catalog, InputFile& input, const std::string& input_name,
                          OutputSink& report, const std::tm& now, const CriteriaSet* criteria,
                          std::optional<CatalogChoice>& chosen);

}  // namespace bearingpad
