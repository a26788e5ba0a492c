// The output data section written by the report writer.
//
// Two whole sections are compared byte for byte:
//
// - tests/data/output_data_two_load_plates.rpt is the part of an archived
//   analysis report (12 x 9 x 2 in pad, two load plates, one internal plate,
//   one 1 in hole, concrete beam) from the "OUTPUT DATA" line to the end.
//
// - tests/data/output_data_plain_pad_steel.rpt was derived by hand for a plain
//   10 x 8 x 1.75 in pad on a steel beam (no holes, entered hole diameter 3.0,
//   60 ft to fixity, 60 ft span, dead 20 K, live 10 K, camber + deflections
//   1.0 and 1.25 in). The values were worked out with a calculator from the
//   check formulas, each stored value rounded to a 32-bit float:
//     W = 10, L = 8, D = 3 (plain pad: bearing dimensions), A = 80, F = 1, P = 36;
//     hri = 1.75, S = 80/(1.75 x 36) = 1.2698, B = 1.8, S/B = 0.70547,
//     allowable = 130 x 0.70547 = 91.71 psi, hrt = 1.75, stress = 375 psi;
//     Ds = 60 x 120 x 0.0000065 x 12 = 0.5616, MINIMUM hrt = 1.1232,
//     H = 200 x 80 x 0.5616 / (1000 x 1.75) = 5.1346 K, ALLOWABLE = 20/5 = 4;
//     stresses 250, 125, 375 psi on the S/B = 3 curve (S/B below 3):
//     strains 4.2 + 1.6(250 - 291)/145.5 = 3.7491, 2.5 + 1.7(125 - 145.5)/145.5
//     = 2.2605, 5.8 + 1.5(375 - 436.5)/145.5 = 5.1660; deflections x 1.75/100 =
//     .06561, .03956, .09040 (one layer), creep x 0.35, long term = sum;
//     x = 360, k = 1/360^2 = 7.716e-6 and 1.25/360^2 = 9.645e-6, theta =
//     .005556 and .006944, allowable 2(.06561)/8 = .016402 and 2(.09040)/8 =
//     .022601; W/5 = 2.0, L/5 = 1.6; all plate values 0.
//   The lines were then placed column by column from the layout tables of the
//   report (plain-pad and steel-beam variants), starting from the fixed texts
//   of the archived report. Warnings: stress above allowable, thickness above
//   L/5 only, H above its allowable.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "checks/check_results.h"
#include "checks/checks.h"
#include "memory_files.h"
#include "report/presults.h"
#include "report/report_file.h"

