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
    report.write(
        Record()
            .real(4, p.width, echo::width.w, echo::width.d)
            .real(15, p.length, echo::length.w, echo::length.d)
            .real(27, p.thickness, echo::thickness.w, echo::thickness.d)
            .integer(42, p.number_of_holes, 2)
            .real(51, p.diameter_of_hole, echo::diameter_of_hole.w, echo::diameter_of_hole.d)
            .real(64, p.cover_thickness, echo::cover_thickness.w, echo::cover_thickness.d)
            .real(74, p.side_cover, echo::side_cover.w, echo::side_cover.d));
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
                     .real(26, p.load_plate_thickness, echo::load_plate_thickness.w,
                           echo::load_plate_thickness.d)
                     .integer(46, p.internal_plate_count, 2)
                     .real(66, p.internal_plate_thickness, echo::internal_plate_thickness.w,
                           echo::internal_plate_thickness.d));
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
    report.write(
        values
            .real(19, p.distance_to_fixity, echo::distance_to_fixity.w, echo::distance_to_fixity.d)
            .real(33, p.design_span, echo::design_span.w, echo::design_span.d)
            .real(47, p.dead_load, echo::dead_load.w, echo::dead_load.d)
            .real(65, p.live_load, echo::live_load.w, echo::live_load.d));
    report.write(Record());
    report.write(Record().text(35, "DEAD LOAD").text(49, "LIVE LOAD"));
    report.write(Record().text(24, "CAMBER").text(34, "DEFLECTION").text(48, "DEFLECTION"));
    report.write(Record().text(25, "(IN)").text(37, "(IN)").text(51, "(IN)"));
    report.write(Record()
                     .real(24, p.camber, echo::camber.w, echo::camber.d)
                     .real(36, p.dead_load_deflection, echo::dead_load_deflection.w,
                           echo::dead_load_deflection.d)
                     .real(50, p.live_load_deflection, echo::live_load_deflection.w,
                           echo::live_load_deflection.d));
    report.write(Record());
    report.write(separator_line());
}

}  // namespace bearingpad
