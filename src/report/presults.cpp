// The report writer: the page frame of the five pages of output data, the
// order of the blocks with their variants, the bearing details page and the
// warning lines.
#include "report/presults.h"

#include <string>

#include "checks/codes.h"
#include "report/calculation_pages.h"
#include "report/layout.h"
#include "report/messages.h"

namespace bearingpad {

namespace {

using R = CheckResults;

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

// The final dimensions, loads and plates, with the construction details.
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

}  // namespace

void presults(const CheckResults& r, ReportFile& report) {
    const DimensionBasis basis = properties_basis(r);
    const PadKind pad = pad_kind(r.load_plate_count);
    const BeamKind beam = beam_kind(r.beam_type);
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
    write_warnings(report, r);
    write_footer(report, 5);
}

}  // namespace bearingpad
