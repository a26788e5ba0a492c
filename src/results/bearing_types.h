// The bearings of a table run by type, for the plan sheets: bearings of the
// same final width, length and thickness, holes, covers, plates and layers
// (as the schedule prints them, to 4 decimals) are one type, lettered A, B,
// C ... in the order of their first row (Z, then AA, AB, ...). Only a solved
// problem whose verdict is adequate or inadequate has a bearing to build; a
// bearing not evaluated (not physical), a rejected problem, an impossible
// design or a failure has no type.
//
// The schedule of a table run leads with the row's mark, location, quantity
// and type; the summary (--types) has one row per type.
#pragma once

#include <string>
#include <vector>

#include "checks/result.h"

namespace bearingpad {

// The engineer's own columns of a table row.
struct BearingMark {
    std::string mark;  // UTF-8, as typed
    std::string location;
    int quantity = 1;
};

class BearingTypes {
  public:
    // The type of a problem's bearing ("A"), counted with its quantity and
    // mark; "" for a problem without a bearing to build.
    std::string add(const Result& result, const BearingMark& mark);

    // The summary: a header row and one row per type (CSV as the schedule:
    // UTF-8 byte order mark, CR LF). Columns: type, quantity, marks (in row
    // order, separated by blanks), width, length, thickness, number_of_holes,
    // diameter_of_hole, cover_thickness, side_cover, load_plate_count,
    // load_plate_thickness, internal_plate_count, internal_plate_thickness,
    // internal_layer_count, internal_layer_thickness, elastomer_thickness.
    std::string summary() const;

  private:
    struct Type {
        std::vector<std::string> cells;  // the bearing as printed, the key
        int quantity = 0;
        std::vector<std::string> marks;
    };
    std::vector<Type> types_;
};

// The letters of the type numbered n from 0: "A" ... "Z", "AA", "AB", ...
std::string type_letters(std::size_t n);

// The schedule of a table run: the mark, location, quantity and type, then
// the columns of the schedule (schedule_header, schedule_row).
std::string table_schedule_header();
std::string table_schedule_row(const BearingMark& mark, const std::string& type,
                               const Result& result, const std::string& file);

}  // namespace bearingpad
