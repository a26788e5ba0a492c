// An honest verdict: whether each check was made and held, and whether the
// bearing as used is adequate. The report's warnings keep the comparisons of
// the check list, where a NaN compares false and passes; the verdict says
// "passes" only where a check was made on finite values and held, and
// "adequate" only for a physical bearing whose applying checks all pass.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "checks/check_list.h"
#include "checks/check_results.h"
#include "checks/problem_record.h"

namespace bearingpad {

struct Result;
struct CheckOutcome;

// The rules a verdict is taken under.
inline constexpr const char* kAashtoRules = "AASHTO 1992 Art. 14.4.1 Method A";

enum class CheckVerdict { passes, fails, not_evaluated };

// The verdict of a problem, from how it ended and what its checks found.
enum class VerdictWord {
    adequate,             // a physical bearing, every applying check passes
    inadequate,           // a physical bearing, a check fails
    design_not_possible,  // a design that ended without a bearing
    rejected,             // invalid pad data
    failure,              // a run-time failure, or an output refused
    not_evaluated,        // no pad record, a bearing that is not physical, a check not made
};

// Why a problem or a check was not evaluated. field is the input field (as
// named in the input field table) the reason is about, or "" when it is
// about no single field.
struct VerdictReason {
    const char* field = "";
    std::string text;
};

struct Verdict {
    VerdictWord word = VerdictWord::not_evaluated;
    std::vector<VerdictReason> reasons;  // for not_evaluated, in words
    int failed_checks = 0;               // applying checks whose verdict is fails
    // inadequate: the failing check with the highest ratio; adequate: the
    // passing check with the highest ratio; otherwise none.
    std::optional<CheckId> governing;
    // The same when the governing check is an owner's: its index in the
    // result's owner_checks (governing is then empty).
    std::optional<std::size_t> governing_owner;
    float governing_ratio = 0;
};

// The governing check's key ("compressive_stress", "max_stress_psi") and
// name; "" when none governs.
std::string governing_key(const Result& result, const Verdict& verdict);
std::string governing_name(const Result& result, const Verdict& verdict);

// The rules a result was judged under: AASHTO, and the owner's criteria set
// when one was applied ("AASHTO 1992 Art. 14.4.1 Method A and State example
// (Bridge Design Manual, 2019)").
std::string rules_text(const Result& result);

// The verdict of one check from its numbers alone, and the reason when it
// is not evaluated: a demand or limit that is not finite, a limit of 0 or
// below, or a demand below 0 of a quantity that cannot be negative.
CheckVerdict check_verdict(const CheckDefinition& definition, float demand, float limit,
                           bool passed, std::string* reason);

// Why the bearing as used is not physical, in words, for a solved problem
// (its final check results, and the problem as used for the values the
// checks see only through others): nothing when it is.
std::vector<VerdictReason> physical_reasons(const CheckResults& r, const ProblemRecord& used);

// Sets the verdict of every check of a solved or impossible problem: a
// check of an impossible design or of a bearing that is not physical is
// not evaluated, whatever its numbers.
void settle_check_verdicts(Result& result);

// The problem's verdict, as it ended (an output refused after the solve
// included).
Verdict verdict_of(const Result& result);

// "adequate", "inadequate", "design_not_possible", "rejected", "failure",
// "not_evaluated"; and the same in words, with blanks.
const char* verdict_key(VerdictWord word);
const char* verdict_words(VerdictWord word);
const char* check_verdict_key(CheckVerdict verdict);

}  // namespace bearingpad
