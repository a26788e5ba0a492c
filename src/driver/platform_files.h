// For the platform's sources and the test doubles only: the report file that
// the dialogue reopens, written in blocks over a "write some bytes" and a
// "cut", alike on every platform.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "report/report_file.h"

namespace bearingpad {

// Bytes are collected and written in blocks; a reopened file is cut at its
// first write, so that a run that writes nothing leaves it as it was. A
// refused write throws 38 on unit 6 with the name.
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

}  // namespace bearingpad
