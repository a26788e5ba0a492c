// Files kept in memory, for running whole problems in-process (tests, the
// fuzzer, benchmarks): the same behaviour as the system's files, with
// failures that can be injected; and a report sink that keeps its bytes.
#pragma once

#include <map>
#include <set>
#include <string>

#include "driver/file_access.h"
#include "driver/platform_files.h"

namespace bearingpad {

// A report sink that keeps the bytes.
class StringSink : public OutputSink {
  public:
    void write(std::string_view bytes) override { data.append(bytes); }
    std::string data;
};

class MemoryFileAccess : public FileAccess {
  public:
    // Files by absolute name.
    std::map<std::string, std::string> files;
    // Names whose open is refused (message 9).
    std::set<std::string> access_denied;
    // Names that are directories (an open fails with message 30).
    std::set<std::string> directories;
    // Report bytes accepted before a write is refused (message 38); negative
    // means no limit.
    long report_capacity = -1;
    // Names that vanish between the existence test and the reopen.
    std::set<std::string> vanish_before_reopen;
    // Faults of a file written whole (its temporary file): report_capacity
    // above counts its bytes too; its flush to the disk, its close and its
    // rename refused.
    bool refuse_sync = false;
    bool refuse_close = false;
    bool refuse_rename = false;
    // Faults of a set: the rename to these names, the second name kept for
    // these, the removal of these refused.
    std::set<std::string> refuse_rename_to, refuse_set_aside, refuse_remove;
    // Names that another program fills when a temporary file is made beside
    // them (a run racing this one), and what it writes there.
    std::map<std::string, std::string> appear_at_create;
    // Devices: written in place, their bytes kept here; never replaced.
    std::map<std::string, std::string> devices;
    // Renames made while interruptions were not held, counted.
    int renames_not_held = 0;

    std::string current_directory = "/work";

    std::string absolute_name(std::string_view name) override;
    std::unique_ptr<InputFile> open_input(const std::string& name) override;
    bool exists(const std::string& name) override;
    bool same_file(const std::string& a, const std::string& b) override;
    std::unique_ptr<OutputSink> create_report(const std::string& name) override;
    std::unique_ptr<OutputSink> reopen_report(const std::string& name) override;
    std::string written_name(const std::string& name) override;
    std::unique_ptr<WritableFile> open_to_replace(const std::string& name) override;
    TemporaryFile create_beside(const std::string& name) override;
    NameHolds holds(const std::string& name) override;
    std::optional<FileError> rename_file(const std::string& from, const std::string& to,
                                         bool replace) override;
    SetAside set_aside(const std::string& name, bool move) override;
    std::optional<FileError> remove_file(const std::string& name) override;
    void hold_interruptions(bool hold, const std::string&) override { held_ = hold; }

  private:
    bool held_ = false;
    int temporaries_made_ = 0;
};

}  // namespace bearingpad