namespace bearingpad {
namespace {

std::string read_file(const std::string& relative) {
    std::ifstream in(std::string(BEARINGPAD_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The analysis case of the archived two-load-plate report, as the driver
// fills the record.
void fill_two_load_plates(CheckResults& r) {
    r.width = 12;
    r.length = 9;
    r.thickness = 2.00001f;
    r.number_of_holes = 1;
    r.diameter_of_hole = 1.0f;
    r.cover_thickness = .25f;
    r.side_cover = .25f;
    r.load_plate_count = 2;
    r.load_plate_thickness = .25f;
    r.internal_plate_count = 1;
    r.internal_plate_thickness = .0747f;
    r.beam_type = 1;
    r.distance_to_fixity = 100;
    r.design_span = 80;
    r.dead_load = 40;
    r.live_load = 20;
    r.total_load = 60;
    r.rotation_y_dead = 1.5f;
    r.rotation_y_total = 1.75f;
    r.dimension_basis = {' ', ' ', ' ', ' '};
}

// The plain pad on a steel beam of the hand-derived report.
void fill_plain_pad_steel(CheckResults& r) {
    r.width = 10;
    r.length = 8;
    r.thickness = 1.75f;
    r.number_of_holes = 0;
    r.diameter_of_hole = 3.0f;
    r.cover_thickness = .25f;
    r.side_cover = .25f;
    r.load_plate_count = 0;
    r.load_plate_thickness = .1875f;
    r.internal_plate_count = 0;
    r.internal_plate_thickness = .0747f;
    r.beam_type = 0;
    r.distance_to_fixity = 60;
    r.design_span = 60;
    r.dead_load = 20;
    r.live_load = 10;
    r.total_load = 30;
    r.rotation_y_dead = 1.0f;
    r.rotation_y_total = 1.25f;
    r.dimension_basis = {' ', ' ', ' ', ' '};
}

// The checks of an analysis run and the construction details, in the order
// the driver runs them before the report.
void analyse_as_built(CheckResults& r) {
    analysis(r);
    construction_details(r);
}

// The whole section as the report file holds it after closing.
std::string render(const CheckResults& r) {
    StringSink sink;
    ReportFile report(sink);
    presults(r, report);
    report.close();
    return sink.data;
}

// One record of the output: whether it was a page eject, and its printed
// characters (column 2 onwards).
struct Printed {
    bool eject = false;
    std::string text;
};

// Splits the bytes at the CR that ends each record; a record starts with the
// line feed owed by the one before it, or with a form feed.
std::vector<Printed> records(const std::string& bytes) {
    std::vector<Printed> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t cr = bytes.find('\r', start);
        if (cr == std::string::npos) break;
        std::string piece = bytes.substr(start, cr - start);
        Printed p;
        if (!piece.empty() && piece.front() == '\f') {
            p.eject = true;
            piece.erase(0, 1);
        } else if (!piece.empty() && piece.front() == '\n') {
            piece.erase(0, 1);
        }
        p.text = piece;
        out.push_back(p);
        start = cr + 1;
    }
    return out;
}

std::vector<Printed> render_records(const CheckResults& r) {
    return records(render(r));
}

// The characters of a printed line at record columns first..first+width-1.
std::string columns(const std::string& line, int first, int width) {
    const std::size_t start = static_cast<std::size_t>(first - 2);
    if (start >= line.size()) return std::string();
    return line.substr(start, static_cast<std::size_t>(width));
}

// The first printed line that contains the text, or "" when none does.
std::string line_with(const std::vector<Printed>& recs, const std::string& text) {
    for (const Printed& p : recs) {
        if (p.text.find(text) != std::string::npos) return p.text;
    }
    return std::string();
}

int count_lines_with(const std::vector<Printed>& recs, const std::string& text) {
    int n = 0;
    for (const Printed& p : recs) n += p.text.find(text) != std::string::npos ? 1 : 0;
    return n;
}

// The lines between the separator after the bearing details and the footer
// "PAGE 5" (the empty record before the footer excluded).
std::vector<std::string> warning_lines(const std::vector<Printed>& recs) {
    std::size_t i = 0;
    while (i < recs.size() && recs[i].text.find("ENGINEER MAKE YOUR CHECKS") == std::string::npos) {
        ++i;
    }
    std::vector<std::string> out;
    for (i += 2; i + 2 < recs.size(); ++i) out.push_back(recs[i].text);
    return out;
}

// A record with every computed value already in place, so that a test can set
// exactly the values a warning compares.
struct Fixture {
    DesignFlags flags;
    CheckResults r{flags};
};

// ---------------------------------------------------------------- whole sections

TEST(PresultsReference, TwoLoadPlateAnalysisMatchesArchivedReport) {
    Fixture f;
    fill_two_load_plates(f.r);
    analyse_as_built(f.r);
    const std::string expected = read_file("tests/data/output_data_two_load_plates.rpt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(render(f.r), expected);
}

TEST(PresultsReference, PlainPadSteelBeamMatchesHandDerivedReport) {
    Fixture f;
    fill_plain_pad_steel(f.r);
    analyse_as_built(f.r);
    const std::string expected = read_file("tests/data/output_data_plain_pad_steel.rpt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(render(f.r), expected);
}

// The printed form: four ejects, footers in order, line widths, page lengths.
TEST(PresultsReference, PrintedFormFitsThePages) {
    // The driver's banner and input echo before "OUTPUT DATA" on page 1.
    constexpr int driver_header_lines = 41;
    using Filler = void (*)(CheckResults&);
    for (Filler fill : {Filler{fill_two_load_plates}, Filler{fill_plain_pad_steel}}) {
        Fixture f;
        fill(f.r);
        analyse_as_built(f.r);
        const std::vector<Printed> recs = render_records(f.r);

        int ejects = 0;
        int lines_on_page = driver_header_lines;
        std::vector<std::string> footers;
        for (const Printed& p : recs) {
            EXPECT_LE(p.text.size(), 82u) << p.text;
            if (p.eject) {
                EXPECT_TRUE(p.text.empty());
                EXPECT_LE(lines_on_page, 66);
                ++ejects;
                lines_on_page = 0;
                continue;
            }
            ++lines_on_page;
            if (p.text.find("PAGE ") != std::string::npos) footers.push_back(p.text);
        }
        EXPECT_LE(lines_on_page, 66);
        EXPECT_EQ(ejects, 4);
        const std::string pad(36, ' ');
        EXPECT_EQ(footers, (std::vector<std::string>{pad + "PAGE 1", pad + "PAGE 2", pad + "PAGE 3",
                                                     pad + "PAGE 4", pad + "PAGE 5"}));
        // Each eject follows a footer directly; the section ends on PAGE 5.
        for (std::size_t i = 0; i < recs.size(); ++i) {
            if (recs[i].eject) {
                EXPECT_EQ(recs[i - 1].text.substr(36, 4), "PAGE");
            }
        }
        EXPECT_EQ(recs.back().text, pad + "PAGE 5");
    }
}

// A fresh report file owes no line feed: the section starts with the heading.
TEST(PresultsReference, SectionStartsWithHeadingAndEndsWithFooter) {
    Fixture f;
    fill_two_load_plates(f.r);
    analyse_as_built(f.r);
    const std::string out = render(f.r);
    EXPECT_EQ(out.substr(0, 47), std::string(34, ' ') + "OUTPUT DATA\r\n");
    EXPECT_EQ(out.substr(out.size() - 48), "\r\n\r\n" + std::string(36, ' ') + "PAGE 5\r\n");
    EXPECT_NE(out.find("PAGE 1\r\f\r\nARTICLE 14.4.1.1"), std::string::npos);
}

// ---------------------------------------------------------------- construction details

// The covers, plates and hole diameter as built, and the report showing them
// on page 4 and in the bearing details.
TEST(ConstructionDetails, FollowTheConstructionAndShowInTheReport) {
    struct Case {
        const char* name;
        std::int32_t load_plates;
        std::int32_t internal_plates;
        std::int32_t holes;
        float cover, side_cover, load_plate, internal_plate, diameter;
    };
    // Entered: thickness 0.5, cover 0.3, side cover 0.25, load plate 0.1875,
    // internal plate 0.0747, hole diameter 2.0.
    const Case cases[] = {
        {"plain pad", 0, 0, 1, 0.0f, 0.0f, 0.0f, 0.0f, 2.0f},
        {"one load plate: cover is half of T minus plate", 1, 0, 2, 0.15625f, 0.25f, 0.1875f, 0.0f,
         2.0f},
        {"two load plates keep the cover", 2, 3, 4, 0.3f, 0.25f, 0.1875f, 0.0747f, 2.0f},
        {"no holes: diameter 0", 2, 0, 0, 0.3f, 0.25f, 0.1875f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.r.thickness = 0.5f;
        f.r.cover_thickness = 0.3f;
        f.r.side_cover = 0.25f;
        f.r.load_plate_thickness = 0.1875f;
        f.r.internal_plate_thickness = 0.0747f;
        f.r.diameter_of_hole = 2.0f;
        f.r.load_plate_count = c.load_plates;
        f.r.internal_plate_count = c.internal_plates;
        f.r.number_of_holes = c.holes;
        construction_details(f.r);
        EXPECT_EQ(f.r.cover_thickness, c.cover);
        EXPECT_EQ(f.r.side_cover, c.side_cover);
        EXPECT_EQ(f.r.load_plate_thickness, c.load_plate);
        EXPECT_EQ(f.r.internal_plate_thickness, c.internal_plate);
        EXPECT_EQ(f.r.diameter_of_hole, c.diameter);
        // The bearing details show the values as built, and so does the
        // plate table of page 4.
        const std::vector<Printed> recs = render_records(f.r);
        EXPECT_EQ(columns(line_with(recs, "INTERNAL PLATE  "), 41, 6),
                  edit_real(c.internal_plate, 6, 4));
        EXPECT_EQ(columns(line_with(recs, "TOP AND BOTTOM COVER"), 71, 5),
                  edit_real(c.cover, 5, 4));
        EXPECT_EQ(columns(line_with(recs, "DIAMETER OF HOLE ="), 69, 7),
                  edit_real(c.diameter, 7, 4));
        EXPECT_EQ(columns(line_with(recs, "THICKNESS OF LOAD PLATE(S) ="), 71, 5),
                  edit_real(c.load_plate, 5, 4));
    }
}

// ---------------------------------------------------------------- block variants

TEST(PresultsVariants, BearingPropertiesHeading) {
    struct Case {
        Text4 basis;
        std::int32_t load_plates;
        bool plate_dimensions;
    };
    const Case cases[] = {
        {{' ', ' ', ' ', ' '}, 2, true},  {{' ', ' ', ' ', ' '}, 1, true},
        {{'b', ' ', ' ', ' '}, 2, true},  {{'B', 'X', ' ', ' '}, 2, true},
        {{'B', ' ', ' ', ' '}, 2, false}, {{'B', ' ', ' ', ' '}, 0, false},
        {{' ', ' ', ' ', ' '}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.basis.begin(), c.basis.end()) + " / " +
                     std::to_string(c.load_plates));
        Fixture f;
        f.r.dimension_basis = c.basis;
        f.r.load_plate_count = c.load_plates;
        const std::vector<Printed> recs = render_records(f.r);
        ASSERT_EQ(recs[2].text, "BEARING PROPERTIES");
        if (c.plate_dimensions) {
            EXPECT_EQ(recs[3].text, " Bearing properites are calculated using plate dimensions.");
            EXPECT_EQ(recs[5].text, std::string(32, ' ') + "W = WIDTH - 2(SIDE COVER)");
            EXPECT_EQ(recs[7].text, std::string(32, ' ') + "D = DIAMETER + 2(SIDE COVER)");
        } else {
            EXPECT_EQ(recs[3].text, " Bearing properites are calculated using bearing dimensions.");
            EXPECT_EQ(recs[5].text, std::string(32, ' ') + "W = WIDTH");
            EXPECT_EQ(recs[7].text, std::string(32, ' ') + "D = DIAMETER");
        }
        EXPECT_EQ(recs[4].text, "");
    }
}

TEST(PresultsVariants, LayerCountsInStressAndDeflectionTables) {
    struct Case {
        std::int32_t load_plates, internal_plates;
        const char *cover, *internal;
    };
    const Case cases[] = {
        {0, 0, " 1", " 0"}, {1, 0, " 2", " 0"}, {2, 0, " 2", " 1"},
        {2, 1, " 2", " 2"}, {2, 3, " 2", " 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.load_plates) + " load, " + std::to_string(c.internal_plates) +
                     " internal plates");
        Fixture f;
        f.r.load_plate_count = c.load_plates;
        f.r.internal_plate_count = c.internal_plates;
        const std::vector<Printed> recs = render_records(f.r);
        EXPECT_EQ(columns(line_with(recs, "   COVER LAYER"), 26, 2), c.cover);
        EXPECT_EQ(columns(line_with(recs, "   INTERNAL LAYER"), 26, 2), c.internal);
        const std::string layers = line_with(recs, "NUMBER OF LAYERS  ");
        for (int col : {33, 50, 67}) EXPECT_EQ(columns(layers, col, 2), c.cover) << col;
        for (int col : {42, 59, 76}) EXPECT_EQ(columns(layers, col, 2), c.internal) << col;
    }
}

TEST(PresultsVariants, PlainPadAndLaminatedTexts) {
    struct Case {
        std::int32_t load_plates;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::string b_line = std::string(30, ' ') + "B = ";
    const Case cases[] = {
        {0,
         {b_line + "1.8", "Total elastomer thickness - hrt = hri",
          "MINIMUM ALLOWABLE STRESS = Minimum of 800 or Gmin(S/B)",
          "The THICKNESS of the bearing shall not exceed W/5 or L/5."},
         {"1.4 for Cover Layer", "Summation of the [(NUMBER", "Minimum of 1000", "W/3"}},
        {1,
         {b_line + "1.4 for Cover Layer, 1.0 for Internal Layer",
          "Total elastomer thickness - hrt = Summation of the [(NUMBER OF LAYERS)(hri)]",
          "MINIMUM ALLOWABLE STRESS = Minimum of 1000 or Gmin(S/B)",
          "The THICKNESS of the bearing shall not exceed W/3 or L/3."},
         {"B = 1.8", "hrt = hri", "Minimum of 800", "W/5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.load_plates);
        Fixture f;
        f.r.load_plate_count = c.load_plates;
        const std::vector<Printed> recs = render_records(f.r);
        for (const std::string& text : c.present)
            EXPECT_EQ(count_lines_with(recs, text), 1) << text;
        for (const std::string& text : c.absent) EXPECT_EQ(count_lines_with(recs, text), 0) << text;
    }
}

// Stability fields: width 5 with "IN" in column 44 for a plain pad, width 6
// with "IN" in column 45 for a laminated pad.
TEST(PresultsVariants, StabilityFieldWidths) {
    struct Case {
        std::int32_t load_plates;
        const char* label_w;
        const char* label_l;
        int w;
        int in_column;
    };
    const Case cases[] = {{0, "W/5 = ", "L/5 = ", 5, 44}, {2, "W/3 = ", "L/3 = ", 6, 45}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.load_plates);
        Fixture f;
        f.r.load_plate_count = c.load_plates;
        f.r.thickness = 2.5f;
        f.r.stability_limit_width = 1.25f;
        f.r.stability_limit_length = 0.5f;
        const std::vector<Printed> recs = render_records(f.r);
        const std::string t = line_with(recs, "THICKNESS = " + edit_real(2.5f, c.w, 3));
        const std::string w = line_with(recs, c.label_w);
        const std::string l = line_with(recs, c.label_l);
        EXPECT_EQ(columns(t, 26, 12), "THICKNESS = ");
        EXPECT_EQ(columns(t, 38, c.w), edit_real(2.5f, c.w, 3));
        EXPECT_EQ(columns(w, 38, c.w), edit_real(1.25f, c.w, 3));
        EXPECT_EQ(columns(l, 38, c.w), edit_real(0.5f, c.w, 3));
        for (const std::string* line : {&t, &w, &l}) {
            EXPECT_EQ(line->size(), static_cast<std::size_t>(c.in_column + 1 - 2 + 1));
            EXPECT_EQ(columns(*line, c.in_column, 2), "IN");
        }
    }
}

TEST(PresultsVariants, ShearHeadingByBeamType) {
    struct Case {
        std::int32_t beam_type;
        const char* range;
        const char* coefficient;
    };
    const Case cases[] = {
        {1, "TEMPERATURE RANGE = 70 Degrees", "COEFFICIENT OF THERMAL EXPANSION = .000006 per"},
        {0, "TEMPERATURE RANGE = 120 Degrees", "COEFFICIENT OF THERMAL EXPANSION = .0000065 per"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.beam_type);
        Fixture f;
        f.r.beam_type = c.beam_type;
        const std::vector<Printed> recs = render_records(f.r);
        EXPECT_EQ(line_with(recs, "TEMPERATURE RANGE ="), std::string(16, ' ') + c.range);
        EXPECT_EQ(count_lines_with(recs, "TEMPERATURE RANGE ="), 1);
        EXPECT_EQ(line_with(recs, "COEFFICIENT OF THERMAL"),
                  std::string(" ") + c.coefficient + " Degree");
        EXPECT_EQ(count_lines_with(recs, "Ds = "), 3);  // Ds = Dh, Ds = [..., Ds = value
        EXPECT_EQ(count_lines_with(recs, "MINIMUM hrt = "), 2);
    }
}

// ---------------------------------------------------------------- field overflow

TEST(PresultsFields, ValuesTooWideFillTheirFieldAndTheLineGoesOn) {
    struct Case {
        const char* name;
        float CheckResults::*field;
        float value;
        const char* line;  // text that finds the line
        int column, w;     // the overflowing field
        int next_column;   // a later field on the same line
        std::string next;  // what that field shows
    };
    const Case cases[] = {
        {"k of 1 in real 10.9", &CheckResults::rotation_k_dead, 1.0f, "  k    ", 43, 10, 57,
         edit_real(0.000002f, 10, 9)},
        {"shape factor in real 4.1", &CheckResults::shape_factor_cover, 123.4f, "   COVER LAYER",
         46, 4, 53, " 1.4"},
        {"negative area", &CheckResults::area, -12345.0f, "IN^2", 38, 9, 48, "IN^2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.r.load_plate_count = 2;
        f.r.rotation_k_total = 0.000002f;
        f.r.b_factor_cover = 1.4f;
        f.r.*c.field = c.value;
        const std::vector<Printed> recs = render_records(f.r);
        const std::string line = line_with(recs, c.line);
        EXPECT_EQ(columns(line, c.column, c.w), std::string(static_cast<std::size_t>(c.w), '*'));
        EXPECT_EQ(columns(line, c.next_column, static_cast<int>(c.next.size())), c.next);
    }
}

TEST(PresultsFields, InfinityAndNaNKeepTheColumns) {
    Fixture f;
    f.r.load_plate_count = 2;
    f.r.shear_force = std::numeric_limits<float>::infinity();
    f.r.rotation_total = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Printed> recs = render_records(f.r);
    const std::string h =
        line_with(recs, std::string(32, ' ') + "H = " + edit_real(f.r.shear_force, 8, 3));
    EXPECT_EQ(columns(h, 38, 8), edit_real(f.r.shear_force, 8, 3));
    EXPECT_EQ(columns(h, 47, 1), "K");
    const std::string theta = line_with(recs, "ACTUAL theta (RADIANS)");
    EXPECT_EQ(columns(theta, 59, 7), edit_real(f.r.rotation_total, 7, 6));
    // An infinite H exceeds its allowable; a NaN rotation writes no warning.
    const std::vector<std::string> warnings = warning_lines(recs);
    EXPECT_EQ(warnings, (std::vector<std::string>{std::string(20, ' ') +
                                                  "-- BEARING WILL SLIP, REDESIGN REDUCING H --"}));
}

// ---------------------------------------------------------------- warnings

TEST(PresultsWarnings, EachConditionAndItsEdges) {
    const std::string w1 =
        std::string(10, ' ') + "ACTUAL COMPRESSIVE STRESS EXCEEDS MINIMUM ALLOWABLE STRESS";
    const std::string w2 =
        std::string(6, ' ') + "TOTAL ELASTOMER THICKNESS IS LESS THAN MINIMUM ELASTOMER THICKNESS";
    const std::string w3 =
        std::string(6, ' ') + "(CAMBER + DEAD LOAD DEFLECTION) ROTATION EXCEEDS ALLOWABLE ROTATION";
    const std::string w4a =
        std::string(7, ' ') + "(CAMBER + DEAD LOAD DEFLECTION + LIVE LOAD DEFLECTION) ROTATION";
    const std::string w4b = std::string(26, ' ') + "EXCEEDS ALLOWABLE ROTATION";
    const std::string w5 = std::string(19, ' ') + "BEARING IS UNSTABILE, INCREASE THE WIDTH";
    const std::string w6 = std::string(18, ' ') + "BEARING IS UNSTABILE, INCREASE THE LENGTH";
    const std::string w7 =
        std::string(13, ' ') + "BEARING IS UNSTABILE, INCREASE THE WIDTH AND LENGTH";
    const std::string w8 =
        std::string(6, ' ') + "LOAD PLATE AND INTERNAL PLATE IS OVERSTRESSED UNDER WORKING LOADS";
    const std::string w9 = std::string(16, ' ') + "LOAD PLATE IS OVERSTRESSED UNDER WORKING LOADS";
    const std::string w10 =
        std::string(14, ' ') + "INTERNAL PLATE IS OVERSTRESSED UNDER WORKING LOADS";
    const std::string w11 =
        std::string(13, ' ') + "-- LOAD PLATE AND INTERNAL PLATE IS OVERSTRESSED --";
    const std::string w12 = std::string(26, ' ') + "-- LOAD PLATE IS OVERSTRESSED --";
    const std::string w13 = std::string(24, ' ') + "-- INTERNAL PLATE IS OVERSTRESSED --";
    const std::string w14 = std::string(20, ' ') + "-- BEARING WILL SLIP, REDESIGN REDUCING H --";

    using Setup = void (*)(CheckResults&);
    struct Case {
        const char* name;
        Setup setup;
        std::vector<std::string> lines;
    };
    // Every limit below is 1.0 unless the case changes it; the base record has
    // all compared values at 0, which passes every check.
    const Case cases[] = {
        {"none", [](CheckResults&) {}, {}},
        {"stress above", [](CheckResults& r) { r.compressive_stress = 603.5f; }, {w1}},
        {"stress equal",
         [](CheckResults& r) { r.compressive_stress = r.allowable_stress = 603.5f; },
         {}},
        {"hrt below", [](CheckResults& r) { r.minimum_elastomer_thickness = 1.008f; }, {w2}},
        {"hrt equal",
         [](CheckResults& r) { r.minimum_elastomer_thickness = r.elastomer_thickness = 1.008f; },
         {}},
        {"dead rotation", [](CheckResults& r) { r.rotation_dead = 1.5f; }, {w3}},
        {"total rotation: two lines", [](CheckResults& r) { r.rotation_total = 1.5f; }, {w4a, w4b}},
        {"both rotations",
         [](CheckResults& r) { r.rotation_dead = r.rotation_total = 1.5f; },
         {w3, w4a, w4b}},
        {"thickness above W limit only",
         [](CheckResults& r) {
             r.thickness = 2.0f;
             r.stability_limit_width = 1.9f;
             r.stability_limit_length = 2.0f;
         },
         {w5}},
        {"thickness above L limit only",
         [](CheckResults& r) {
             r.thickness = 2.0f;
             r.stability_limit_width = 2.0f;
             r.stability_limit_length = 1.9f;
         },
         {w6}},
        {"thickness above both: three lines in order",
         [](CheckResults& r) {
             r.thickness = 2.0f;
             r.stability_limit_width = 1.9f;
             r.stability_limit_length = 1.9f;
         },
         {w5, w6, w7}},
        {"thickness equal to both limits",
         [](CheckResults& r) {
             r.thickness = 2.0f;
             r.stability_limit_width = r.stability_limit_length = 2.0f;
         },
         {}},
        {"both plates working",
         [](CheckResults& r) {
             r.load_plate_working_stress = 606.0f;
             r.internal_plate_working_stress = 787.0f;
         },
         {w8}},
        {"load plate working only",
         [](CheckResults& r) { r.load_plate_working_stress = 606.0f; },
         {w9}},
        {"internal plate working only",
         [](CheckResults& r) { r.internal_plate_working_stress = 787.0f; },
         {w10}},
        {"working stress equal to allowable",
         [](CheckResults& r) {
             r.load_plate_working_stress = r.load_plate_allowable_stress = 606.0f;
             r.internal_plate_working_stress = r.internal_plate_allowable_stress = 787.0f;
         },
         {}},
        {"both plates fatigue",
         [](CheckResults& r) {
             r.load_plate_fatigue_stress = 52.0f;
             r.internal_plate_fatigue_stress = 16.0f;
         },
         {w11}},
        {"load plate fatigue only",
         [](CheckResults& r) { r.load_plate_fatigue_stress = 52.0f; },
         {w12}},
        {"internal plate fatigue only",
         [](CheckResults& r) { r.internal_plate_fatigue_stress = 16.0f; },
         {w13}},
        {"H above", [](CheckResults& r) { r.shear_force = 6.788f; }, {w14}},
        {"H equal", [](CheckResults& r) { r.shear_force = r.anchorage_allowable = 8.0f; }, {}},
        {"all at once, in table order",
         [](CheckResults& r) {
             r.compressive_stress = 2.0f;
             r.minimum_elastomer_thickness = 2.0f;
             r.rotation_dead = r.rotation_total = 2.0f;
             r.thickness = 2.0f;
             r.load_plate_working_stress = r.internal_plate_working_stress = 2.0f;
             r.load_plate_fatigue_stress = 2.0f;
             r.shear_force = 2.0f;
         },
         {w1, w2, w3, w4a, w4b, w5, w6, w7, w8, w12, w14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        CheckResults& r = f.r;
        r.load_plate_count = 2;
        r.allowable_stress = 1.0f;
        r.elastomer_thickness = 1.0f;
        r.rotation_allowable_dead = r.rotation_allowable_total = 1.0f;
        r.stability_limit_width = r.stability_limit_length = 1.0f;
        r.load_plate_allowable_stress = r.internal_plate_allowable_stress = 1.0f;
        r.load_plate_allowable_fatigue = r.internal_plate_allowable_fatigue = 1.0f;
        r.anchorage_allowable = 1.0f;
        c.setup(r);
        const std::vector<Printed> recs = render_records(r);
        EXPECT_EQ(warning_lines(recs), c.lines);
        // With or without warnings, the section ends: separator or warnings,
        // an empty line, the footer.
        ASSERT_GE(recs.size(), 2u);
        EXPECT_EQ(recs[recs.size() - 2].text, "");
        EXPECT_EQ(recs.back().text, std::string(36, ' ') + "PAGE 5");
    }
}

}  // namespace
}  // namespace bearingpad
