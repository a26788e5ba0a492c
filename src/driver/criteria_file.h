// A criteria file: an owner's named set of limits in TOML, read whole and
// refused as a whole. The file gives the set's name, the owner's document
// and its edition, and under [limits] each limit of the vocabulary
// (checks/criteria.h) with its value, its unit and the article or page of
// the document:
//
//   name = "State DOT example"
//   document = "Bridge Design Manual"
//   edition = "2019"
//   [limits]
//   max_stress_psi = { value = 800, unit = "psi", article = "Sec. 14.2" }
//
// An unknown key, a wrong unit, a value out of its range, two limits that
// contradict each other and a TOML syntax error are each refused with the
// line they are on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "checks/criteria.h"

namespace bearingpad {

// The set, or nothing with error set to one line: "line 7: `max_stres_psi`
// is not a criterion; did you mean `max_stress_psi`?".
std::optional<CriteriaSet> read_criteria(std::string_view text, std::string& error);

// The key of the vocabulary nearest to a mistyped one (by edits), or ""
// when none is near.
std::string nearest_criterion(std::string_view key);

}  // namespace bearingpad
