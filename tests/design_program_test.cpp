// Design runs of the built program: a plain pad, a pad with one load plate
// and a pad with two load plates, each sized by the design search from a
// three-record input file. The final design on the BEARING DETAILS page was
// worked out by hand, pass by pass, from AASHTO 1992 Article 14.4.1 (Method A)
// as the program applies it; the arithmetic is written out above each case.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace bearingpad::test_support;

// The final-design lines of the BEARING DETAILS page, as printed (the
// carriage-control column is not part of the stored line).
struct BearingDetails {
    std::string width;
    std::string length;
    std::string thickness;
    std::string load_plates;
    std::string internal_plates;
};

const std::string kSeparator(78, '-');

class DesignProgramTest : public ::testing::Test {
  protected:
    // Writes the three records, runs the program in the temporary directory
    // with the two file names typed on its standard input, and checks the
    // final design and the closing state of the report.
    void design_and_check(const std::string& title, const std::string& pad, const std::string& beam,
                          const BearingDetails& expected) {
        write_file(dir_.path() / "in.dat", title + "\n" + pad + "\n" + beam + "\n");
        const Outcome run = run_program(dir_.path(), "in.dat\nout.rpt\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, " ENTER INPUT FILE NAME: ENTER OUTPUT FILE NAME:");
        EXPECT_EQ(run.err, "");

        const std::string report = read_file(dir_.path() / "out.rpt");
        EXPECT_NE(report.find("THIS IS A DESIGN"), std::string::npos);
        EXPECT_EQ(report.find("DESIGN NOT POSSIBLE"), std::string::npos);

        // Page 5 follows the last page eject.
        const std::vector<std::string> pages = report_pages(report);
        ASSERT_GE(pages.size(), 2u);
        const std::vector<std::string> lines = printed_lines(pages.back());
        std::size_t head = 0;
        while (head < lines.size() && lines[head] != std::string(31, ' ') + "BEARING DETAILS") {
            ++head;
        }
        ASSERT_LE(head + 20, lines.size()) << pages.back();

        // Lines 4 to 6, 14 and 15 of the seventeen-line block.
        EXPECT_EQ(lines[head + 3], expected.width);
        EXPECT_EQ(lines[head + 4], expected.length);
        EXPECT_EQ(lines[head + 5], expected.thickness);
        EXPECT_EQ(lines[head + 13], expected.load_plates);
        EXPECT_EQ(lines[head + 14], expected.internal_plates);

        // A finished design passes every check: no warning line between the
        // separator and the footer, and no closing message after "PAGE 5".
        const std::vector<std::string> tail(lines.begin() + static_cast<long>(head) + 16,
                                            lines.end());
        const std::vector<std::string> closing = {
            std::string(13, ' ') + "ENGINEER MAKE YOUR CHECKS FOR COMPRESSIVE DEFLECTION",
            kSeparator, "", std::string(36, ' ') + "PAGE 5"};
        EXPECT_EQ(tail, closing);
        EXPECT_EQ(report.substr(report.size() - 8), "PAGE 5\r\n");
    }

    ScratchDir dir_;
};

// Plain pad, 10 x 14 x 2.25 in entered, one 3 in hole (blank hole column),
// concrete beam 10 ft from fixity, span 60 ft, DL 6 K, LL 2 K, camber 0,
// deflections 0.30 (dead) and 0.20 in (live). Too thick for the plain-pad
// stability limit W/5, so the search widens it twice and it stays plain.
//
// Start: T = 2.25 + 0.00001 = 2.25001; total load 6 + 2 = 8 K.
// Every pass, one hole: A = W L - 3.1416(3^2)/4 = W L - 7.0686,
//   P = 2(W + L) + 3.1416(3) = 2(W + L) + 9.4248.
// Shear on every pass: Ds = 10 x 70 x 0.000006 x 12 = 0.0504 in,
//   minimum hrt = 2 Ds = 0.1008 in < hrt = 2.25001 -> no thickness change.
//
// pass 1, W = 10: A = 140 - 7.0686 = 132.93, P = 48 + 9.4248 = 57.42;
//   S = 132.93/(2.25001 x 57.42) = 1.029, S/B = 1.029/1.8 = 0.572,
//   allowable 130 x 0.572 = 74.3 psi >= actual 8000/132.93 = 60.2 psi -> plain;
//   S <= 12 so hrt = T; limits: 2.25001 <= 4.25, but W/5 = 2.0 < 2.25001
//   -> width 11, restart.
// pass 2, W = 11: A = 154 - 7.0686 = 146.93, P = 50 + 9.4248 = 59.42;
//   S = 1.099, S/B = 0.611, allowable 79.4 psi >= 8000/146.93 = 54.4 psi;
//   W/5 = 2.2 < 2.25001 -> width 12, restart.
// pass 3, W = 12: A = 168 - 7.0686 = 160.93, P = 52 + 9.4248 = 61.42;
//   S = 160.93/(2.25001 x 61.42) = 1.164, S/B = 0.647,
//   allowable 84.1 psi >= 8000/160.93 = 49.7 psi;
//   W/5 = 2.4 and L/5 = 2.8 both >= 2.25001 -> stable.
//   Deflection: S/B <= 3 takes the S/B = 3 curve alone (2.5 % at 145.5 psi,
//   4.2 % at 291 psi); both stresses lie below the first step, so the line
//   through those two points is extended down:
//     dead 6000/160.93 = 37.28 psi: 2.5 + 1.7(37.28 - 145.5)/145.5 = 1.236 %
//       -> 0.01236 x 2.25001 = 0.0278 in;
//     total 49.71 psi: 2.5 + 1.7(49.71 - 145.5)/145.5 = 1.381 %
//       -> 0.01381 x 2.25001 = 0.0311 in.
//   Rotation, x = 60 x 12/2 = 360 in:
//     dead y = 0 + 0.30: 2(0.30)/360 = 0.00167 <= 2(0.0278)/14 = 0.00397;
//     total y = 0.50: 2(0.50)/360 = 0.00278 <= 2(0.0311)/14 = 0.00444.
//   Reinforcement: plain pad, every plate value 0 -> no plate added.
//   Anchorage: H = 200 x 160.93 x 0.0504/(1000 x 2.25001) = 0.721 K
//     <= 6/5 = 1.2 K -> design complete.
// Final: 12 x 14 x 2.25001 in, no plates; a plain pad prints its cover, load
// plate and internal plate thicknesses as 0.
TEST_F(DesignProgramTest, PlainPadTooThickForItsWidthIsWidenedTwice) {
    design_and_check(
        "    0101PLAIN PAD WIDENED FOR STABILITY",
        // mode, basis, width, length, thickness; hole column 24 blank
        "   "
        "  10.0"
        "  14.0"
        "  2.25",
        // beam type, fixity, span, DL, LL, camber, dead and live deflection
        "  "
        "   10.0"
        "   60.0"
        "   6.0"
        " "
        "   2.0"
        "  0.0"
        " .30"
        " .20",
        {"                      WIDTH = 12.0000 IN       NUMBER OF HOLE(S) =  1",
         "                     LENGTH = 14.0000 IN        DIAMETER OF HOLE =  3.0000 IN",
         "                  THICKNESS =  2.2500 IN    TOP AND BOTTOM COVER =   .0000 IN",
         "    NUMBER OF LOAD PLATE(S) =  0        THICKNESS OF LOAD PLATE(S) = .0000 IN",
         "NUMBER OF INTERNAL PLATE(S) =  0    THICKNESS OF INTERNAL PLATE(S) = .0000 IN"});
}

// 12 x 12 in, thickness blank, no holes (hole column "0"), no load plates
// entered, covers and plate thickness by default (0.25, 0.25, 0.1875);
// concrete beam 40 ft from fixity, span 80 ft, DL 70 K, LL 30 K, camber 0,
// deflections 0.25 and 0.25 in.
//
// Start: T = 0.50001 (blank thickness); total load 100 K.
// pass 1, plain pad: A = 144, P = 48; S = 144/(0.50001 x 48) = 6.000,
//   S/B = 6.000/1.8 = 3.333, allowable 130 x 3.333 = 433.3 psi
//   < actual 100000/144 = 694.4 psi -> one load plate, properties again from
//   the plate: W = L = 12 - 2(0.25) = 11.5, A = 132.25, P = 46, F = 1.
//   Actual stress now 100000/132.25 = 756.1 psi.
// pass 2: hri = (0.50001 - 0.1875)/2 = 0.15626,
//   S = 132.25/(0.15626 x 46) = 18.4 > 12 -> no effective layer, T = 0.62501.
// pass 3: hri = (0.62501 - 0.1875)/2 = 0.21876, S = 13.14 > 12 -> T = 0.75001.
// pass 4: hri = (0.75001 - 0.1875)/2 = 0.28126, S = 10.22 <= 12,
//   S/B = 10.22/1.4 = 7.30, allowable 130 x 7.30 = 949.2 psi >= 756.1 psi;
//   hrt = 0.75001 - 0.1875 = 0.5625 in.
//   Shear: Ds = 40 x 70 x 0.000006 x 12 = 0.2016 in, 2 Ds = 0.4032 <= 0.5625.
//   Limits: 0.75001 <= 4.25, W/3 = L/3 = 11.5/3 = 3.833.
//   Deflection, S/B = 7.30 between the 9 and 6 curves, d = (9 - 7.30)/3 = 0.566:
//     dead 70000/132.25 = 529.3 psi, first step at or above is 582 (col. 4):
//       V4 = 2.6 + 0.566(3.0 - 2.6) = 2.826, V5 = 3.1 + 0.566(3.5 - 3.1) = 3.326,
//       strain 2.826 + 0.5(529.3 - 582)/145.5 = 2.645 %
//       -> 2 layers x 0.02645 x 0.28126 = 0.01488 in;
//     total 756.1 psi, step 873 (col. 6): V6 = 3.826, V7 = 4.0 + 0.566(0.5) = 4.283,
//       strain 3.826 + 0.457(756.1 - 873)/145.5 = 3.460 %
//       -> 2 x 0.03460 x 0.28126 = 0.01946 in.
//   Rotation, x = 80 x 12/2 = 480 in:
//     dead y = 0.25: 2(0.25)/480 = 0.00104 <= 2(0.01488)/11.5 = 0.00259;
//     total y = 0.50: 2(0.50)/480 = 0.00208 <= 2(0.01946)/11.5 = 0.00338.
//   Reinforcement, load plate T1 = 0.28126, T2 = 0.1875:
//     minimum 1700 x 0.28126 = 478.1 PLI <= allowable 20000 x 0.1875/1 = 3750;
//     fatigue 1000 x 30 x 0.1875/132.25 = 42.5 <= 10000 x 0.1875/1 = 1875.
//   Anchorage: H = 200 x 132.25 x 0.2016/(1000 x 0.5625) = 9.48 K <= 70/5 = 14 K.
// Final: 12 x 12 x 0.75001 in, one load plate; the cover printed is
// (0.75001 - 0.1875)/2 = 0.28126.
TEST_F(DesignProgramTest, OverstressedPlainPadGetsALoadPlateAndThickens) {
    design_and_check(
        "    0102ONE LOAD PLATE ADDED",
        // mode, basis, width, length, thickness blank, skip, hole column 24 "0"
        "   "
        "  12.0"
        "  12.0"
        "      "
        "  "
        "0",
        "  "
        "   40.0"
        "   80.0"
        "  70.0"
        " "
        "  30.0"
        "  0.0"
        " .25"
        " .25",
        {"                      WIDTH = 12.0000 IN       NUMBER OF HOLE(S) =  0",
         "                     LENGTH = 12.0000 IN        DIAMETER OF HOLE =  0.0000 IN",
         "                  THICKNESS =  0.7500 IN    TOP AND BOTTOM COVER =   .2813 IN",
         "    NUMBER OF LOAD PLATE(S) =  1        THICKNESS OF LOAD PLATE(S) = .1875 IN",
         "NUMBER OF INTERNAL PLATE(S) =  0    THICKNESS OF INTERNAL PLATE(S) = .0000 IN"});
}

// 12 x 12 in, thickness blank, no holes, two load plates (column 44 "2"),
// no internal plates, defaults 0.25 cover, 0.25 side cover, 0.1875 plates;
// concrete beam 50 ft from fixity, span 80 ft, DL 70 K, LL 30 K, camber 0,
// deflections 0.25 and 0.25 in.
//
// Properties from the plates throughout: W = L = 11.5, A = 132.25, P = 46,
// F = 1; W/3 = L/3 = 3.833; actual stress 100000/132.25 = 756.1 psi.
// Cover layer 0.25: S = 132.25/(0.25 x 46) = 11.5 <= 12, S/B = 11.5/1.4 = 8.21,
//   130 x 8.21 = 1068 -> allowable 1000 psi >= 756.1.
// Internal layer hri = T - 2(0.1875) - 0 - 2(0.25) = T - 0.875 must exceed 0.1:
//   T = 0.50001 -> -0.375; 0.62501 -> -0.250; 0.75001 -> -0.125;
//   0.87501 -> 0.00001: each <= 0.1, thickness + 0.125 (passes 1 to 4);
// pass 5, T = 1.00001: hri = 0.12501 > 0.1;
//   S = 132.25/(0.12501 x 46) = 23.0 > 12: the internal layer is too stiff and
//   drops out of hrt, the covers remain: hrt = 2(0.25) = 0.5, so there is an
//   effective layer; internal allowable 130 x 23.0 -> 1000 psi >= 756.1.
//   Shear: Ds = 50 x 70 x 0.000006 x 12 = 0.252 in, 2 Ds = 0.504 > 0.5
//   -> T = 1.12501 (<= 4.25 and <= 3.833), next pass.
// pass 6, T = 1.12501: hri = 0.25001, S = 132.25/(0.25001 x 46) = 11.4995 <= 12,
//   allowable 1000 psi; hrt = 0.25001 + 2(0.25) = 0.75001 >= 0.504.
//   Deflection, cover S/B = 8.214 between the 9 and 6 curves,
//   d = (9 - 8.214)/3 = 0.262; internal S/B = 11.4995 between the 12 and 9
//   curves, d = (12 - 11.4995)/3 = 0.1668:
//     dead 529.3 psi (step 582, col. 4):
//       cover V4 = 2.6 + 0.262(0.4) = 2.705, V5 = 3.1 + 0.262(0.4) = 3.205,
//         strain 2.705 + 0.5(529.3 - 582)/145.5 = 2.524 %;
//       internal V4 = 2.5 + 0.1668(0.1) = 2.517, V5 = 3.0 + 0.1668(0.1) = 3.017,
//         strain 2.517 + 0.5(-0.362) = 2.336 %;
//       total deflection 2(0.02524 x 0.25) + 1(0.02336 x 0.25001) = 0.01846 in;
//     total 756.1 psi (step 873, col. 6):
//       cover V6 = 3.705, V7 = 4.0 + 0.262(0.5) = 4.131,
//         strain 3.705 + 0.426(756.1 - 873)/145.5 = 3.362 %;
//       internal V6 = 3.2 + 0.1668(0.4) = 3.267, V7 = 3.6 + 0.1668(0.4) = 3.667,
//         strain 3.267 + 0.4(-0.8035) = 2.945 %;
//       total deflection 2(0.03362 x 0.25) + 0.02945 x 0.25001 = 0.02418 in.
//   Rotation, x = 480 in:
//     dead 2(0.25)/480 = 0.00104 <= 2(0.01846)/11.5 = 0.00321;
//     total 2(0.50)/480 = 0.00208 <= 2(0.02418)/11.5 = 0.00420.
//   Reinforcement: load plate T1 = (0.25001 + 0.25)/2 = 0.25,
//     minimum 1700 x 0.25 = 425 PLI <= 20000 x 0.1875/1 = 3750;
//     fatigue 42.5 <= 1875 PLI; no internal plates, their values are 0.
//   Anchorage: H = 200 x 132.25 x 0.252/(1000 x 0.75001) = 8.89 K <= 14 K.
// Final: 12 x 12 x 1.12501 in, two load plates, no internal plate.
TEST_F(DesignProgramTest, TwoLoadPlatePadThickensForItsInternalLayerAndShear) {
    design_and_check(
        "    0103TWO LOAD PLATES",
        // ..., hole column 24 "0", columns 25-43 blank, load-plate column 44 "2"
        "   "
        "  12.0"
        "  12.0"
        "      "
        "  "
        "0"
        "                   "
        "2",
        "  "
        "   50.0"
        "   80.0"
        "  70.0"
        " "
        "  30.0"
        "  0.0"
        " .25"
        " .25",
        {"                      WIDTH = 12.0000 IN       NUMBER OF HOLE(S) =  0",
         "                     LENGTH = 12.0000 IN        DIAMETER OF HOLE =  0.0000 IN",
         "                  THICKNESS =  1.1250 IN    TOP AND BOTTOM COVER =   .2500 IN",
         "    NUMBER OF LOAD PLATE(S) =  2        THICKNESS OF LOAD PLATE(S) = .1875 IN",
         "NUMBER OF INTERNAL PLATE(S) =  0    THICKNESS OF INTERNAL PLATE(S) = .0000 IN"});
}

}  // namespace
