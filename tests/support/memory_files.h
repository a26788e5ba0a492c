// Files kept in memory, for running whole problems in-process (tests, the
// fuzzer, benchmarks): the same behaviour as the system's files, with
// failures that can be injected; and a report sink that keeps its bytes.
#pragma once

#include <map>
#include <set>
#include <string>

#include "driver/file_access.h"

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

    std::string current_directory = "/work";

    std::string absolute_name(std::string_view name) override;
    std::unique_ptr<InputFile> open_input(const std::string& name) override;
    bool exists(const std::string& name) override;
    bool same_file(const std::string& a, const std::string& b) override;
    std::unique_ptr<OutputSink> create_report(const std::string& name) override;
    std::unique_ptr<OutputSink> reopen_report(const std::string& name) override;
};

}  // namespace bearingpad
