#include "report/input_echo.h"

#include "checks/codes.h"
#include "report/layout.h"

namespace bearingpad {

namespace {

// Banner line 2: the issuing division and office (44 and 18 characters).
constexpr const char* kDivision = "BRIDGE DESIGN DIVISION - BEARINGS AND JOINTS";
constexpr const char* kOffice = " STRUCTURES OFFICE";

}  // namespace

void write_banner(ReportFile& report, const std::string& run_date,
                  const std::string& problem_number, const std::string& run_time,
                  const std::string& title) {
    report.write(Record()
                     .control('0')
                     .text(2, run_date)
                     .text(25, "VERANIA DEPARTMENT OF TRANSPORTATION")
                     .text(66, "PROB. NO. ")
                     .text(76, problem_number));
    report.write(Record().text(2, run_time).text(12, kDivision).text(56, kOffice));
    report.write(Record().text(27, "ELASTOMERIC BEARING PAD PROGRAM "));
    report.write(Record().text(31, "REVISED:  JUNE 30, 2008"));
    report.write(Record());
    report.write(Record().text(20, "AASHTO 1992, ARTICLE 14.4.1 - DESIGN METHOD A"));
    report.write(Record().text(26, "60 DUROMETER HARDNESS NEOPRENE"));
    report.write(Record());
    report.write(Record().text(4, title));
}

void write_mode_lines(ReportFile& report, RunMode mode) {
    report.write(separator_line());
    if (mode == RunMode::analysis) {
        report.write(Record().text(31, "THIS IS AN ANALYSIS"));
    } else {
        report.write(Record().text(33, "THIS IS A DESIGN"));
    }
    report.write(separator_line());
}

void write_pad_echo(ReportFile& report, const ProblemRecord& p) {
    report.write(Record().text(28, "DEFAULT AND/OR INPUT VALUES"));
    report.write(Record());
    report.write(Record().text(32, "**** PAD DATA ****"));
    report.write(Record());
    report.write(Record().text(40, "NUMBER").text(63, "TOP AND"));
    report.write(Record().text(42, "OF").text(51, "DIAMETER").text(64, "BOTTOM").text(75, "SIDE"));
    report.write(Record()
                     .text(5, "WIDTH")
                     .text(16, "LENGTH")
                     .text(26, "THICKNESS")
                     .text(39, "HOLES(S)")
                     .text(52, "OF HOLE")
                     .text(64, "COVER")
                     .text(74, "COVER"));
    report.write(Record()
                     .text(6, "(IN)")
                     .text(17, "(IN)")
                     .text(29, "(IN)")
                     .text(53, "(IN)")
                     .text(65, "(IN)")
                     .text(75, "(IN)"));
    report.write(Record()
                     .real(4, p.width, field::width.echo.w, field::width.echo.d)
                     .real(15, p.length, field::length.echo.w, field::length.echo.d)
                     .real(27, p.thickness, field::thickness.echo.w, field::thickness.echo.d)
                     .integer(42, p.number_of_holes, 2)
                     .real(51, p.diameter_of_hole, field::diameter_of_hole.echo.w,
                           field::diameter_of_hole.echo.d)
                     .real(64, p.cover_thickness, field::cover_thickness.echo.w,
                           field::cover_thickness.echo.d)
                     .real(74, p.side_cover, field::side_cover.echo.w, field::side_cover.echo.d));
    report.write(Record());
    report.write(Record()
                     .text(7, "NUMBER OF")
                     .text(23, "THICKNESS OF")
                     .text(43, "NUMBER OF")
                     .text(63, "THICKNESS OF"));
    report.write(Record()
                     .text(5, "LOAD PLATE(S)")
                     .text(22, "LOAD PLATE(S)")
                     .text(39, "INTERNAL PLATE(S)")
                     .text(60, "INTERNAL PLATE(S)"));
    report.write(Record().text(27, "(IN)").text(67, "(IN)"));
    report.write(Record()
                     .integer(10, p.load_plate_count, 2)
                     .real(26, p.load_plate_thickness, field::load_plate_thickness.echo.w,
                           field::load_plate_thickness.echo.d)
                     .integer(46, p.internal_plate_count, 2)
                     .real(66, p.internal_plate_thickness, field::internal_plate_thickness.echo.w,
                           field::internal_plate_thickness.echo.d));
    report.write(Record());
}

void write_design_data_echo(ReportFile& report, const ProblemRecord& p) {
    report.write(Record().text(33, "** DESIGN DATA **"));
    report.write(Record());
    report.write(Record()
                     .text(7, "TYPE OF")
                     .text(19, "DISTANCE")
                     .text(31, "DESIGN SPAN")
                     .text(46, "DEAD LOAD")
                     .text(59, "LIVE LOAD REACTION"));
    report.write(Record()
                     .text(8, "BEAM")
                     .text(18, "TO FIXITY")
                     .text(33, "OF BEAM")
                     .text(47, "REACTION")
                     .text(60, "EXCLUDING IMPACT"));
    report.write(Record().text(21, "(FT)").text(35, "(FT)").text(49, "(K)").text(67, "(K)"));
    Record values;
    if (beam_kind(p.beam_type) == BeamKind::concrete) {
        values.text(6, "CONCRETE");
    } else {
        values.text(8, "STEEL");
    }
    report.write(values
                     .real(19, p.distance_to_fixity, field::distance_to_fixity.echo.w,
                           field::distance_to_fixity.echo.d)
                     .real(33, p.design_span, field::design_span.echo.w, field::design_span.echo.d)
                     .real(47, p.dead_load, field::dead_load.echo.w, field::dead_load.echo.d)
                     .real(65, p.live_load, field::live_load.echo.w, field::live_load.echo.d));
    report.write(Record());
    report.write(Record().text(35, "DEAD LOAD").text(49, "LIVE LOAD"));
    report.write(Record().text(24, "CAMBER").text(34, "DEFLECTION").text(48, "DEFLECTION"));
    report.write(Record().text(25, "(IN)").text(37, "(IN)").text(51, "(IN)"));
    report.write(Record()
                     .real(24, p.camber, field::camber.echo.w, field::camber.echo.d)
                     .real(36, p.dead_load_deflection, field::dead_load_deflection.echo.w,
                           field::dead_load_deflection.echo.d)
                     .real(50, p.live_load_deflection, field::live_load_deflection.echo.w,
                           field::live_load_deflection.echo.d));
    report.write(Record());
    report.write(separator_line());
}

}  // namespace bearingpad
