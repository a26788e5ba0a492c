// The calculation pages of the output data section: bearing and elastomer
// properties (page 1), compressive stress and deflection (page 2), shear,
// rotation and stability (page 3), reinforcement and anchorage (page 4).
// Every block is a table of lines, each line the items at their record
// columns, so that a line can be read against the printed report column by
// column. Separators, footers and page ejects belong to the report writer.
#include "report/calculation_pages.h"

namespace bearingpad {

namespace {

using R = CheckResults;
using C = LayerCounts;

// ---------------------------------------------------------------- page 1

// Bearing properties heading; properties taken from the bearing dimensions.
const Layout kBearingDimensionsHeading = {
    {lit(2, "BEARING PROPERTIES")},
    {lit(3, "Bearing properites are calculated using bearing dimensions.")},
    {},
    {lit(34, "W = WIDTH")},
    {lit(34, "L = LENGTH")},
    {lit(34, "D = DIAMETER")},
};

// Properties taken from the steel plates (the bearing less its side cover).
const Layout kPlateDimensionsHeading =
    with_lines(kBearingDimensionsHeading,
               {
                   {2, {lit(3, "Bearing properites are calculated using plate dimensions.")}},
                   {4, {lit(34, "W = WIDTH - 2(SIDE COVER)")}},
                   {5, {lit(34, "L = LENGTH - 2(SIDE COVER)")}},
                   {6, {lit(34, "D = DIAMETER + 2(SIDE COVER)")}},
               });

const Layout kBearingPropertiesValues = {
    {lit(9, "Area excluding hole(s) - A = W(L) - [3.1416(D^2)/4][NUMBER OF HOLE(S)]")},
    {lit(10, "Factor due to hole(s) - F = 2(W)/(W - D)")},
    {lit(4, "Perimeter including hole(s) - P = 2(W + L) + [3.1416(D)][NUMBER OF HOLE(S)]")},
    {},
    {lit(34, "W ="), real(38, &R::effective_width, 9, 4), lit(48, "IN")},
    {lit(34, "L ="), real(38, &R::effective_length, 9, 4), lit(48, "IN")},
    {lit(34, "D ="), real(38, &R::effective_diameter, 9, 4), lit(48, "IN")},
    {lit(34, "A ="), real(38, &R::area, 9, 4), lit(48, "IN^2")},
    {lit(34, "F ="), real(38, &R::holes_factor, 9, 4)},
    {lit(34, "P ="), real(38, &R::perimeter, 9, 4), lit(48, "IN")},
};

// Table 14.3.1.
const Layout kElastomerProperties = {
    {lit(2, "TABLE 14.3.1  Elastomer properties")},
    {lit(7, "Minimum shear modulus - Gmin = 130 PSI")},
    {lit(7, "Maximum shear modulus - Gmax = 200 PSI")},
};

// ---------------------------------------------------------------- page 2

// Article 14.4.1.1, steel-laminated pad.
const Layout kCompressiveStressLaminated = {
    {lit(2, "ARTICLE 14.4.1.1  Compressive Stress")},
    {lit(2, " If the shape factor for a layer exceeds 12, the layer is to stiff to compress")},
    {lit(5, "or deflect.  Therefore, the layer is not considered effective and is not ")},
    {lit(5, "used in any calculation.")},
    {},
    {lit(26, "A and P - see Bearing properties")},
    {lit(29, "Gmin - see Elastomer properties")},
    {lit(30, "hri - thickness of elastomer layer")},
    {lit(17, "Shape Factor - S = A/[hri(P)]")},
    {lit(32, "B = 1.4 for Cover Layer, 1.0 for Internal Layer")},
    {lit(2, "Total elastomer thickness - hrt = Summation of the [(NUMBER OF LAYERS)(hri)]")},
    {lit(20, "ACTUAL STRESS = [(DEAD LOAD REACTION)")},
    {lit(37, "+ (LIVE LOAD REACTION)]/A")},
    {lit(9, "MINIMUM ALLOWABLE STRESS = Minimum of 1000 or Gmin(S/B)")},
    {},
    {lit(25, "NUMBER"), lit(68, "ALLOWABLE")},
    {lit(23, "OF LAYERS"), lit(38, "hri"), lit(47, "S"), lit(55, "B"), lit(61, "S/B"),
     lit(70, "STRESS")},
    {lit(25, "(IN)"), lit(70, "(PSI)")},
    {lit(5, "COVER LAYER"), count(26, &C::cover_layer_count, 2),
     real(36, &R::cover_layer_thickness, 6, 4), real(46, &R::shape_factor_cover, 4, 1),
     real(53, &R::b_factor_cover, 4, 1), real(60, &R::shape_ratio_cover, 4, 1),
     real(69, &R::allowable_stress_cover, 6, 0)},
    {lit(5, "INTERNAL LAYER"), count(26, &C::internal_layer_count, 2),
     real(36, &R::internal_layer_thickness, 6, 4), real(46, &R::shape_factor_internal, 4, 1),
     real(53, &R::b_factor_internal, 4, 1), real(60, &R::shape_ratio_internal, 4, 1),
     real(69, &R::allowable_stress_internal, 6, 0)},
    {},
    {lit(30, "hrt = "), real(36, &R::elastomer_thickness, 5, 3), lit(42, "IN")},
    {lit(20, "ACTUAL STRESS = "), real(36, &R::compressive_stress, 5, 0), lit(42, "PSI")},
    {lit(9, "MINIMUM ALLOWABLE STRESS = "), real(36, &R::allowable_stress, 5, 0), lit(42, "PSI")},
};

// Article 14.4.1.1, plain elastomer pad: B = 1.8, one layer, at most 800 psi.
const Layout kCompressiveStressPlain =
    with_lines(kCompressiveStressLaminated,
               {
                   {10, {lit(32, "B = 1.8")}},
                   {11, {lit(2, "Total elastomer thickness - hrt = hri")}},
                   {14, {lit(9, "MINIMUM ALLOWABLE STRESS = Minimum of 800 or Gmin(S/B)")}},
               });

// Article 14.4.1.2: three load cases, each a cover and an internal column.
const Layout kCompressiveDeflection = {
    {lit(2, "ARTICLE 14.4.1.2  Compressive Deflection")},
    {lit(3, "This program uses Figure 14.4.1.2B as a reference.  Using S/B for the Shape")},
    {lit(5, "Factor and the ACTUAL STRESS for Compressive stress (psi), the program will")},
    {lit(5, "interpolate to find the COMPRESSIVE STRAIN (%).")},
    {lit(3, "COMMENTARIES - 1985 INTERIM, ARTICLE 14.2.4  Compressive Deflection ")},
    {lit(5, "recommends a maximum relative deflection across a joint of .125\"")},
    {},
    {lit(3, "S/B, hri, and NUMBER OF LAYERS - see Compressive Stress")},
    {lit(11, "COMPRESSIVE DEFLECTION = (COMPRESSIVE STRAIN)(hri)/100")},
    {lit(17, "TOTAL DEFLECTION = Summation of the")},
    {lit(36, "[(COMPRESSIVE DEFLECTION)(NUMBER OF LAYERS)]")},
    {lit(28, "CREEP = 35% OF THE (TOTAL DEFLECTION)")},
    {lit(13, "LONG TERM DEFLECTION = (TOTAL DEFLECTION) + (CREEP)")},
    {},
    {lit(68, "DEAD LOAD")},
    {lit(72, "+")},
    {lit(34, "DEAD LOAD"), lit(51, "LIVE LOAD"), lit(68, "LIVE LOAD")},
    {lit(32, "--------------"), lit(49, "--------------"), lit(66, "--------------")},
    {lit(32, "COVER"), lit(38, "INTERNAL"), lit(49, "COVER"), lit(55, "INTERNAL"), lit(66, "COVER"),
     lit(72, "INTERNAL")},
    {lit(32, "LAYER"), lit(41, "LAYER"), lit(49, "LAYER"), lit(58, "LAYER"), lit(66, "LAYER"),
     lit(75, "LAYER")},
    {},
    {lit(11, "ACTUAL STRESS (PSI)"), real(36, &R::dead_load_stress, 5, 0),
     real(53, &R::live_load_stress, 5, 0), real(70, &R::total_load_stress, 5, 0)},
    {lit(21, "S/B"), real(32, &R::shape_ratio_cover, 4, 1),
     real(41, &R::shape_ratio_internal, 4, 1), real(49, &R::shape_ratio_cover, 4, 1),
     real(58, &R::shape_ratio_internal, 4, 1), real(66, &R::shape_ratio_cover, 4, 1),
     real(75, &R::shape_ratio_internal, 4, 1)},
    {lit(6, "COMPRESSIVE STRAIN"), real(32, &R::strain_dead_cover, 4, 1),
     real(41, &R::strain_dead_internal, 4, 1), real(49, &R::strain_live_cover, 4, 1),
     real(58, &R::strain_live_internal, 4, 1), real(66, &R::strain_total_cover, 4, 1),
     real(75, &R::strain_total_internal, 4, 1)},
    {},
    {lit(21, "hri (IN)"), real(31, &R::cover_layer_thickness, 6, 4),
     real(40, &R::internal_layer_thickness, 6, 4), real(48, &R::cover_layer_thickness, 6, 4),
     real(57, &R::internal_layer_thickness, 6, 4), real(65, &R::cover_layer_thickness, 6, 4),
     real(74, &R::internal_layer_thickness, 6, 4)},
    {lit(2, "COMPRESSIVE DEFLECTION (IN)"), real(32, &R::deflection_dead_cover, 5, 4),
     real(41, &R::deflection_dead_internal, 5, 4), real(49, &R::deflection_live_cover, 5, 4),
     real(58, &R::deflection_live_internal, 5, 4), real(66, &R::deflection_total_cover, 5, 4),
     real(75, &R::deflection_total_internal, 5, 4)},
    {lit(8, "NUMBER OF LAYERS"), count(33, &C::cover_layer_count, 2),
     count(42, &C::internal_layer_count, 2), count(50, &C::cover_layer_count, 2),
     count(59, &C::internal_layer_count, 2), count(67, &C::cover_layer_count, 2),
     count(76, &C::internal_layer_count, 2)},
    {},
    {lit(8, "TOTAL DEFLECTION (IN)"), real(36, &R::total_deflection_dead, 5, 4),
     real(53, &R::total_deflection_live, 5, 4), real(70, &R::total_deflection_total, 5, 4)},
    {lit(19, "CREEP (IN)"), real(36, &R::creep_dead, 5, 4), real(53, &R::creep_live, 5, 4),
     real(70, &R::creep_total, 5, 4)},
    {lit(4, "LONG TERM DEFLECTION (IN)"), real(36, &R::long_term_deflection_dead, 5, 4),
     real(53, &R::long_term_deflection_live, 5, 4), real(70, &R::long_term_deflection_total, 5, 4)},
    {},
    {lit(13, "**** ENGINEER MUST MAKE THE CHECKS FOR DEFLECTIONS ****")},
    {},
};

// ---------------------------------------------------------------- page 3

// Article 14.4.1.3 heading, concrete beam (70 degrees, 0.000006 per degree).
const Layout kShearHeadingConcrete = {
    {lit(2, "ARTICLE 14.4.1.3  Shear")},
    {lit(4, "DISTANCE TO FIXITY, CAMBER, and")},
    {lit(25, "DEFLECTION - see Input Values")},
    {lit(32, "hrt - see Compressive Stress")},
    {lit(33, "Dh - Total horizontal movement of superstructure")},
    {lit(33, "Ds - Maximum shear deformation of the bearing")},
    {lit(33, "Ds = Dh")},
    {lit(18, "TEMPERATURE RANGE = 70 Degrees")},
    {lit(3, "COEFFICIENT OF THERMAL EXPANSION = .000006 per Degree")},
    {lit(33, "Ds = [(DISTANCE TO FIXITY)(TEMPERATURE RANGE)")},
    {lit(38, "(COEFFICIENT OF THERMAL EXPANSION)]")},
    {lit(24, "MINIMUM hrt = 2(Ds)")},
    {},
};

// Steel beam: 120 degrees, 0.0000065 per degree.
const Layout kShearHeadingSteel =
    with_lines(kShearHeadingConcrete,
               {
                   {8, {lit(18, "TEMPERATURE RANGE = 120 Degrees")}},
                   {9, {lit(3, "COEFFICIENT OF THERMAL EXPANSION = .0000065 per Degree")}},
               });

const Layout kShearValues = {
    {lit(33, "Ds = "), real(38, &R::shear_deformation, 5, 3), lit(44, "IN")},
    {lit(32, "hrt = "), real(38, &R::elastomer_thickness, 5, 3), lit(44, "IN")},
    {lit(24, "MINIMUM hrt = "), real(38, &R::minimum_elastomer_thickness, 5, 3), lit(44, "IN")},
};

// Article 14.4.1.4: camber + dead load deflection (fields near column 45) and
// camber + dead + live load deflection (fields near column 59).
const Layout kRotation = {
    {lit(2, "ARTICLE 14.4.1.4 Rotation")},
    {lit(3, "The centerline of the bearing is placed perpendicular to the centerline of")},
    {lit(5, "the beam, therefore rotation in the transverve direction is negligible.")},
    {},
    {lit(11, "DESIGN SPAN, CAMBER, and")},
    {lit(25, "DEFLECTION - see Input Values")},
    {lit(34, "L - see Bearing properties")},
    {lit(19, "TOTAL DEFLECTION - see Compressive Deflection")},
    {lit(34, "x = (DESIGN SPAN)12/2")},
    {lit(34, "y = CAMBER + DEFLECTION")},
    {lit(34, "y = kx^2   Equation for a parabola")},
    {lit(34, "k = y/x^2  Solving for k")},
    {lit(23, "ACTUAL theta = 2kx    Derivative with respect to x")},
    {lit(20, "ALLOWABLE theta = 2(TOTAL DEFLECTION)/L")},
    {},
    {lit(59, "CAMBER")},
    {lit(62, "+")},
    {lit(58, "DEAD LOAD")},
    {lit(45, "CAMBER"), lit(57, "DEFLECTION")},
    {lit(48, "+"), lit(62, "+")},
    {lit(44, "DEAD LOAD"), lit(58, "LIVE LOAD")},
    {lit(43, "DEFLECTION"), lit(57, "DEFLECTION")},
    {lit(43, "----------"), lit(57, "----------")},
    {},
    {lit(28, "x (IN)"), real(44, &R::rotation_x, 8, 3), real(58, &R::rotation_x_total, 8, 3)},
    {lit(28, "y (IN)"), real(46, &R::rotation_y_dead_abs, 5, 3),
     real(60, &R::rotation_y_total_abs, 5, 3)},
    {lit(28, "k"), real(43, &R::rotation_k_dead, 10, 9), real(57, &R::rotation_k_total, 10, 9)},
    {lit(17, "ACTUAL theta (RADIANS)"), real(45, &R::rotation_dead, 7, 6),
     real(59, &R::rotation_total, 7, 6)},
    {lit(14, "ALLOWABLE theta (RADIANS)"), real(45, &R::rotation_allowable_dead, 7, 6),
     real(59, &R::rotation_allowable_total, 7, 6)},
};

// Article 14.4.1.5, steel-laminated pad: W/3 and L/3.
const Layout kStabilityLaminated = {
    {lit(2, "ARTICLE 14.4.1.5  Stability")},
    {lit(2, "The THICKNESS of the bearing shall not exceed W/3 or L/3.")},
    {},
    {lit(28, "W and L - see Bearing properties")},
    {},
    {lit(26, "THICKNESS = "), real(38, &R::thickness, 6, 3), lit(45, "IN")},
    {lit(32, "W/3 = "), real(38, &R::stability_limit_width, 6, 3), lit(45, "IN")},
    {lit(32, "L/3 = "), real(38, &R::stability_limit_length, 6, 3), lit(45, "IN")},
};

// Plain pad: W/5 and L/5, fields one column narrower.
const Layout kStabilityPlain = with_lines(
    kStabilityLaminated,
    {
        {2, {lit(2, "The THICKNESS of the bearing shall not exceed W/5 or L/5.")}},
        {6, {lit(26, "THICKNESS = "), real(38, &R::thickness, 5, 3), lit(44, "IN")}},
        {7, {lit(32, "W/5 = "), real(38, &R::stability_limit_width, 5, 3), lit(44, "IN")}},
        {8, {lit(32, "L/5 = "), real(38, &R::stability_limit_length, 5, 3), lit(44, "IN")}},
    });

// ---------------------------------------------------------------- page 4

// Article 14.4.1.6 text.
const Layout kReinforcementText = {
    {lit(2, "ARTICLE 14.4.1.6  Reinforcement")},
    {lit(2, "AASHTO, DIVISION II - CONSTRUCTION, ARTICLE  18.2.3.2 STEEL LAMINATES: Plates ")},
    {lit(4, "shall have a minimum thickness of 16 gage (.0598 IN) and may be ")},
    {lit(4, "ASTM A 709 GRADE 36, ASTM A 36, or ASTM A 570 GRADE 36.")},
    {lit(2, "COMMENTARIES - 1985 INTERIM, ARTICLE  14.2.8 REINFORCEMENT: Fatigue stress ")},
    {lit(4, "may be estimated by Category D in TABLE 10.3.1A.  2,000,000  Cycles has ")},
    {lit(4, "been selected.")},
    {},
    {lit(9, "LIVE LOAD REACTION and")},
    {lit(13, "DEAD LOAD REACTION - see Input Values")},
    {lit(20, "A, P, and F - see Bearing properties")},
    {lit(28, "hri - see Compressive Stress")},
    {lit(29, "T1 - Mean thickness of the two layers")},
    {lit(34, "of the elastomer bonded to the Plate")},
    {lit(29, "T2 - Thickness of Plate")},
    {lit(18, "ACTUAL STRESS = [(LIVE LOAD REACTION + DEAD LOAD REACTION)")},
    {lit(34, "(T2)]/A")},
    {lit(17, "MINIMUM STRESS = 1700(T1)")},
    {lit(17, "WORKING STRESS = Maximum of ACTUAL STRESS or MINIMUM STRESS")},
    {lit(15, "ALLOWABLE STRESS = 20,000(T2)/F")},
    {lit(17, "FATIGUE STRESS = (LIVE LOAD REACTION)(T2)/A")},
    {lit(7, "ALLOWABLE FATIGUE STRESS = 10,000(T2)/F")},
    {},
    {},
};

// First plate table: counts, thicknesses, actual and minimum stresses (PLI).
const Layout kPlateTable1 = {
    {lit(30, "NUMBER"), lit(40, "THICKNESS"), lit(53, "ACTUAL"), lit(63, "MINIMUM")},
    {lit(32, "OF"), lit(40, "OF PLATES"), lit(53, "STRESS"), lit(63, "STRESS")},
    {lit(30, "PLATES"), lit(42, "(IN)"), lit(53, "(PLI)"), lit(64, "(PLI)")},
    {lit(12, "LOAD  PLATE"), integer(32, &R::load_plate_count, 2),
     real(41, &R::load_plate_thickness, 6, 4), real(52, &R::load_plate_actual_stress, 6, 0),
     real(63, &R::load_plate_minimum_stress, 6, 0)},
    {lit(12, "INTERNAL PLATE"), integer(32, &R::internal_plate_count, 2),
     real(41, &R::internal_plate_thickness, 6, 4), real(52, &R::internal_plate_actual_stress, 6, 0),
     real(63, &R::internal_plate_minimum_stress, 6, 0)},
    {},
};

// Second plate table: working, allowable, fatigue and allowable fatigue (PLI).
const Layout kPlateTable2 = {
    {lit(41, "ALLOWABLE"), lit(65, "ALLOWABLE")},
    {lit(30, "WORKING"), lit(42, "WORKING"), lit(54, "FATIGUE"), lit(66, "FATIGUE")},
    {lit(30, "STRESS"), lit(42, "STRESS"), lit(54, "STRESS"), lit(66, "STRESS")},
    {lit(31, "(PLI)"), lit(43, "(PLI)"), lit(55, "(PLI)"), lit(67, "(PLI)")},
    {lit(12, "LOAD  PLATE"), real(30, &R::load_plate_working_stress, 6, 0),
     real(42, &R::load_plate_allowable_stress, 6, 0), real(54, &R::load_plate_fatigue_stress, 6, 0),
     real(66, &R::load_plate_allowable_fatigue, 6, 0)},
    {lit(12, "INTERNAL PLATE"), real(30, &R::internal_plate_working_stress, 6, 0),
     real(42, &R::internal_plate_allowable_stress, 6, 0),
     real(54, &R::internal_plate_fatigue_stress, 6, 0),
     real(66, &R::internal_plate_allowable_fatigue, 6, 0)},
};

// Article 14.5.
const Layout kAnchorage = {
    {lit(2, "ARTICLE 14.5  ANCHORAGE")},
    {lit(34, "A - see Bearing properties")},
    {lit(31, "Gmax - see Elastomer properties")},
    {lit(32, "hrt - see Compressive Stress")},
    {lit(33, "Dh - see Shear")},
    {lit(34, "H - Design shear force on bearing")},
    {lit(34, "H = Gmax(A)Dh/(hrt)1000")},
    {lit(26, "ALLOWABLE = (1/5)(DEAD LOAD REACTION)")},
    {},
    {lit(34, "H = "), real(38, &R::shear_force, 8, 3), lit(47, "K")},
    {lit(26, "ALLOWABLE = "), real(38, &R::anchorage_allowable, 8, 3), lit(47, "K")},
};

// The calculation pages use no layer counts outside the stress and
// deflection tables.
const LayerCounts kNoCounts{};

}  // namespace

void write_bearing_properties_heading(ReportFile& report, const CheckResults& r,
                                      DimensionBasis basis) {
    write_lines(
        report,
        basis == DimensionBasis::plate ? kPlateDimensionsHeading : kBearingDimensionsHeading, r,
        kNoCounts);
}

void write_bearing_properties_values(ReportFile& report, const CheckResults& r) {
    write_lines(report, kBearingPropertiesValues, r, kNoCounts);
}

void write_elastomer_properties(ReportFile& report, const CheckResults& r) {
    write_lines(report, kElastomerProperties, r, kNoCounts);
}

void write_compressive_stress(ReportFile& report, const CheckResults& r, const LayerCounts& counts,
                              PadKind pad) {
    write_lines(report,
                pad == PadKind::plain ? kCompressiveStressPlain : kCompressiveStressLaminated, r,
                counts);
}

void write_compressive_deflection(ReportFile& report, const CheckResults& r,
                                  const LayerCounts& counts) {
    write_lines(report, kCompressiveDeflection, r, counts);
}

void write_shear_heading(ReportFile& report, const CheckResults& r, BeamKind beam) {
    write_lines(report, beam == BeamKind::concrete ? kShearHeadingConcrete : kShearHeadingSteel, r,
                kNoCounts);
}

void write_shear_values(ReportFile& report, const CheckResults& r) {
    write_lines(report, kShearValues, r, kNoCounts);
}

void write_rotation(ReportFile& report, const CheckResults& r) {
    write_lines(report, kRotation, r, kNoCounts);
}

void write_stability(ReportFile& report, const CheckResults& r, PadKind pad) {
    write_lines(report, pad == PadKind::plain ? kStabilityPlain : kStabilityLaminated, r,
                kNoCounts);
}

void write_reinforcement(ReportFile& report, const CheckResults& r) {
    write_lines(report, kReinforcementText, r, kNoCounts);
    write_lines(report, kPlateTable1, r, kNoCounts);
    write_lines(report, kPlateTable2, r, kNoCounts);
}

void write_anchorage(ReportFile& report, const CheckResults& r) {
    write_lines(report, kAnchorage, r, kNoCounts);
}

}  // namespace bearingpad
