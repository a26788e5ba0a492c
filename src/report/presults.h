// The report writer: the output data section from the "OUTPUT DATA" heading
// to the footer "PAGE 5" (calculation pages 1 to 4, bearing details and the
// warnings of the failed checks).
#pragma once

#include "checks/check_results.h"
#include "report/report_file.h"

namespace bearingpad {

// Writes the output data section for the checked pad from the record as it
// stands; the record is read only. Every page shows the covers, plate
// thicknesses and hole diameter as construction_details() (checks.h) leaves
// them, so the driver runs that after the check sequence and before this.
void presults(const CheckResults& r, ReportFile& report);

}  // namespace bearingpad
