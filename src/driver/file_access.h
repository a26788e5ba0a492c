// File access of a run: absolute names, the input file, the existence test
// and the report file. Failures are thrown as RunTimeFailure with the unit
// and the absolute file name, mapped from the system's error.
#pragma once

#include <functional>
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

// What went wrong in a file operation, as the platform's source classifies
// its system errors; the message numbers follow from it alike on every
// platform.
enum class FileError {
    not_found,       // no such file
    missing_folder,  // a folder of the name does not exist
    access_denied,   // refused for the access asked, or held open by another program
    invalid_name,    // the system rejects the name
    is_folder,       // the name is a folder, not a file
    exists,          // a file of the name exists already
    other,
};

// The message number when opening an existing file (the input file, or the
// report file again after a "Y") fails.
int open_failure_number(FileError error);
// The message number when creating a new report file fails: a missing file or
// folder is no missing report file, the create failed.
int create_failure_number(FileError error);

// The most of one record that is kept; the records of the input file have 80
// columns, so nothing that is read is lost.
inline constexpr std::size_t kMaxRecordKept = 4096;

// An input file over the platform's "read some bytes": the records are split
// here, alike on every platform.
class RecordInputFile : public InputFile {
  public:
    explicit RecordInputFile(std::string name) : name_(std::move(name)) {}
    std::optional<std::string> read_record() final;

  protected:
    // Reads at most size bytes into buffer; 0 at end of file. A refused read
    // returns nothing.
    virtual std::optional<std::size_t> read_some(char* buffer, std::size_t size) = 0;

  private:
    void fill();

    std::string name_;
    char buffer_[8192];
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
};

// A report file over the platform's "write some bytes" and "cut": bytes are
// collected and written in blocks; a reopened file is cut at its first write,
// so that a run that writes nothing leaves it as it was.
class BlockReportSink : public OutputSink {
  public:
    BlockReportSink(std::string name, bool cut_at_first_write)
        : name_(std::move(name)), cut_pending_(cut_at_first_write) {}
    void write(std::string_view bytes) final;
    void flush() final;

  protected:
    // Writes at most size bytes; returns how many, nothing when refused.
    virtual std::optional<std::size_t> write_some(const char* bytes, std::size_t size) = 0;
    // Cuts the file to length 0; false when refused.
    virtual bool cut() = 0;

  private:
    [[noreturn]] void fail();

    std::string name_;
    bool cut_pending_;
    std::string pending_;
};

// Opens the report file of a problem by its absolute name: creates it when no
// file of the name exists; when one does, never writes over the input file
// (message 10), and otherwise asks may_replace whether to reopen it. Returns
// nothing when the existing report is to stay as it is.
std::unique_ptr<OutputSink> open_report_file(FileAccess& files, const std::string& input_name,
                                             const std::string& report_name,
                                             const std::function<bool()>& may_replace);

// Whether a name holds a NUL byte, which no system takes in a file name.
bool has_nul(const std::string& name);

}  // namespace bearingpad
