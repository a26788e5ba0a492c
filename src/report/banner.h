// The report lines the driver writes itself: banner and title, mode lines,
// the echo of the pad and beam data, and the closing messages.
#pragma once

#include <string>

#include "checks/check_results.h"
#include "driver/problem_record.h"
#include "report/report_file.h"

namespace bearingpad {

// The separator line: 78 hyphens in columns 2 to 79.
Record separator_line();

void write_banner(ReportFile& report, const std::string& run_date,
                  const std::string& problem_number, const std::string& run_time,
                  const std::string& title);
void write_mode_lines(ReportFile& report, RunMode mode);
void write_pad_echo(ReportFile& report, const ProblemRecord& p);
void write_design_data_echo(ReportFile& report, const ProblemRecord& p);
void write_closing_messages(ReportFile& report, const DesignFlags& flags);

}  // namespace bearingpad
