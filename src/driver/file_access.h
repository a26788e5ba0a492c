// File access of a run: absolute names, the input file, the existence test
// and the report file, and a file written whole (WholeFile: written beside
// its name and renamed into place at the end). Failures are thrown as
// RunTimeFailure with the unit and the absolute file name, mapped from the
// system's error.
#pragma once

#include <cstddef>
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

// A file of the platform open for writing: the temporary file of a WholeFile,
// or a device that takes a report in place.
class WritableFile {
  public:
    // Closes the file when close() was not called; nothing is checked.
    virtual ~WritableFile() = default;
    // Writes at most size bytes; returns how many, nothing when refused.
    virtual std::optional<std::size_t> write_some(const char* bytes, std::size_t size) = 0;
    // Puts what was written on the disk (fsync, FlushFileBuffers); false when
    // refused.
    virtual bool sync() = 0;
    // Closes the file; false when the system reports a failure there (a
    // network file system reports a failed write at the close).
    virtual bool close() = 0;
};

// A temporary file made by FileAccess::create_beside, and its name.
struct TemporaryFile {
    std::unique_ptr<WritableFile> file;
    std::string name;
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

    // The steps of a WholeFile (below); use open_whole_file, not these.
    //
    // Opens an existing file that is to be written over (unit 6), with the
    // failures of reopen_report. A regular file, or a symbolic link to one,
    // is only tested: nothing is returned, and it is to be replaced by a new
    // file renamed over its name. Anything else that takes bytes (the null
    // device, a terminal, a pipe) is returned, opened to be written in place.
    virtual std::unique_ptr<WritableFile> open_to_replace(const std::string& name) = 0;
    // Creates a new, empty temporary file in the folder of name (unit 6, name
    // quoted; the failures of create_report, 43 when name is no file name),
    // under a name that no report has and no other run takes; with the
    // permissions of the file of that name when one exists. The platform
    // removes it when the program is interrupted (SIGINT, SIGTERM, SIGHUP;
    // Ctrl-C, Ctrl-Break, the console closed) until it is renamed or removed.
    virtual TemporaryFile create_beside(const std::string& name) = 0;
    // Renames the file from to the name to, in the same folder: over a file
    // of that name when replace, otherwise failing with FileError::exists
    // when one exists. Nothing when it succeeded.
    virtual std::optional<FileError> rename_file(const std::string& from, const std::string& to,
                                                 bool replace) = 0;
    // Removes a temporary file; nothing is reported.
    virtual void remove_file(const std::string& name) = 0;
    // A text that designates the existing file of that name whichever name
    // it is reached by (device and inode, volume and file index); empty when
    // none exists.
    virtual std::string identity(const std::string& name) = 0;
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
    std::unique_ptr<WritableFile> open_to_replace(const std::string& name) override;
    TemporaryFile create_beside(const std::string& name) override;
    std::optional<FileError> rename_file(const std::string& from, const std::string& to,
                                         bool replace) override;
    void remove_file(const std::string& name) override;
    std::string identity(const std::string& name) override;
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
    // Whether any byte was given to write, taken or not.
    bool written() const { return written_; }

  protected:
    // Writes at most size bytes; returns how many, nothing when refused.
    virtual std::optional<std::size_t> write_some(const char* bytes, std::size_t size) = 0;
    // Cuts the file to length 0; false when refused.
    virtual bool cut() = 0;

  private:
    [[noreturn]] void fail();

    std::string name_;
    bool cut_pending_;
    bool written_ = false;
    std::string pending_;
};

// A file written whole or not at all (a report, and any file written beside
// it). Its bytes go to a temporary file in the same folder; commit() writes
// what is pending, puts it on the disk, closes it and renames it over the
// name; until then the name keeps what it held, and a WholeFile destroyed or
// abandoned uncommitted removes its temporary file, so a failure, an
// interruption or a crash leaves either the old file or the complete new one,
// never a piece. Renaming breaks hard links to the old file, and a name that
// is a symbolic link has the link replaced by the new file (its target is not
// written). A device (the null device, a terminal, a pipe) is written in
// place, and commit() only closes it. Writes fail with 38 on unit 6 with the
// name quoted, like any report sink's.
//
//     std::unique_ptr<WholeFile> f = open_whole_file(files, name, replace);
//     f->write(bytes);   // as often as needed
//     f->commit();       // or nothing: the destructor abandons it
class WholeFile : public BlockReportSink {
  public:
    WholeFile(FileAccess& files, std::string name, std::unique_ptr<WritableFile> file,
              std::string temporary, bool replace);
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;
    ~WholeFile() override;

    // Puts the file in place; after a failure (38 for the write, the flush to
    // the disk or the close; for the rename 10 when a new file's name was
    // taken meanwhile, 9 when it is refused, 38 otherwise) the temporary file
    // is removed and the name keeps what it held.
    void commit();
    // Removes the temporary file; the name keeps what it held.
    void abandon();
    // Whether it was opened over an existing file, to replace it.
    bool replaces() const { return replace_; }
    const std::string& name() const { return name_; }

  private:
    std::optional<std::size_t> write_some(const char* bytes, std::size_t size) override;
    bool cut() override { return true; }
    [[noreturn]] void fail(int number);

    FileAccess& files_;
    std::string name_;
    std::unique_ptr<WritableFile> file_;
    std::string temporary_;  // empty for a device written in place
    bool replace_;
    bool done_ = false;
};

// Opens a file to be written whole (unit 6): a new one when replace is false
// (the rename then fails with 10 if a file of the name appeared meanwhile),
// or over the existing one with the failures of reopen_report.
std::unique_ptr<WholeFile> open_whole_file(FileAccess& files, const std::string& name,
                                           bool replace);

// Opens the report file of a problem by its absolute name, to be written
// whole: a new file when none of the name exists; when one does, never over
// the input file (message 10), and otherwise asks may_replace whether to
// replace it. Returns nothing when the existing report is to stay as it is.
std::unique_ptr<WholeFile> open_report_file(FileAccess& files, const std::string& input_name,
                                            const std::string& report_name,
                                            const std::function<bool()>& may_replace);

// Whether a name holds a NUL byte, which no system takes in a file name.
bool has_nul(const std::string& name);

}  // namespace bearingpad
