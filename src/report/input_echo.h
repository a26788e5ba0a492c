// The head of the report, written by the driver as it reads the records:
// banner and title, the mode lines, the echo of the pad data and of the
// design (beam) data.
#pragma once

#include <string>

#include "checks/check_results.h"
#include "checks/input_fields.h"
#include "checks/problem_record.h"
#include "report/report_file.h"

namespace bearingpad {

void write_banner(ReportFile& report, const std::string& run_date,
                  const std::string& problem_number, const std::string& run_time,
                  const std::string& title);
void write_mode_lines(ReportFile& report, RunMode mode);
void write_pad_echo(ReportFile& report, const ProblemRecord& p);
void write_design_data_echo(ReportFile& report, const ProblemRecord& p);

}  // namespace bearingpad
