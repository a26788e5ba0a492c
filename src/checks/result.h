// The result of one problem as data: what was typed, what was read and used,
// how the problem ended, the final bearing, every check with its demand and
// limit, the warnings and the closing messages. The solve returns it; every
// front end and renderer (the report's summary line, the JSON result, the
// bearing schedule, the drawing, the page) reads it and none repeats a step
// of the solve.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checks/check_list.h"
#include "checks/check_results.h"
#include "checks/criteria.h"
#include "checks/design_search.h"
#include "checks/layers.h"
#include "checks/problem_record.h"
#include "checks/verdict.h"

namespace bearingpad {

// How a problem ended.
enum class ProblemEnd {
    no_problem,           // no pad record: the report holds the banner at most
    rejected,             // invalid pad data: one closing message, no output data
    solved,               // the output data written, every check run
    design_not_possible,  // a design that ended without a design (closing messages)
    failure,              // a run-time failure: the report keeps what was written before
};

// A run-time failure as data: its message number, unit and file, the message
// text and the whole line written on standard error (CR LF included).
struct FailureData {
    int number = 0;
    int unit = 0;
    std::string file_name;
    std::string text;
    std::string line;
};

// The bearing as built: the values the bearing details page prints, with the
// layers the stress and deflection tables count.
struct Bearing {
    float width = 0;      // in
    float length = 0;     // in
    float thickness = 0;  // total, in
    std::int32_t number_of_holes = 0;
    float diameter_of_hole = 0;  // in (0 without holes)
    float cover_thickness = 0;   // top and bottom cover, in
    float side_cover = 0;        // in
    std::int32_t load_plate_count = 0;
    float load_plate_thickness = 0;  // in
    std::int32_t internal_plate_count = 0;
    float internal_plate_thickness = 0;  // in
    LayerCounts layers;
    float internal_layer_thickness = 0;  // hri of an internal layer, in
    float cover_layer_thickness = 0;     // hri of a cover layer (the pad itself when plain), in
    float shape_factor_internal = 0;
    float shape_factor_cover = 0;
    float elastomer_thickness = 0;  // hrt, in
    // The plan the properties are taken from: the plates (bearing less its
    // side cover, holes larger by it) or the bearing itself.
    bool properties_from_plates = false;
};

// One check of the final bearing.
struct CheckOutcome {
    CheckId id{};
    float demand = 0;
    float limit = 0;
    float ratio = 0;      // demand / limit, evaluated in double and stored
    bool passed = true;   // no warning for it
    bool applies = true;  // false for the plate checks of a pad without such plates
    // Whether the check was made on finite values and held: passed alone
    // follows the report's comparison, where a NaN passes.
    CheckVerdict verdict = CheckVerdict::passes;
    std::string reason;  // why it was not evaluated; empty otherwise
    // For a check that fails: the remedy the design search takes first for
    // it, from this bearing.
    std::optional<Remedy> remedy;
};

// One warning of page 5: the check or checks it reports (two for the lines
// that name both stability limits or both plates) and its line(s) as
// printed, without the blanks around them.
struct Warning {
    std::vector<CheckId> checks;
    std::vector<std::string> lines;
};

struct Result {
    // The records as typed (a byte order mark removed), at most three.
    std::vector<std::string> records;
    // The values of the three records as read, and as used (defaults
    // applied, counts decoded, the thickness with its allowance).
    ProblemRecord as_read;
    ProblemRecord used;
    RunMode mode = RunMode::design;
    // Whether the pad record was read: the mode is its mode only then.
    bool pad_record_read = false;
    ProblemEnd end = ProblemEnd::no_problem;
    // Whether any record of the report was written: not for an input without
    // a title record.
    bool report_written = false;

    // From here on, only for solved problems and impossible designs.
    // The whole check results record after the report's entry adjustments.
    std::optional<CheckResults> record;
    Bearing bearing;
    std::vector<CheckOutcome> checks;  // in the order of kChecks
    // The owner's checks, one per limit of the criteria set applied, in its
    // order; the set's name, document and edition ("" without a set).
    std::vector<OwnerCheckOutcome> owner_checks;
    std::string owner_rules;
    std::string owner_name;  // the set's name alone
    // With a catalog: the standard pad type analysed, whether it passes (the
    // first that does), and otherwise its failing checks' names.
    std::string standard_pad;
    bool standard_pad_passes = false;
    std::vector<std::string> standard_pad_failing;
    std::vector<Warning> warnings;  // in the order the report writes them
    int design_passes = 0;          // passes of the design search (0 in an analysis)

    // One text per closing message written (a message of two lines joined by a blank).
    std::vector<std::string> closing_messages;
    std::optional<FailureData> failure;

    // The applying check with the highest ratio (a NaN ratio never governs);
    // nothing without checks.
    const CheckOutcome* governing_check() const;
    // The exit status of the console program: 0, or the message number.
    int status() const { return failure ? failure->number : 0; }
};

// The checks of the final record, in the order of kChecks.
std::vector<CheckOutcome> check_outcomes(const CheckResults& r);

// The bearing as the details page prints it.
Bearing bearing_of(const CheckResults& r);

}  // namespace bearingpad
