// The three fixed-column records of the input file (title, pad, beam), the
// decoding and validation of the pad data, and the values derived from the
// beam data.
#pragma once

#include <string>
#include <vector>

#include "checks/check_results.h"
#include "checks/input_fields.h"
#include "checks/problem_record.h"
#include "driver/file_access.h"

namespace bearingpad {

enum class ReadResult { done, end_of_input };
enum class PadData { accepted, rejected };

// The input file as the run reads it: one record per read, conversion
// failures reported with unit 5 and the file's absolute name.
class InputRecords {
  public:
    InputRecords(InputFile& file, std::string name) : file_(file), name_(std::move(name)) {}

    // The next record; nothing at end of file. A UTF-8 byte order mark at the
    // very start of the file, which some editors write, is not part of the
    // title record.
    std::optional<std::string> next();
    // The next record; end of file is run-time failure 24.
    std::string next_required();

    float real(const std::string& record, int first, int w, int d) const;
    std::int32_t integer(const std::string& record, int first, int w) const;

    // A field of the record layout (checks/input_fields.h).
    float real(const std::string& record, const InputField& f) const;
    std::int32_t integer(const std::string& record, const InputField& f) const;
    std::string text(const std::string& record, const InputField& f) const;
    char character(const std::string& record, const InputField& f) const;

    // The records read so far, as typed (a byte order mark removed).
    const std::vector<std::string>& records() const { return records_; }

  private:
    InputFile& file_;
    std::string name_;
    bool first_ = true;
    std::vector<std::string> records_;
};

// Removes a UTF-8 byte order mark (EF BB BF) from the front of the first
// record of a file; true when there was one.
bool strip_byte_order_mark(std::string& first_record);

// Record 1: problem number (columns 5-8) and title (columns 9-80).
ReadResult read_title_record(InputRecords& in, ProblemRecord& p);
// Record 2: mode, dimension code, dimensions, holes, covers, plates.
ReadResult read_pad_record(InputRecords& in, ProblemRecord& p);
// Record 3: beam type, distance to fixity, span, reactions, camber and
// deflections. A missing record is run-time failure 24.
void read_beam_record(InputRecords& in, ProblemRecord& p);

// Defaults for zero fields, decoding of the hole and load-plate count
// characters, validation and the preparation of a design. When it rejects,
// exactly one slot of design_flags has been set.
PadData prepare_pad_data(ProblemRecord& p, RunMode mode, DesignFlags& flags);

// Total load and the two beam-end ordinates for the rotation check.
void derive_beam_values(ProblemRecord& p);

// The mode chosen by column 2 of the pad record: "A" (upper case only) is
// analysis, every other character design.
RunMode run_mode_of(const ProblemRecord& p);

// Copies the input fields of the problem record into the check results.
void fill_check_results(const ProblemRecord& p, CheckResults& r);

}  // namespace bearingpad
