// File access of a run: absolute names, the input file, the existence test
// and the report file opened as the dialogue opens it. Failures are thrown as
// RunTimeFailure with the unit and the absolute file name, mapped from the
// system's error.
//
// A file written whole (a report, its JSON and drawing, the schedule) is
// reached through driver/whole_file.h only; the steps it takes of the system
// (a temporary file beside the name, its rename, a name set aside) are
// protected here, for WholeFile and FileSet alone. The platform's sources
// build their files on driver/platform_files.h.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/record_input.h"
#include "report/failure.h"
#include "report/report_file.h"

namespace bearingpad {

class WholeFile;

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

// What a name holds at the moment it is asked, its last part not followed.
enum class NameHolds {
    nothing,
    file,     // a regular file, or a symbolic link (dangling or not)
    folder,   // a folder, or a symbolic link to one
    special,  // a device, a FIFO or a socket: written in place, never replaced
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
    // Whether a name is taken: a file of any kind, or a symbolic link, even
    // one that leads nowhere.
    virtual bool exists(const std::string& name) = 0;
    // Whether two names designate the same existing file.
    virtual bool same_file(const std::string& a, const std::string& b) = 0;
    // Creates a new report file (unit 6); fails with 10 when one exists.
    virtual std::unique_ptr<OutputSink> create_report(const std::string& name) = 0;
    // Reopens an existing report file (unit 6); its contents are cut at the
    // first write. Fails with 29 when it no longer exists.
    virtual std::unique_ptr<OutputSink> reopen_report(const std::string& name) = 0;
    // The name that a file written whole to this name takes: its folder as
    // the system resolves it (links and all) and its last part as given, not
    // followed, since a link there is replaced by the file. Two names give
    // the same text exactly when writing one replaces what the other wrote;
    // a deleted file whose number is reused never matches. Empty when the
    // folder does not exist.
    virtual std::string written_name(const std::string& name) = 0;

  protected:
    friend class WholeFile;
    friend class FileSet;
    friend std::unique_ptr<WholeFile> open_whole_file(FileAccess& files, const std::string& name,
                                                      bool existing, bool replace);

    // The steps of a WholeFile and a FileSet (driver/whole_file.h).
    //
    // Opens an existing file that is to be written over (unit 6), with the
    // failures of reopen_report. What the name holds is asked of the opened
    // file, not of its spelling. A regular file, a symbolic link to one or a
    // dangling symbolic link is only tested: nothing is returned, and it is
    // to be replaced by a new file renamed over its name. A device, a FIFO
    // or a socket (the null device, a terminal, a pipe) is returned, opened
    // to be written in place. The regular file that standard output or
    // standard error writes, reached by a name such as /dev/stdout, is
    // refused (10): neither replaced nor written over the messages.
    virtual std::unique_ptr<WritableFile> open_to_replace(const std::string& name) = 0;
    // Creates a new, empty temporary file in the folder of name (unit 6, name
    // quoted; the failures of create_report, 43 when name is no file name),
    // under a name that no report has and no other run takes; with the
    // permissions of the file of that name when one exists (38 when they
    // cannot be given). The platform removes it when the program is
    // interrupted until it is renamed or removed.
    virtual TemporaryFile create_beside(const std::string& name) = 0;
    // What the name holds now.
    virtual NameHolds holds(const std::string& name) = 0;
    // Puts the given files on the disk together; false when any refused. The
    // system may flush them at once (one flush of their file system).
    virtual bool sync_together(const std::vector<WritableFile*>& files) {
        bool all = true;
        for (WritableFile* file : files) all = file->sync() && all;
        return all;
    }
    // Renames the file from to the name to, in the same folder: over
    // whatever the name holds when replace, otherwise failing with
    // FileError::exists when the name is taken. Nothing when it succeeded.
    virtual std::optional<FileError> rename_file(const std::string& from, const std::string& to,
                                                 bool replace) = 0;
    // Gives the file of an existing name a second name beside it, under which
    // it is kept while a set is committed (a hard link; the name renamed
    // there when the file system has none, or when move is asked). Returns
    // the second name, or the error.
    struct SetAside {
        std::string name;
        std::optional<FileError> error;
    };
    virtual SetAside set_aside(const std::string& name, bool move) = 0;
    // Removes a file by name (a temporary, a name set aside, an old drawing);
    // nothing when it is gone, otherwise the error.
    virtual std::optional<FileError> remove_file(const std::string& name) = 0;
    // Holds the interruptions that end the program (signals, the console's
    // control events) while a set is renamed into place: one that arrives
    // meanwhile takes effect at release. On POSIX other runs of the program
    // are kept out of the folder of name meanwhile (a lock on the folder), so
    // that two runs' sets never interleave.
    virtual void hold_interruptions(bool hold, const std::string& name) = 0;
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
    std::string written_name(const std::string& name) override;

  protected:
    std::unique_ptr<WritableFile> open_to_replace(const std::string& name) override;
    TemporaryFile create_beside(const std::string& name) override;
    NameHolds holds(const std::string& name) override;
    bool sync_together(const std::vector<WritableFile*>& files) override;
    std::optional<FileError> rename_file(const std::string& from, const std::string& to,
                                         bool replace) override;
    SetAside set_aside(const std::string& name, bool move) override;
    std::optional<FileError> remove_file(const std::string& name) override;
    void hold_interruptions(bool hold, const std::string& name) override;
};

// The message number when opening an existing file (the input file, or the
// report file again after a "Y") fails.
int open_failure_number(FileError error);
// The message number when creating a new report file fails: a missing file or
// folder is no missing report file, the create failed.
int create_failure_number(FileError error);
// The message number when a file written whole cannot be put in place: 10
// when a new file's name was taken meanwhile, 9 when refused, 30 for a
// folder, 38 otherwise.
int put_failure_number(FileError error);

// Whether a name holds a NUL byte, which no system takes in a file name.
bool has_nul(const std::string& name);

}  // namespace bearingpad
