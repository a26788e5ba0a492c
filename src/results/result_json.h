// The result of one problem as JSON ("bearingpad-result/1"), the text that
// the command line's --json writes beside the report and the page returns
// from a run. The shape is documented in the README; objects keep the order
// written here.
#pragma once

#include <string>
#include <string_view>

#include "checks/result.h"

namespace bearingpad {

// The format name written as the first member.
inline constexpr const char* kResultFormat = "bearingpad-result/1";

// The whole JSON text of the result, one line ended by LF. file is the input
// file's name as given.
std::string result_json(const Result& result, const std::string& file);

// A JSON string of bytes of the input: '"' and '\' escaped, control
// characters escaped (\n \r \t \b \f, otherwise \u00XX), bytes 128 to 255 as
// their Latin-1 characters in UTF-8, so that every byte gives valid JSON.
std::string json_string(std::string_view bytes);

// A JSON string of a file name, or of a text that holds one: escaped as
// json_string, its bytes taken as UTF-8 when they are (name_to_utf8).
std::string json_name(std::string_view bytes);

}  // namespace bearingpad
