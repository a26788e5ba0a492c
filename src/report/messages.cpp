#include "report/messages.h"

#include <vector>

#include "report/layout.h"

namespace bearingpad {

namespace {

// A message: the condition on its subject, and the lines written when it holds.
template <class Subject>
struct Message {
    bool (*applies)(const Subject&);
    Layout lines;
};

template <class Subject>
void write_messages(ReportFile& report, const std::vector<Message<Subject>>& messages,
                    const Subject& subject) {
    for (const Message<Subject>& message : messages) {
        if (message.applies(subject)) write_lines(report, message.lines);
    }
}

using R = CheckResults;

bool load_plate_working(const R& r) {
    return r.load_plate_working_stress > r.load_plate_allowable_stress;
}
bool internal_plate_working(const R& r) {
    return r.internal_plate_working_stress > r.internal_plate_allowable_stress;
}
bool load_plate_fatigue(const R& r) {
    return r.load_plate_fatigue_stress > r.load_plate_allowable_fatigue;
}
bool internal_plate_fatigue(const R& r) {
    return r.internal_plate_fatigue_stress > r.internal_plate_allowable_fatigue;
}

// In the order they are tested. Of the plate stresses at most one line is
// written for the working loads and one for fatigue.
const std::vector<Message<R>> kWarnings = {
    {[](const R& r) { return r.compressive_stress > r.allowable_stress; },
     {{lit(12, "ACTUAL COMPRESSIVE STRESS EXCEEDS MINIMUM ALLOWABLE STRESS")}}},
    {[](const R& r) { return r.elastomer_thickness < r.minimum_elastomer_thickness; },
     {{lit(8, "TOTAL ELASTOMER THICKNESS IS LESS THAN MINIMUM ELASTOMER THICKNESS")}}},
    {[](const R& r) { return r.rotation_dead > r.rotation_allowable_dead; },
     {{lit(8, "(CAMBER + DEAD LOAD DEFLECTION) ROTATION EXCEEDS ALLOWABLE ROTATION")}}},
    {[](const R& r) { return r.rotation_total > r.rotation_allowable_total; },
     {{lit(9, "(CAMBER + DEAD LOAD DEFLECTION + LIVE LOAD DEFLECTION) ROTATION")},
      {lit(28, "EXCEEDS ALLOWABLE ROTATION")}}},
    {[](const R& r) { return r.thickness > r.stability_limit_width; },
     {{lit(21, "BEARING IS UNSTABILE, INCREASE THE WIDTH")}}},
    {[](const R& r) { return r.thickness > r.stability_limit_length; },
     {{lit(20, "BEARING IS UNSTABILE, INCREASE THE LENGTH")}}},
    {[](const R& r) {
         return r.thickness > r.stability_limit_width && r.thickness > r.stability_limit_length;
     },
     {{lit(15, "BEARING IS UNSTABILE, INCREASE THE WIDTH AND LENGTH")}}},
    {[](const R& r) { return load_plate_working(r) && internal_plate_working(r); },
     {{lit(8, "LOAD PLATE AND INTERNAL PLATE IS OVERSTRESSED UNDER WORKING LOADS")}}},
    {[](const R& r) { return load_plate_working(r) && !internal_plate_working(r); },
     {{lit(18, "LOAD PLATE IS OVERSTRESSED UNDER WORKING LOADS")}}},
    {[](const R& r) { return !load_plate_working(r) && internal_plate_working(r); },
     {{lit(16, "INTERNAL PLATE IS OVERSTRESSED UNDER WORKING LOADS")}}},
    {[](const R& r) { return load_plate_fatigue(r) && internal_plate_fatigue(r); },
     {{lit(15, "-- LOAD PLATE AND INTERNAL PLATE IS OVERSTRESSED --")}}},
    {[](const R& r) { return load_plate_fatigue(r) && !internal_plate_fatigue(r); },
     {{lit(28, "-- LOAD PLATE IS OVERSTRESSED --")}}},
    {[](const R& r) { return !load_plate_fatigue(r) && internal_plate_fatigue(r); },
     {{lit(26, "-- INTERNAL PLATE IS OVERSTRESSED --")}}},
    {[](const R& r) { return r.shear_force > r.anchorage_allowable; },
     {{lit(22, "-- BEARING WILL SLIP, REDESIGN REDUCING H --")}}},
};

using F = DesignFlags;

// In the order of their slots as the driver writes them.
const std::vector<Message<F>> kClosingMessages = {
    {[](const F& f) { return f.is_set(iteration_limit_reached); },
     {{lit(3, "*** DESIGN NOT POSSIBLE ***")}}},
    {[](const F& f) { return f.is_set(load_plate_fatigue_failed); },
     {{lit(3, "*** DESIGN NOT POSSIBLE - FATIGUE CONTROLLED, "),
       lit(49, "LOAD PLATES NOT THICK ENOUGH ***")}}},
    {[](const F& f) { return f.is_set(dimensions_missing); },
     {{lit(3, "*** DESIGN NOT POSSIBLE - EITHER WIDTH OR LENGTH "),
       lit(52, "MUST BE ENTERED FOR A DESIGN ***")}}},
    {[](const F& f) { return f.is_set(internal_plates_not_allowed); },
     {{lit(20, "NUMBER OF INTERNAL PLATE(S) MOST EQUAL 0,")},
      {lit(18, "WHEN THE NUMBER OF LOAD PLATES IS LESS THAN 2")}}},
    {[](const F& f) { return f.is_set(too_many_holes); },
     {{lit(21, "NUMBER OF HOLES CAN NOT BE GREATER THAN 4")}}},
    {[](const F& f) { return f.is_set(too_many_load_plates); },
     {{lit(17, "NUMBER OF LOAD PLATES CAN NOT BE GREATER "), lit(58, "THAN 2")}}},
    {[](const F& f) { return f.is_set(internal_plate_fatigue_failed); },
     {{lit(3, "*** DESIGN NOT POSSIBLE - FATIGUE CONTROLLED, "),
       lit(49, "INTERNAL PLATES NOT THICK ENOUGH")}}},
};

}  // namespace

void write_warnings(ReportFile& report, const CheckResults& r) {
    write_messages(report, kWarnings, r);
}

void write_closing_messages(ReportFile& report, const DesignFlags& flags) {
    write_messages(report, kClosingMessages, flags);
}

int warning_count(const CheckResults& r) {
    int n = 0;
    for (const Message<R>& message : kWarnings) n += message.applies(r) ? 1 : 0;
    return n;
}

std::vector<std::string> closing_message_texts(const DesignFlags& flags) {
    // A message is literals only: the texts of each line one after the other,
    // the lines joined by a blank, without the blanks around them.
    std::vector<std::string> texts;
    for (const Message<F>& message : kClosingMessages) {
        if (!message.applies(flags)) continue;
        std::string text;
        for (const LayoutLine& line : message.lines) {
            std::string words;
            for (const LayoutItem& item : line) words.append(item.literal);
            const std::size_t first = words.find_first_not_of(' ');
            if (first == std::string::npos) continue;
            if (!text.empty()) text += ' ';
            text.append(words, first, words.find_last_not_of(' ') - first + 1);
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace bearingpad
