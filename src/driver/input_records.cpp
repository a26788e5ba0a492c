#include "driver/input_records.h"

#include "checks/numeric.h"
#include "report/formatted.h"

namespace bearingpad {

bool strip_byte_order_mark(std::string& first_record) {
    if (first_record.compare(0, 3, "\xEF\xBB\xBF") != 0) return false;
    first_record.erase(0, 3);
    return true;
}

std::optional<std::string> InputRecords::next() {
    std::optional<std::string> record = file_.read_record();
    if (record && first_) strip_byte_order_mark(*record);
    first_ = false;
    return record;
}

std::string InputRecords::next_required() {
    std::optional<std::string> record = next();
    if (!record) throw RunTimeFailure{failure_end_of_file, input_unit, name_};
    return *record;
}

float InputRecords::real(const std::string& record, int first, int w, int d) const {
    const std::optional<float> v = read_real_field(record_columns(record, first, w), d);
    if (!v) throw RunTimeFailure{failure_input_conversion, input_unit, name_};
    return *v;
}

std::int32_t InputRecords::integer(const std::string& record, int first, int w) const {
    const std::optional<std::int32_t> v = read_integer_field(record_columns(record, first, w));
    if (!v) throw RunTimeFailure{failure_input_conversion, input_unit, name_};
    return *v;
}

namespace {

char column(const std::string& record, int c) {
    const auto i = static_cast<std::size_t>(c - 1);
    return i < record.size() ? record[i] : ' ';
}

}  // namespace

ReadResult read_title_record(InputRecords& in, ProblemRecord& p) {
    const std::optional<std::string> record = in.next();
    if (!record) return ReadResult::end_of_input;
    p.problem_number = record_columns(*record, 5, 4);
    p.title = record_columns(*record, 9, 72);
    return ReadResult::done;
}

ReadResult read_pad_record(InputRecords& in, ProblemRecord& p) {
    const std::optional<std::string> record = in.next();
    if (!record) return ReadResult::end_of_input;
    const std::string& r = *record;
    // Fields are converted in the order of the record, so the first
    // unreadable field is the one reported.
    p.run_mode = column(r, 2);
    p.dimension_basis = Text4{column(r, 3), ' ', ' ', ' '};
    p.width = in.real(r, 4, 6, 4);
    p.length = in.real(r, 10, 6, 4);
    p.thickness = in.real(r, 16, 6, 4);
    p.hole_count_character = column(r, 24);
    p.diameter_of_hole = in.real(r, 25, 5, 4);
    p.cover_thickness = in.real(r, 30, 5, 4);
    p.side_cover = in.real(r, 35, 5, 4);
    p.load_plate_count_character = column(r, 44);
    p.load_plate_thickness = in.real(r, 45, 5, 4);
    p.internal_plate_count = in.integer(r, 56, 1);
    p.internal_plate_thickness = in.real(r, 59, 5, 4);
    return ReadResult::done;
}

void read_beam_record(InputRecords& in, ProblemRecord& p) {
    const std::string r = in.next_required();
    p.beam_type = column(r, 2) == 'S' ? 0 : 1;
    p.distance_to_fixity = in.real(r, 3, 7, 4);
    p.design_span = in.real(r, 10, 7, 4);
    p.dead_load = in.real(r, 17, 6, 3);
    p.live_load = in.real(r, 24, 6, 3);
    p.camber = in.real(r, 30, 5, 3);
    p.dead_load_deflection = in.real(r, 35, 4, 3);
    p.live_load_deflection = in.real(r, 39, 4, 3);
}

PadData prepare_pad_data(ProblemRecord& p, RunMode mode, DesignFlags& flags) {
    // Defaults for fields typed as zero or left blank, in both modes.
    if (p.diameter_of_hole == 0) p.diameter_of_hole = 3.0f;
    if (p.cover_thickness == 0) p.cover_thickness = 0.25f;
    if (p.side_cover == 0) p.side_cover = 0.25f;
    if (p.load_plate_thickness == 0) p.load_plate_thickness = 0.1875f;
    if (p.internal_plate_thickness == 0) p.internal_plate_thickness = 0.0747f;

    // Hole count: a blank column means one hole.
    const char holes = p.hole_count_character;
    if (holes == ' ') {
        p.number_of_holes = 1;
    } else if (holes >= '0' && holes <= '4') {
        p.number_of_holes = holes - '0';
    } else {
        flags.set(too_many_holes);
        return PadData::rejected;
    }

    const char plates = p.load_plate_count_character;
    if (plates == ' ') {
        p.load_plate_count = 0;
    } else if (plates >= '0' && plates <= '2') {
        p.load_plate_count = plates - '0';
    } else {
        flags.set(too_many_load_plates);
        return PadData::rejected;
    }

    p.thickness = store(wide(p.thickness) + wide(0.00001f));

    if (mode == RunMode::design) {
        if (p.length < 0.1f) {
            p.design_dimension = 2;
            p.length = 1.0f;
        }
        if (p.width < 0.1f) {
            p.design_dimension = 1;
            p.width = 1.0f;
        }
        if (p.thickness < 0.1f) p.thickness = 0.50001f;
        if (p.load_plate_count < 2) p.internal_plate_count = 0;
    } else if (p.load_plate_count < 2 && p.internal_plate_count > 0) {
        flags.set(internal_plates_not_allowed);
        return PadData::rejected;
    }
    return PadData::accepted;
}

void derive_beam_values(ProblemRecord& p) {
    p.rotation_y_dead = store(wide(p.dead_load_deflection) + wide(p.camber));
    p.rotation_y_total = store(wide(p.rotation_y_dead) + wide(p.live_load_deflection));
    p.total_load = store(wide(p.live_load) + wide(p.dead_load));
}

RunMode run_mode_of(const ProblemRecord& p) {
    return p.run_mode == 'A' ? RunMode::analysis : RunMode::design;
}

void fill_check_results(const ProblemRecord& p, CheckResults& r) {
    r.thickness = p.thickness;
    r.load_plate_count = p.load_plate_count;
    r.internal_plate_count = p.internal_plate_count;
    r.total_load = p.total_load;
    r.load_plate_thickness = p.load_plate_thickness;
    r.internal_plate_thickness = p.internal_plate_thickness;
    r.cover_thickness = p.cover_thickness;
    r.dead_load = p.dead_load;
    r.distance_to_fixity = p.distance_to_fixity;
    r.live_load = p.live_load;
    r.design_span = p.design_span;
    r.rotation_y_dead = p.rotation_y_dead;
    r.rotation_y_total = p.rotation_y_total;
    r.dimension_basis = p.dimension_basis;
    r.length = p.length;
    r.width = p.width;
    r.side_cover = p.side_cover;
    r.diameter_of_hole = p.diameter_of_hole;
    r.design_dimension = p.design_dimension;
    r.number_of_holes = p.number_of_holes;
    r.beam_type = p.beam_type;
}

}  // namespace bearingpad
