// The owner's criteria: limits that a bridge owner adds on top of AASHTO,
// as data. Each criterion of the vocabulary below is a key of a criteria
// file, with its unit and the range a value may take; each limit that a set
// gives becomes a check of the final bearing beside the eleven of
// check_list.h, with its demand, limit, ratio and verdict, and the owner's
// document and article as its source. The report is not touched: the owner
// checks are read from the result.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "checks/check_results.h"
#include "checks/verdict.h"

namespace bearingpad {

struct Result;

enum class CriterionId {
    max_stress_psi,            // compressive stress, any pad
    max_stress_plain_psi,      // compressive stress, a plain pad (no load plate)
    max_stress_laminated_psi,  // compressive stress, a pad with load plates
    min_thickness_in,          // total thickness
    max_thickness_in,          // total thickness
    max_elastomer_in,          // total elastomer hrt
    max_plan_area_in2,         // W x L of the bearing
    max_load_k,                // dead + live load on the bearing
    min_side_cover_in,         // side cover (below side_cover_tall_from_in when given)
    min_side_cover_tall_in,    // side cover of a bearing at least that tall
    side_cover_tall_from_in,   // the height from which the tall side cover applies
    max_cover_ratio,           // cover layer / internal layer
    min_plate_in,              // the thinnest steel plate
    max_plate_in,              // the thickest steel plate
    plan_step_in,              // W and L in whole steps
    thickness_step_in,         // the total thickness in whole steps
};

enum class CriterionKind {
    at_most,    // fails when the demand exceeds the limit
    at_least,   // fails when the demand is below the limit
    step,       // fails when the demand is not a whole number of steps
    parameter,  // no check of its own: a value another criterion uses
};

struct CriterionDefinition {
    CriterionId id;
    const char* key;   // the key in a criteria file: "max_stress_psi"
    const char* name;  // a few words: "compressive stress"
    const char* unit;  // of the value, as the report writes it: "psi", "in", "in2", "K", ""
    CriterionKind kind;
    float lowest;   // the range a value may take, both included
    float highest;  // (a value outside it is refused as a slip)
};

inline constexpr float kStepTolerance = 0.0001f;  // in: a dimension within it is on its step

inline constexpr std::array<CriterionDefinition, 16> kCriteria = {{
    {CriterionId::max_stress_psi, "max_stress_psi", "compressive stress", "psi",
     CriterionKind::at_most, 100, 5000},
    {CriterionId::max_stress_plain_psi, "max_stress_plain_psi", "compressive stress, plain pad",
     "psi", CriterionKind::at_most, 100, 5000},
    {CriterionId::max_stress_laminated_psi, "max_stress_laminated_psi",
     "compressive stress, laminated pad", "psi", CriterionKind::at_most, 100, 5000},
    {CriterionId::min_thickness_in, "min_thickness_in", "least total thickness", "in",
     CriterionKind::at_least, 0.125f, 20},
    {CriterionId::max_thickness_in, "max_thickness_in", "greatest total thickness", "in",
     CriterionKind::at_most, 0.125f, 20},
    {CriterionId::max_elastomer_in, "max_elastomer_in", "total elastomer", "in",
     CriterionKind::at_most, 0.125f, 20},
    {CriterionId::max_plan_area_in2, "max_plan_area_in2", "plan area", "in2",
     CriterionKind::at_most, 1, 10000},
    {CriterionId::max_load_k, "max_load_k", "bearing load", "K", CriterionKind::at_most, 1, 10000},
    {CriterionId::min_side_cover_in, "min_side_cover_in", "side cover", "in",
     CriterionKind::at_least, 0.0625f, 2},
    {CriterionId::min_side_cover_tall_in, "min_side_cover_tall_in", "side cover, tall pad", "in",
     CriterionKind::at_least, 0.0625f, 2},
    {CriterionId::side_cover_tall_from_in, "side_cover_tall_from_in", "height of a tall pad", "in",
     CriterionKind::parameter, 0.125f, 20},
    {CriterionId::max_cover_ratio, "max_cover_ratio", "cover layer / internal layer", "",
     CriterionKind::at_most, 0.1f, 2},
    {CriterionId::min_plate_in, "min_plate_in", "thinnest steel plate", "in",
     CriterionKind::at_least, 0.01f, 1},
    {CriterionId::max_plate_in, "max_plate_in", "thickest steel plate", "in",
     CriterionKind::at_most, 0.01f, 1},
    {CriterionId::plan_step_in, "plan_step_in", "plan dimensions in steps", "in",
     CriterionKind::step, 0.0625f, 12},
    {CriterionId::thickness_step_in, "thickness_step_in", "thickness in steps", "in",
     CriterionKind::step, 0.0625f, 2},
}};

constexpr const CriterionDefinition& criterion_definition(CriterionId id) {
    return kCriteria[static_cast<std::size_t>(id)];
}

// The check's name as shown: "Owner: compressive stress".
std::string owner_check_name(CriterionId id);

// One limit of a set: its value and where the owner's document gives it.
struct OwnerLimit {
    CriterionId id{};
    float value = 0;
    std::string article;  // "Sec. 14.2, p. 14-3"
    int line = 0;         // its line in the criteria file
};

// A named set of owner criteria.
struct CriteriaSet {
    std::string name;      // "State DOT example"
    std::string document;  // "Bridge Design Manual"
    std::string edition;   // "2019"
    std::vector<OwnerLimit> limits;

    const OwnerLimit* find(CriterionId id) const;
    // "State DOT example (Bridge Design Manual, 2019)".
    std::string rules_text() const;
};

// Two limits of a set that cannot both be met, or one that needs another:
// the message ("`min_plate_in` (0.25) is above `max_plate_in` (0.125)") and
// the line it is about; nothing when the set holds together.
struct CriteriaFault {
    int line = 0;
    std::string text;
};
std::optional<CriteriaFault> contradiction(const CriteriaSet& set);

// One owner check of the final bearing.
struct OwnerCheckOutcome {
    CriterionId id{};
    float demand = 0;
    float limit = 0;
    // demand / limit for a greatest value, limit / demand for a least value
    // (above 1 fails either way); no ratio (NaN) for a step.
    float ratio = 0;
    bool applies = true;
    CheckVerdict verdict = CheckVerdict::passes;
    std::string reason;
    std::string article;  // the owner's article or page
};

// The owner checks of the bearing of a check results record, one per limit
// of the set in its order (a parameter makes none).
std::vector<OwnerCheckOutcome> owner_checks(const CriteriaSet& set, const CheckResults& r);

// The owner's checks of a solved or impossible problem and the rules text
// put in the result: checks of a bearing that was not reached (an
// impossible design, a bearing that is not physical) are not evaluated.
void apply_criteria(Result& result, const CriteriaSet& set);

}  // namespace bearingpad
