#include "report/messages.h"

#include <vector>

#include "checks/check_list.h"
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

bool fail(const R& r, CheckId id) {
    return fails(r, id);
}

// A warning: the checks it reports, the condition on their verdicts, and its
// lines.
struct WarningMessage {
    std::vector<CheckId> checks;
    bool (*applies)(const R&);
    Layout lines;
};

using C = CheckId;

// In the order they are tested. Of the plate stresses at most one line is
// written for the working loads and one for fatigue.
const std::vector<WarningMessage> kWarnings = {
    {{C::compressive_stress},
     [](const R& r) { return fail(r, C::compressive_stress); },
     {{lit(12, "ACTUAL COMPRESSIVE STRESS EXCEEDS MINIMUM ALLOWABLE STRESS")}}},
    {{C::elastomer_thickness},
     [](const R& r) { return fail(r, C::elastomer_thickness); },
     {{lit(8, "TOTAL ELASTOMER THICKNESS IS LESS THAN MINIMUM ELASTOMER THICKNESS")}}},
    {{C::rotation_dead},
     [](const R& r) { return fail(r, C::rotation_dead); },
     {{lit(8, "(CAMBER + DEAD LOAD DEFLECTION) ROTATION EXCEEDS ALLOWABLE ROTATION")}}},
    {{C::rotation_total},
     [](const R& r) { return fail(r, C::rotation_total); },
     {{lit(9, "(CAMBER + DEAD LOAD DEFLECTION + LIVE LOAD DEFLECTION) ROTATION")},
      {lit(28, "EXCEEDS ALLOWABLE ROTATION")}}},
    {{C::stability_width},
     [](const R& r) { return fail(r, C::stability_width); },
     {{lit(21, "BEARING IS UNSTABILE, INCREASE THE WIDTH")}}},
    {{C::stability_length},
     [](const R& r) { return fail(r, C::stability_length); },
     {{lit(20, "BEARING IS UNSTABILE, INCREASE THE LENGTH")}}},
    {{C::stability_width, C::stability_length},
     [](const R& r) { return fail(r, C::stability_width) && fail(r, C::stability_length); },
     {{lit(15, "BEARING IS UNSTABILE, INCREASE THE WIDTH AND LENGTH")}}},
    {{C::load_plate_working, C::internal_plate_working},
     [](const R& r) {
         return fail(r, C::load_plate_working) && fail(r, C::internal_plate_working);
     },
     {{lit(8, "LOAD PLATE AND INTERNAL PLATE IS OVERSTRESSED UNDER WORKING LOADS")}}},
    {{C::load_plate_working},
     [](const R& r) {
         return fail(r, C::load_plate_working) && !fail(r, C::internal_plate_working);
     },
     {{lit(18, "LOAD PLATE IS OVERSTRESSED UNDER WORKING LOADS")}}},
    {{C::internal_plate_working},
     [](const R& r) {
         return !fail(r, C::load_plate_working) && fail(r, C::internal_plate_working);
     },
     {{lit(16, "INTERNAL PLATE IS OVERSTRESSED UNDER WORKING LOADS")}}},
    {{C::load_plate_fatigue, C::internal_plate_fatigue},
     [](const R& r) {
         return fail(r, C::load_plate_fatigue) && fail(r, C::internal_plate_fatigue);
     },
     {{lit(15, "-- LOAD PLATE AND INTERNAL PLATE IS OVERSTRESSED --")}}},
    {{C::load_plate_fatigue},
     [](const R& r) {
         return fail(r, C::load_plate_fatigue) && !fail(r, C::internal_plate_fatigue);
     },
     {{lit(28, "-- LOAD PLATE IS OVERSTRESSED --")}}},
    {{C::internal_plate_fatigue},
     [](const R& r) {
         return !fail(r, C::load_plate_fatigue) && fail(r, C::internal_plate_fatigue);
     },
     {{lit(26, "-- INTERNAL PLATE IS OVERSTRESSED --")}}},
    {{C::anchorage},
     [](const R& r) { return fail(r, C::anchorage); },
     {{lit(22, "-- BEARING WILL SLIP, REDESIGN REDUCING H --")}}},
};

// The text of a line of literals only, without the blanks around it.
std::string line_text(const LayoutLine& line) {
    std::string words;
    for (const LayoutItem& item : line) words.append(item.literal);
    const std::size_t first = words.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return words.substr(first, words.find_last_not_of(' ') - first + 1);
}

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
    for (const WarningMessage& message : kWarnings) {
        if (message.applies(r)) write_lines(report, message.lines);
    }
}

void write_closing_messages(ReportFile& report, const DesignFlags& flags) {
    write_messages(report, kClosingMessages, flags);
}

std::vector<Warning> warnings_of(const CheckResults& r) {
    std::vector<Warning> warnings;
    for (const WarningMessage& message : kWarnings) {
        if (!message.applies(r)) continue;
        Warning w;
        w.checks = message.checks;
        for (const LayoutLine& line : message.lines) w.lines.push_back(line_text(line));
        warnings.push_back(std::move(w));
    }
    return warnings;
}

int warning_count(const CheckResults& r) {
    int n = 0;
    for (const WarningMessage& message : kWarnings) n += message.applies(r) ? 1 : 0;
    return n;
}

std::vector<std::string> closing_message_texts(const DesignFlags& flags) {
    // A message is literals only: the texts of its lines joined by a blank.
    std::vector<std::string> texts;
    for (const Message<F>& message : kClosingMessages) {
        if (!message.applies(flags)) continue;
        std::string text;
        for (const LayoutLine& line : message.lines) {
            const std::string words = line_text(line);
            if (words.empty()) continue;
            if (!text.empty()) text += ' ';
            text += words;
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace bearingpad
