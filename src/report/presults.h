// The report writer: the output data section from the "OUTPUT DATA" heading
// to the footer "PAGE 5" (calculation pages 1 to 4, bearing details and the
// warnings of the failed checks).
#pragma once

#include "checks/check_results.h"
#include "report/report_file.h"

namespace bearingpad {

// Writes the output data section for the checked pad. Before writing it
// adjusts five values in place (covers, side cover, load plate and internal
// plate thickness, hole diameter) so that they match the pad's construction;
// these adjustments remain in the record after the call.
void presults(CheckResults& r, ReportFile& report);

}  // namespace bearingpad
