// Files written whole or not at all, alone (WholeFile: the dialogue's report,
// the schedule) or as one set (FileSet: a problem's report, JSON and drawing).
//
// A WholeFile's bytes go to a temporary file in the same folder; its commit
// writes what is pending, puts it on the disk, closes it and renames it over
// the name; until then the name keeps what it held, and a WholeFile destroyed
// or abandoned uncommitted removes its temporary file, so a failure, an
// interruption or a crash leaves either the old file or the complete new one,
// never a piece. Renaming breaks hard links to the old file, and a name that
// is a symbolic link (dangling or not) has the link replaced by the new file
// (its target is not written). A device, a FIFO or a socket is written in
// place, and the commit only closes it. Writes fail with 38 on unit 6 with
// the name quoted, like any report sink's.
//
//     std::unique_ptr<WholeFile> f = open_whole_file(files, name, false, false);
//     f->write(bytes);   // as often as needed
//     f->commit();       // or nothing: the destructor abandons it
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver/file_access.h"
#include "driver/platform_files.h"

namespace bearingpad {

class WholeFile : public BlockReportSink {
  public:
    WholeFile(FileAccess& files, std::string name, std::unique_ptr<WritableFile> file,
              std::string temporary, bool existing, bool replace);
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;
    ~WholeFile() override;

    // Puts the file in place; after a failure (38 for the write, the flush to
    // the disk or the close; for the rename 10 when a new file's name was
    // taken meanwhile and replacing was not asked, 9 when it is refused, 38
    // otherwise) the temporary file is removed and the name keeps what it
    // held.
    void commit();
    // Removes the temporary file; the name keeps what it held.
    void abandon();
    // Whether it was opened over an existing file, to replace it.
    bool replaces() const { return existing_; }
    const std::string& name() const { return name_; }

  private:
    friend class FileSet;
    std::optional<std::size_t> write_some(const char* bytes, std::size_t size) override;
    bool cut() override { return true; }
    [[noreturn]] void fail(int number);
    // Writes what is pending; 38 thrown after abandoning.
    void finish();
    // Flushes to the disk unless synced, and closes; false when refused.
    bool close_synced(bool synced);

    FileAccess& files_;
    std::string name_;
    std::unique_ptr<WritableFile> file_;
    std::string temporary_;  // empty for a device written in place
    bool existing_;          // opened over an existing file
    bool replace_;           // renamed over whatever holds the name then
    bool done_ = false;
};

// Opens a file to be written whole (unit 6): over an existing one when
// existing (with the failures of reopen_report; a device is opened to be
// written in place), otherwise a new one. The rename replaces whatever holds
// the name at that moment when replace; otherwise it fails with 10 if the
// name was taken meanwhile.
std::unique_ptr<WholeFile> open_whole_file(FileAccess& files, const std::string& name,
                                           bool existing, bool replace);

// Opens the report file of a problem by its absolute name, to be written
// whole: a new file when none of the name exists; when one does, never over
// the input file (message 10), and otherwise asks may_replace whether to
// replace it. Returns nothing when the existing report is to stay as it is.
// With replace_taken, a name taken between this test and the rename is
// replaced too (-y); without it, that is 10.
std::unique_ptr<WholeFile> open_report_file(FileAccess& files, const std::string& input_name,
                                            const std::string& report_name,
                                            const std::function<bool()>& may_replace,
                                            bool replace_taken = false);

// One problem's files, put in place all or none: files written whole, and old
// files taken away with them (an earlier drawing of a problem that has none).
//
// The commit closes every file (each flushed to the disk first, unless a
// group did that), then holds the interruptions (and keeps other runs of the
// program out of the folder) and checks every name before the first rename:
// a folder there, a device that appeared, or a taken name that is not to be
// replaced fails the set with nothing renamed. Then for each name in turn keeps the old file under
// a second name (set_aside) and renames the new one over it, or for a removal moves the old file
// aside. When a step fails, the names already changed are put back from what
// was kept, in reverse order, and the set fails; when all succeed, what was
// kept is removed. Only after SIGKILL or a power cut in these microseconds
// can a set stay split, with a name set aside ("~bp...old") left beside it.
class FileSet {
  public:
    explicit FileSet(FileAccess& files) : files_(files) {}
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;
    ~FileSet() { abandon(); }

    // A file written whole, shown in lines as shown.
    void add(std::unique_ptr<WholeFile> file, std::string shown);
    // An existing file to be taken away with the set.
    void remove(const std::string& name, std::string shown);
    // Writes every file's pending bytes; a failure (38) abandons the set.
    void finish();
    // Puts the files of the sets on the disk together, once for all; a set
    // whose files were not all taken flushes each at its commit.
    static void sync_group(FileAccess& files, const std::vector<FileSet*>& sets);
    // Puts the set in place (see above); the failure names the file. After a
    // failure every name holds what it held.
    void commit();
    // Removes every temporary file; every name keeps what it held.
    void abandon();
    bool empty() const { return members_.empty(); }
    // The names of its files, in the order given.
    std::vector<std::string> names() const;
    // What stayed as it was after a failed commit: "p.rpt not replaced,
    // p.json not written, p.svg not removed".
    std::string unchanged() const;
    // Names set aside that could not be removed after a commit.
    const std::vector<RunTimeFailure>& left() const { return left_; }

  private:
    struct Member {
        std::unique_ptr<WholeFile> file;  // null for a removal
        std::string name, shown;
        NameHolds held = NameHolds::nothing;
        std::string aside;
        bool done = false;
    };
    [[noreturn]] void fail(int number, const std::string& name);
    void put_back();

    FileAccess& files_;
    std::vector<Member> members_;
    bool synced_ = false;
    std::vector<RunTimeFailure> left_;
};

}  // namespace bearingpad
