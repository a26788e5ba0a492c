// The report writer: entry adjustments, the page frame of the five pages of
// output data, the order of the blocks with their variants, the bearing
// details page and the warning lines.
#include "report/presults.h"

#include <string>

#include "checks/numeric.h"
#include "report/banner.h"
#include "report/layout.h"

namespace bearingpad {

namespace {

using R = CheckResults;

// Before printing, the values that do not apply to the pad's construction are
// set to what the bearing details should show.
void adjust_entry_values(CheckResults& r) {
    if (r.load_plate_count == 0) r.cover_thickness = 0;
    if (r.load_plate_count == 0) r.side_cover = 0;
    // With one load plate the two covers are the elastomer layers either side
    // of the plate, whatever cover was entered.
    if (r.load_plate_count == 1) {
        r.cover_thickness = store((wide(r.thickness) - wide(r.load_plate_thickness)) * wide(0.5f));
    }
    if (r.load_plate_count == 0) r.load_plate_thickness = 0;
    if (r.internal_plate_count == 0) r.internal_plate_thickness = 0;
    if (r.number_of_holes == 0) r.diameter_of_hole = 0;
}

void write_separator(ReportFile& report) {
    report.write(separator_line());
}

// An empty line, then the page number in column 38.
void write_footer(ReportFile& report, int page) {
    report.write(Record());
    report.write(Record().control(' ').text(38, "PAGE " + std::to_string(page)));
}

void write_page_eject(ReportFile& report) {
    report.write(Record().control('1'));
}

// Separator, footer and eject that close pages 1 to 4.
void end_page(ReportFile& report, int page) {
    write_separator(report);
    write_footer(report, page);
    write_page_eject(report);
}

// The final dimensions, loads and plates, after the entry adjustments.
const Layout kBearingDetails = {
    {lit(33, "BEARING DETAILS")},
    {lit(26, "60 DUROMETER HARDNESS NEOPRENE")},
    {},
    {lit(24, "WIDTH = "), real(32, &R::width, 7, 4), lit(39, " IN"),
     lit(49, "NUMBER OF HOLE(S) = "), integer(69, &R::number_of_holes, 2)},
    {lit(23, "LENGTH = "), real(32, &R::length, 7, 4), lit(39, " IN"),
     lit(50, "DIAMETER OF HOLE = "), real(69, &R::diameter_of_hole, 7, 4), lit(76, " IN")},
    {lit(20, "THICKNESS = "), real(32, &R::thickness, 7, 4), lit(39, " IN"),
     lit(46, "TOP AND BOTTOM COVER =   "), real(71, &R::cover_thickness, 5, 4), lit(76, " IN")},
    {lit(56, "SIDE COVER =   "), real(71, &R::side_cover, 5, 4), lit(76, " IN")},
    {lit(20, "DEAD LOAD = "), real(32, &R::dead_load, 7, 1), lit(39, " K")},
    {lit(20, "LIVE LOAD = "), real(32, &R::live_load, 7, 1), lit(39, " K")},
    {lit(8, "DEAD LOAD + LIVE LOAD = "), real(32, &R::total_load, 7, 1), lit(39, " K")},
    {},
    {lit(5, "DESIGN SHEAR DEFORMATION =   "), real(34, &R::shear_deformation, 5, 3),
     lit(39, " IN")},
    {},
    {lit(6, "NUMBER OF LOAD PLATE(S) = "), integer(32, &R::load_plate_count, 2),
     lit(42, "THICKNESS OF LOAD PLATE(S) = "), real(71, &R::load_plate_thickness, 5, 4),
     lit(76, " IN")},
    {lit(2, "NUMBER OF INTERNAL PLATE(S) = "), integer(32, &R::internal_plate_count, 2),
     lit(38, "THICKNESS OF INTERNAL PLATE(S) = "), real(71, &R::internal_plate_thickness, 5, 4),
     lit(76, " IN")},
    {},
    {lit(15, "ENGINEER MAKE YOUR CHECKS FOR COMPRESSIVE DEFLECTION")},
};

// One warning line per failed check, in the order they are tested.
const Layout kStressWarning = {
    {lit(12, "ACTUAL COMPRESSIVE STRESS EXCEEDS MINIMUM ALLOWABLE STRESS")}};
const Layout kThicknessWarning = {
    {lit(8, "TOTAL ELASTOMER THICKNESS IS LESS THAN MINIMUM ELASTOMER THICKNESS")}};
const Layout kRotationDeadWarning = {
    {lit(8, "(CAMBER + DEAD LOAD DEFLECTION) ROTATION EXCEEDS ALLOWABLE ROTATION")}};
const Layout kRotationTotalWarning = {
    {lit(9, "(CAMBER + DEAD LOAD DEFLECTION + LIVE LOAD DEFLECTION) ROTATION")},
    {lit(28, "EXCEEDS ALLOWABLE ROTATION")},
};
const Layout kUnstableWidthWarning = {{lit(21, "BEARING IS UNSTABILE, INCREASE THE WIDTH")}};
const Layout kUnstableLengthWarning = {{lit(20, "BEARING IS UNSTABILE, INCREASE THE LENGTH")}};
const Layout kUnstableBothWarning = {
    {lit(15, "BEARING IS UNSTABILE, INCREASE THE WIDTH AND LENGTH")}};
const Layout kBothPlatesWorkingWarning = {
    {lit(8, "LOAD PLATE AND INTERNAL PLATE IS OVERSTRESSED UNDER WORKING LOADS")}};
const Layout kLoadPlateWorkingWarning = {
    {lit(18, "LOAD PLATE IS OVERSTRESSED UNDER WORKING LOADS")}};
const Layout kInternalPlateWorkingWarning = {
    {lit(16, "INTERNAL PLATE IS OVERSTRESSED UNDER WORKING LOADS")}};
const Layout kBothPlatesFatigueWarning = {
    {lit(15, "-- LOAD PLATE AND INTERNAL PLATE IS OVERSTRESSED --")}};
const Layout kLoadPlateFatigueWarning = {{lit(28, "-- LOAD PLATE IS OVERSTRESSED --")}};
const Layout kInternalPlateFatigueWarning = {{lit(26, "-- INTERNAL PLATE IS OVERSTRESSED --")}};
const Layout kSlipWarning = {{lit(22, "-- BEARING WILL SLIP, REDESIGN REDUCING H --")}};

// Every comparison is strict: a value equal to its limit passes. A NaN
// compares false and so writes no warning.
void write_warnings(ReportFile& report, const CheckResults& r, const LayerCounts& counts) {
    auto warn = [&](bool condition, const Layout& lines) {
        if (condition) write_lines(report, lines, r, counts);
    };
    warn(r.compressive_stress > r.allowable_stress, kStressWarning);
    warn(r.elastomer_thickness < r.minimum_elastomer_thickness, kThicknessWarning);
    warn(r.rotation_dead > r.rotation_allowable_dead, kRotationDeadWarning);
    warn(r.rotation_total > r.rotation_allowable_total, kRotationTotalWarning);

    const bool too_wide = r.thickness > r.stability_limit_width;
    const bool too_long = r.thickness > r.stability_limit_length;
    warn(too_wide, kUnstableWidthWarning);
    warn(too_long, kUnstableLengthWarning);
    warn(too_wide && too_long, kUnstableBothWarning);

    // At most one line for the working stresses and one for fatigue.
    const bool load_plate_working = r.load_plate_working_stress > r.load_plate_allowable_stress;
    const bool internal_plate_working =
        r.internal_plate_working_stress > r.internal_plate_allowable_stress;
    if (load_plate_working && internal_plate_working) {
        write_lines(report, kBothPlatesWorkingWarning, r, counts);
    } else if (load_plate_working) {
        write_lines(report, kLoadPlateWorkingWarning, r, counts);
    } else if (internal_plate_working) {
        write_lines(report, kInternalPlateWorkingWarning, r, counts);
    }

    const bool load_plate_fatigue = r.load_plate_fatigue_stress > r.load_plate_allowable_fatigue;
    const bool internal_plate_fatigue =
        r.internal_plate_fatigue_stress > r.internal_plate_allowable_fatigue;
    if (load_plate_fatigue && internal_plate_fatigue) {
        write_lines(report, kBothPlatesFatigueWarning, r, counts);
    } else if (load_plate_fatigue) {
        write_lines(report, kLoadPlateFatigueWarning, r, counts);
    } else if (internal_plate_fatigue) {
        write_lines(report, kInternalPlateFatigueWarning, r, counts);
    }

    warn(r.shear_force > r.anchorage_allowable, kSlipWarning);
}

}  // namespace

void presults(CheckResults& r, ReportFile& report) {
    adjust_entry_values(r);

    const Text4 bearing_basis{'B', ' ', ' ', ' '};
    const DimensionBasis basis = (r.dimension_basis != bearing_basis && r.load_plate_count != 0)
                                     ? DimensionBasis::plate
                                     : DimensionBasis::bearing;
    const PadKind pad = r.load_plate_count == 0 ? PadKind::plain : PadKind::laminated;
    // Beam type 1 is a concrete beam; the driver sets 0 for a steel beam.
    const BeamKind beam = r.beam_type == 1 ? BeamKind::concrete : BeamKind::steel;
    const LayerCounts counts = layer_counts(r);

    // Page 1 (after the driver's banner and input echo).
    report.write(Record().control(' ').text(36, "OUTPUT DATA"));
    write_separator(report);
    write_bearing_properties_heading(report, r, basis);
    write_bearing_properties_values(report, r);
    write_separator(report);
    write_elastomer_properties(report, r);
    end_page(report, 1);

    // Page 2.
    write_compressive_stress(report, r, counts, pad);
    write_separator(report);
    write_compressive_deflection(report, r, counts);
    end_page(report, 2);

    // Page 3.
    write_shear_heading(report, r, beam);
    write_shear_values(report, r);
    write_separator(report);
    write_rotation(report, r);
    write_separator(report);
    write_stability(report, r, pad);
    end_page(report, 3);

    // Page 4.
    write_reinforcement(report, r);
    write_separator(report);
    write_anchorage(report, r);
    end_page(report, 4);

    // Page 5.
    write_lines(report, kBearingDetails, r, counts);
    write_separator(report);
    write_warnings(report, r, counts);
    write_footer(report, 5);
}

}  // namespace bearingpad
