// The picture of a solved problem: one Letter landscape sheet (it prints on
// A4 too) with the bearing drawn to scale, a plan and a section, its
// dimensions, the bill of layers and a title block, and beside it the strain
// chart of Figure 14.4.1.2B with the problem's points on it. SVG text, made
// from the solve's result alone.
#pragma once

#include <optional>
#include <string>

#include "checks/result.h"

namespace bearingpad {

// The sheet of a solved problem, or of an impossible design (its last bearing
// tried, marked DESIGN NOT POSSIBLE on the sheet); nothing for an input
// without a problem, rejected pad data or a run-time failure.
//
// The drawn elements carry their meaning, so that the sheet can be checked
// without reading coordinates out of its text: <g id="plan"> and
// <g id="section"> with data-scale (sheet units, 1/96 in, per inch of the
// bearing); in the plan the pad (class "pad"), the plate outline
// ("plate-outline"), the holes ("hole") and the plates' holes ("plate-hole");
// in the section the body ("body") and one <g> a layer or plate, class
// "layer cover", "layer internal", "layer pad", "plate load-plate" or "plate
// internal-plate", with data-thickness in inches; the chart <g id="chart">
// with its axes' mapping, and one <g class="strain-point"> for each strain
// the report interpolates, with data-strain as the report prints it. The
// sheet's data-verdict is the problem's verdict key. A value that is not
// finite is written as the JSON writes it: no data-NAME, and its text
// ("NaN", "Infinity", "-Infinity") in data-NAME_text.
//
// The title block states the verdict, the rules applied and a design's
// answer. A bearing not evaluated gets its reasons and its values as used in
// place of the plan, section and chart; a view that no drafting scale down
// to 1:256 draws is not drawn, and the sheet says so.
std::optional<std::string> drawing_svg(const Result& result);

}  // namespace bearingpad
