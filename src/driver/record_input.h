// An input file read record by record, and the reader that splits any
// source of bytes into records alike on every platform (the system's files,
// the page's bytes, files kept in memory).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace bearingpad {

// An input file read record by record: a record ends at LF, a CR right before
// it is dropped; a last line without LF is a record too.
class InputFile {
  public:
    virtual ~InputFile() = default;
    // The next record, or nothing at end of file. A refused read throws 39.
    virtual std::optional<std::string> read_record() = 0;
};

// The most of one record that is kept; the records of the input file have 80
// columns, so nothing that is read is lost.
inline constexpr std::size_t kMaxRecordKept = 4096;

// An input file over a "read some bytes": the records are split here.
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

}  // namespace bearingpad
