#include "checks/input_fields.h"

#include "checks/numeric.h"

namespace bearingpad {

void copy_field(const InputField& f, const ProblemRecord& from, ProblemRecord& to) {
    const FieldMember& m = f.member;
    if (m.text != nullptr) to.*m.text = from.*m.text;
    if (m.character != nullptr) to.*m.character = from.*m.character;
    if (m.text4 != nullptr) to.*m.text4 = from.*m.text4;
    if (m.real != nullptr) to.*m.real = from.*m.real;
    if (m.integer != nullptr) to.*m.integer = from.*m.integer;
}

const char* record_name(int record) {
    switch (record) {
        case 1:
            return "title";
        case 2:
            return "pad";
        default:
            return "beam";
    }
}

std::string form_text(const InputField& f) {
    std::string text(1, f.form == FieldForm::real ? 'F' : f.form == FieldForm::integer ? 'I' : 'A');
    text += std::to_string(f.width);
    if (f.form == FieldForm::real) {
        text += '.';
        text += std::to_string(f.decimals);
    }
    return text;
}

bool default_applies(const InputField& f, float value, RunMode mode) {
    switch (f.rule) {
        case DefaultRule::zero:
            return value == 0;
        case DefaultRule::design_below:
            return mode == RunMode::design && value < kDesignMinimum;
        case DefaultRule::none:
        case DefaultRule::blank:
            break;
    }
    return false;
}

float with_thickness_allowance(float thickness) {
    return store(wide(thickness) + wide(kThicknessAllowance));
}

std::vector<ColumnRange> unused_columns(int record) {
    std::array<bool, kRecordColumns + 1> read{};
    for (const InputField& f : kInputFields) {
        if (f.record != record) continue;
        for (int c = f.first; c <= f.last() && c <= kRecordColumns; ++c) read[c] = true;
    }
    std::vector<ColumnRange> ranges;
    for (int c = 1; c <= kRecordColumns; ++c) {
        if (read[c]) continue;
        if (!ranges.empty() && ranges.back().last == c - 1) {
            ranges.back().last = c;
        } else {
            ranges.push_back({c, c});
        }
    }
    return ranges;
}

}  // namespace bearingpad
