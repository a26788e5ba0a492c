// The calculation blocks of the output data section, pages 1 to 4: each
// writes its table of lines. Where a block has variants, the pad's
// construction chooses among them.
#pragma once

#include "checks/check_results.h"
#include "checks/codes.h"
#include "report/layout.h"
#include "report/report_file.h"

namespace bearingpad {

// The calculation blocks of pages 1 to 4.
void write_bearing_properties_heading(ReportFile& report, const CheckResults& r,
                                      DimensionBasis basis);
void write_bearing_properties_values(ReportFile& report, const CheckResults& r);
void write_elastomer_properties(ReportFile& report, const CheckResults& r);
void write_compressive_stress(ReportFile& report, const CheckResults& r, const LayerCounts& counts,
                              PadKind pad);
void write_compressive_deflection(ReportFile& report, const CheckResults& r,
                                  const LayerCounts& counts);
void write_shear_heading(ReportFile& report, const CheckResults& r, BeamKind beam);
void write_shear_values(ReportFile& report, const CheckResults& r);
void write_rotation(ReportFile& report, const CheckResults& r);
void write_stability(ReportFile& report, const CheckResults& r, PadKind pad);
void write_reinforcement(ReportFile& report, const CheckResults& r);
void write_anchorage(ReportFile& report, const CheckResults& r);

}  // namespace bearingpad
