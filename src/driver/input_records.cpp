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
    if (record) records_.push_back(*record);
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

float InputRecords::real(const std::string& record, const InputField& f) const {
    return real(record, f.first, f.width, f.decimals);
}

std::int32_t InputRecords::integer(const std::string& record, const InputField& f) const {
    return integer(record, f.first, f.width);
}

std::string InputRecords::text(const std::string& record, const InputField& f) const {
    return record_columns(record, f.first, f.width);
}

char InputRecords::character(const std::string& record, const InputField& f) const {
    return record_columns(record, f.first, 1)[0];
}

std::int32_t InputRecords::integer(const std::string& record, int first, int w) const {
    const std::optional<std::int32_t> v = read_integer_field(record_columns(record, first, w));
    if (!v) throw RunTimeFailure{failure_input_conversion, input_unit, name_};
    return *v;
}

namespace {

// Every field of one record read into its member of the problem record, in
// the order of the columns, so the first unreadable field is the one reported.
void read_fields(const InputRecords& in, const std::string& record, int number, ProblemRecord& p) {
    for (const InputField& f : kInputFields) {
        if (f.record != number) continue;
        const FieldMember& m = f.member;
        if (m.text != nullptr) p.*m.text = in.text(record, f);
        if (m.character != nullptr) p.*m.character = in.character(record, f);
        if (m.text4 != nullptr) p.*m.text4 = Text4{in.character(record, f), ' ', ' ', ' '};
        if (m.real != nullptr) p.*m.real = in.real(record, f);
        if (m.integer != nullptr) p.*m.integer = in.integer(record, f);
    }
}

}  // namespace

ReadResult read_title_record(InputRecords& in, ProblemRecord& p) {
    const std::optional<std::string> record = in.next();
    if (!record) return ReadResult::end_of_input;
    read_fields(in, *record, 1, p);
    return ReadResult::done;
}

ReadResult read_pad_record(InputRecords& in, ProblemRecord& p) {
    const std::optional<std::string> record = in.next();
    if (!record) return ReadResult::end_of_input;
    read_fields(in, *record, 2, p);
    return ReadResult::done;
}

void read_beam_record(InputRecords& in, ProblemRecord& p) {
    read_fields(in, in.next_required(), 3, p);
    p.beam_type = p.beam_type_character == 'S' ? 0 : 1;
}

PadData prepare_pad_data(ProblemRecord& p, RunMode mode, DesignFlags& flags) {
    // Defaults for fields typed as zero or left blank, in both modes.
    auto apply = [mode](const InputField& f, float& value) {
        if (default_applies(f, value, mode)) value = f.default_value;
    };
    apply(field::diameter_of_hole, p.diameter_of_hole);
    apply(field::cover_thickness, p.cover_thickness);
    apply(field::side_cover, p.side_cover);
    apply(field::load_plate_thickness, p.load_plate_thickness);
    apply(field::internal_plate_thickness, p.internal_plate_thickness);

    // Hole count: a blank column means one hole.
    const char holes = p.hole_count_character;
    if (holes == ' ') {
        p.number_of_holes = static_cast<std::int32_t>(field::hole_count_character.default_value);
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

    p.thickness = with_thickness_allowance(p.thickness);

    if (mode == RunMode::design) {
        // The starting values of the design search; design_dimension tells
        // it which of width and length to find.
        if (default_applies(field::length, p.length, mode)) {
            p.design_dimension = 2;
            p.length = field::length.default_value;
        }
        if (default_applies(field::width, p.width, mode)) {
            p.design_dimension = 1;
            p.width = field::width.default_value;
        }
        apply(field::thickness, p.thickness);
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
