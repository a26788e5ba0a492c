// File access of a run: absolute names, the input file, the existence test
// and the report file. Failures are thrown as RunTimeFailure with the unit
// and the absolute file name, mapped from the system's error.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "report/failure.h"
#include "report/report_file.h"

namespace bearingpad {

// An input file read record by record: a record ends at LF, a CR right before
// it is dropped; a last line without LF is a record too.
class InputFile {
  public:
    virtual ~InputFile() = default;
    // The next record, or nothing at end of file. A refused read throws 39.
    virtual std::optional<std::string> read_record() = 0;
};

class FileAccess {
  public:
    virtual ~FileAccess() = default;
    // The name made absolute against the current directory.
    virtual std::string absolute_name(std::string_view name) = 0;
    // Opens an existing file for reading (unit 5).
    virtual std::unique_ptr<InputFile> open_input(const std::string& name) = 0;
    // Whether a file (of any kind) of that name exists.
    virtual bool exists(const std::string& name) = 0;
    // Whether two names designate the same existing file.
    virtual bool same_file(const std::string& a, const std::string& b) = 0;
    // Creates a new report file (unit 6); fails with 10 when one exists.
    virtual std::unique_ptr<OutputSink> create_report(const std::string& name) = 0;
    // Reopens an existing report file (unit 6); its contents are cut at the
    // first write. Fails with 29 when it no longer exists.
    virtual std::unique_ptr<OutputSink> reopen_report(const std::string& name) = 0;
};

// The operating system's files.
class SystemFileAccess : public FileAccess {
  public:
    std::string absolute_name(std::string_view name) override;
    std::unique_ptr<InputFile> open_input(const std::string& name) override;
    bool exists(const std::string& name) override;
    bool same_file(const std::string& a, const std::string& b) override;
    std::unique_ptr<OutputSink> create_report(const std::string& name) override;
    std::unique_ptr<OutputSink> reopen_report(const std::string& name) override;
};

// The message number for a system error number when opening a file.
int open_failure_number(int error_number);

}  // namespace bearingpad
