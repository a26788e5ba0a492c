// The head of the report, written by the driver as it reads the records:
// banner and title, the mode lines, the echo of the pad data and of the
// design (beam) data.
#pragma once

#include <string>

#include "checks/check_results.h"
#include "checks/problem_record.h"
#include "report/report_file.h"

namespace bearingpad {

// The width and decimals of a real printed in the input echo: a value too
// wide for its field prints as asterisks.
struct EchoFormat {
    int w;
    int d;
};
namespace echo {
inline constexpr EchoFormat width{7, 4};
inline constexpr EchoFormat length{7, 4};
inline constexpr EchoFormat thickness{7, 4};
inline constexpr EchoFormat diameter_of_hole{7, 4};
inline constexpr EchoFormat cover_thickness{5, 4};
inline constexpr EchoFormat side_cover{5, 4};
inline constexpr EchoFormat load_plate_thickness{6, 4};
inline constexpr EchoFormat internal_plate_thickness{6, 4};
inline constexpr EchoFormat distance_to_fixity{8, 4};
inline constexpr EchoFormat design_span{8, 4};
inline constexpr EchoFormat dead_load{7, 3};
inline constexpr EchoFormat live_load{7, 3};
inline constexpr EchoFormat camber{6, 3};
inline constexpr EchoFormat dead_load_deflection{6, 3};
inline constexpr EchoFormat live_load_deflection{6, 3};
}  // namespace echo

void write_banner(ReportFile& report, const std::string& run_date,
                  const std::string& problem_number, const std::string& run_time,
                  const std::string& title);
void write_mode_lines(ReportFile& report, RunMode mode);
void write_pad_echo(ReportFile& report, const ProblemRecord& p);
void write_design_data_echo(ReportFile& report, const ProblemRecord& p);

}  // namespace bearingpad
