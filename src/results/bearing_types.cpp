#include "results/bearing_types.h"

#include "checks/verdict.h"
#include "report/formatted.h"
#include "results/result_text.h"
#include "results/schedule.h"

namespace bearingpad {

namespace {

// A length as the schedule prints it: 4 decimals, a leading zero.
std::string fixed4(float value) {
    return fixed_text(value, 4);
}

std::string join(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& t : texts) text += (text.empty() ? "" : ", ") + t;
    return text;
}

}  // namespace

std::string type_letters(std::size_t n) {
    std::string letters;
    for (++n; n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters;
}

std::string BearingTypes::add(const Result& result, const BearingMark& mark) {
    if (!result.record || result.end != ProblemEnd::solved) return std::string();
    // A bearing to build: physical, every check made, adequate or not.
    const VerdictWord word = verdict_of(result).word;
    if (word != VerdictWord::adequate && word != VerdictWord::inadequate) return std::string();
    const Bearing& b = result.bearing;
    const std::vector<std::string> cells = {
        fixed4(b.width),
        fixed4(b.length),
        fixed4(b.thickness),
        std::to_string(b.number_of_holes),
        fixed4(b.diameter_of_hole),
        fixed4(b.cover_thickness),
        fixed4(b.side_cover),
        std::to_string(b.load_plate_count),
        fixed4(b.load_plate_thickness),
        std::to_string(b.internal_plate_count),
        fixed4(b.internal_plate_thickness),
        std::to_string(b.layers.internal_layer_count),
        fixed4(b.internal_layer_thickness),
        fixed4(b.elastomer_thickness),
    };
    std::size_t n = 0;
    while (n < types_.size() && types_[n].cells != cells) ++n;
    if (n == types_.size()) types_.push_back(Type{cells, 0, {}});
    types_[n].quantity += mark.quantity;
    types_[n].marks.push_back(mark.mark);
    return type_letters(n);
}

std::string BearingTypes::summary() const {
    std::string text =
        "\xEF\xBB\xBF" +
        csv_line({"type", "quantity", "marks", "width", "length", "thickness", "number_of_holes",
                  "diameter_of_hole", "cover_thickness", "side_cover", "load_plate_count",
                  "load_plate_thickness", "internal_plate_count", "internal_plate_thickness",
                  "internal_layer_count", "internal_layer_thickness", "elastomer_thickness"});
    for (std::size_t n = 0; n < types_.size(); ++n) {
        std::vector<std::string> cells = {type_letters(n), std::to_string(types_[n].quantity),
                                          join(types_[n].marks)};
        cells.insert(cells.end(), types_[n].cells.begin(), types_[n].cells.end());
        text += csv_line(cells);
    }
    return text;
}

std::string table_schedule_header() {
    const std::string header = schedule_header();
    const std::size_t bom = header.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    return "\xEF\xBB\xBFmark,location,quantity,type," + header.substr(bom);
}

std::string table_schedule_row(const BearingMark& mark, const std::string& type,
                               const Result& result, const std::string& file) {
    std::string lead = csv_line({mark.mark, mark.location, std::to_string(mark.quantity), type});
    lead.resize(lead.size() - 2);  // its CR LF: the schedule's row follows
    return lead + "," + schedule_row(result, file);
}

}  // namespace bearingpad
