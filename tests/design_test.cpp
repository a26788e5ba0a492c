// Tests of the design search: its remedies, limits, restarts and outcomes,
// observed step by step through the search's observer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "check_fixtures.h"
#include "checks/check_results.h"
#include "checks/checks.h"
#include "checks/design_search.h"

namespace bearingpad {
namespace {

using namespace check_fixtures;

// One observed step: the step entered and the design inputs at that moment.
struct Entry {
    DesignStep step;
    float thickness;
    int load_plates;
    int internal_plates;
    float width;
    float length;
    float effective_width;
    float area;
};

struct Trace {
    std::vector<Entry> entries;

    static void record(void* context, DesignStep step, const CheckResults& r) {
        static_cast<Trace*>(context)->entries.push_back(Entry{step, r.thickness, r.load_plate_count,
                                                              r.internal_plate_count, r.width,
                                                              r.length, r.effective_width, r.area});
    }
    DesignObserver observer() { return DesignObserver{&Trace::record, this}; }

    std::vector<DesignStep> steps() const {
        std::vector<DesignStep> s;
        for (const Entry& e : entries) s.push_back(e.step);
        return s;
    }
    std::vector<Entry> of(DesignStep step) const {
        std::vector<Entry> s;
        for (const Entry& e : entries) {
            if (e.step == step) s.push_back(e);
        }
        return s;
    }
    // Index of the first entry of the step at or after the index from.
    std::size_t find(DesignStep step, std::size_t from = 0) const {
        for (std::size_t i = from; i < entries.size(); ++i) {
            if (entries[i].step == step) return i;
        }
        return entries.size();
    }
};

void expect_no_flags(const DesignFlags& flags) {
    for (int slot = 1; slot <= 9; ++slot) EXPECT_EQ(flags[slot], 0) << "slot " << slot;
}

// A pad whose checks all pass as long as the compressive stress does: no
// movement, no rotation, plain pad unless changed.
void fill_quiet_pad(CheckResults& r, float width, float length, float thickness, float load) {
    r.width = width;
    r.length = length;
    r.thickness = thickness;
    r.number_of_holes = 0;
    r.diameter_of_hole = 3.0f;
    r.cover_thickness = 0.25f;
    r.side_cover = 0.25f;
    r.load_plate_count = 0;
    r.load_plate_thickness = 0.1875f;
    r.internal_plate_count = 0;
    r.internal_plate_thickness = 0.0747f;
    r.beam_type = 1;
    r.distance_to_fixity = 0.0f;
    r.design_span = 100.0f;
    r.dead_load = f(w(load) * 2.0 / 3.0);
    r.live_load = f(w(load) - w(r.dead_load));
    r.total_load = f(w(r.live_load) + w(r.dead_load));
    r.rotation_y_dead = 0.0f;
    r.rotation_y_total = 0.0f;
    r.design_dimension = 1;
    r.dimension_basis = code_b;
}

// Two load plates whose internal allowable stays below the actual stress
// (900 psi on 144 in^2) with up to 5 extra internal plates, while the thin
// cover layers allow 1000 psi.
void fill_internal_plate_pad(CheckResults& r, float width, float length) {
    fill_quiet_pad(r, width, length, 5.0f, 0.0f);
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.25f;
    r.cover_thickness = 0.1f;
    r.dead_load = 86.4f;
    r.live_load = 43.2f;
    r.total_load = f(w(43.2f) + w(86.4f));
}

TEST(DesignSearch, ReferenceDesignReport) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_design(r);
    design(r);
    expect_no_flags(flags);

    EXPECT_EQ(r.thickness, f(w(0.50001f) + 5 * 0.125));  // raised 5 times, each rounded
    EXPECT_EQ(printed(r.thickness, 5), "1.12501");
    EXPECT_EQ(r.width, 22.25f);
    EXPECT_EQ(r.length, 17.0f);
    EXPECT_EQ(r.load_plate_count, 1);
    EXPECT_EQ(r.internal_plate_count, 0);

    struct Printed {
        const char* what;
        float value;
        int decimals;
        const char* text;
    };
    const Printed values[] = {
        {"W", r.effective_width, 4, "21.7500"},
        {"L", r.effective_length, 4, "16.5000"},
        {"D", r.effective_diameter, 4, "3.2500"},
        {"A", r.area, 4, "358.8750"},
        {"F", r.holes_factor, 4, "1.0000"},
        {"P", r.perimeter, 4, "76.5000"},
        {"hri cover", r.cover_layer_thickness, 4, "0.4688"},
        {"hri internal", r.internal_layer_thickness, 4, "0.0000"},
        {"S cover", r.shape_factor_cover, 1, "10.0"},
        {"S internal", r.shape_factor_internal, 1, "0.0"},
        {"B cover", r.b_factor_cover, 1, "1.4"},
        {"B internal", r.b_factor_internal, 1, "0.0"},
        {"S/B cover", r.shape_ratio_cover, 1, "7.1"},
        {"allowable cover", r.allowable_stress_cover, 0, "929"},
        {"allowable internal", r.allowable_stress_internal, 0, "0"},
        {"hrt", r.elastomer_thickness, 3, "0.938"},
        {"actual stress", r.compressive_stress, 0, "770"},
        {"minimum allowable", r.allowable_stress, 0, "929"},
        {"dead stress", r.dead_load_stress, 0, "570"},
        {"live stress", r.live_load_stress, 0, "200"},
        {"total stress", r.total_load_stress, 0, "770"},
        {"strain dead cover", r.strain_dead_cover, 1, "2.8"},
        {"strain live cover", r.strain_live_cover, 1, "1.4"},
        {"strain total cover", r.strain_total_cover, 1, "3.5"},
        {"strain dead internal", r.strain_dead_internal, 1, "0.0"},
        {"deflection dead cover", r.deflection_dead_cover, 4, "0.0131"},
        {"deflection live cover", r.deflection_live_cover, 4, "0.0066"},
        {"deflection total cover", r.deflection_total_cover, 4, "0.0165"},
        {"total deflection dead", r.total_deflection_dead, 4, "0.0263"},
        {"total deflection live", r.total_deflection_live, 4, "0.0132"},
        {"total deflection total", r.total_deflection_total, 4, "0.0330"},
        {"creep dead", r.creep_dead, 4, "0.0092"},
        {"creep live", r.creep_live, 4, "0.0046"},
        {"creep total", r.creep_total, 4, "0.0115"},
        {"long term dead", r.long_term_deflection_dead, 4, "0.0355"},
        {"long term live", r.long_term_deflection_live, 4, "0.0178"},
        {"long term total", r.long_term_deflection_total, 4, "0.0445"},
        {"Ds", r.shear_deformation, 3, "0.013"},
        {"minimum hrt", r.minimum_elastomer_thickness, 3, "0.025"},
        {"x", r.rotation_x, 3, "864.000"},
        {"y dead", r.rotation_y_dead_abs, 3, "1.350"},
        {"y total", r.rotation_y_total_abs, 3, "1.690"},
        {"k dead", r.rotation_k_dead, 9, "0.000001808"},
        {"k total", r.rotation_k_total, 9, "0.000002264"},
        {"theta dead", r.rotation_dead, 6, "0.003125"},
        {"theta total", r.rotation_total, 6, "0.003912"},
        {"allowable theta dead", r.rotation_allowable_dead, 6, "0.003186"},
        {"allowable theta total", r.rotation_allowable_total, 6, "0.003999"},
        {"W/3", r.stability_limit_width, 3, "7.250"},
        {"L/3", r.stability_limit_length, 3, "5.500"},
        {"load plate actual", r.load_plate_actual_stress, 0, "144"},
        {"load plate minimum", r.load_plate_minimum_stress, 0, "797"},
        {"load plate working", r.load_plate_working_stress, 0, "797"},
        {"load plate allowable", r.load_plate_allowable_stress, 0, "3750"},
        {"load plate fatigue", r.load_plate_fatigue_stress, 0, "38"},
        {"load plate allowable fatigue", r.load_plate_allowable_fatigue, 0, "1875"},
        {"internal plate actual", r.internal_plate_actual_stress, 0, "0"},
        {"internal plate working", r.internal_plate_working_stress, 0, "0"},
        {"H", r.shear_force, 3, "0.965"},
        {"anchorage allowable", r.anchorage_allowable, 3, "40.876"},
    };
    for (const Printed& p : values) EXPECT_EQ(printed(p.value, p.decimals), p.text) << p.what;
}

TEST(DesignSearch, ReferenceDesignRaisesTheThicknessPassByPass) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_design(r);
    Trace trace;
    const int passes = design_search(r, trace.observer());
    const std::vector<Entry> pass_entries = trace.of(DesignStep::pass);
    ASSERT_EQ(passes, 6);
    ASSERT_EQ(pass_entries.size(), 6u);
    float thickness = 0.50001f;
    for (const Entry& e : pass_entries) {
        EXPECT_EQ(e.thickness, thickness);
        thickness = f(w(thickness) + 0.125);
    }
    // The search ends in step 11, after its limits.
    EXPECT_EQ(trace.entries[trace.entries.size() - 2].step, DesignStep::anchorage);
    EXPECT_EQ(trace.entries.back().step, DesignStep::limits);
}

TEST(DesignSearch, PadPassingOnTheFirstPassIsUnchanged) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_design(r);
    r.thickness = 1.12501f;  // the reference design's result
    Trace trace;
    EXPECT_EQ(design_search(r, trace.observer()), 1);
    expect_no_flags(flags);
    EXPECT_EQ(r.thickness, 1.12501f);
    EXPECT_EQ(r.width, 22.25f);
    EXPECT_EQ(r.length, 17.0f);
    EXPECT_EQ(r.load_plate_count, 1);
    EXPECT_EQ(r.internal_plate_count, 0);
    const std::vector<DesignStep> expected{DesignStep::start,
                                           DesignStep::restart,
                                           DesignStep::properties,
                                           DesignStep::pass,
                                           DesignStep::thin_internal_layers,
                                           DesignStep::no_effective_layer,
                                           DesignStep::compressive_stress,
                                           DesignStep::shear,
                                           DesignStep::limits,
                                           DesignStep::deflection_and_rotation,
                                           DesignStep::limits,
                                           DesignStep::limits,
                                           DesignStep::reinforcement,
                                           DesignStep::anchorage,
                                           DesignStep::limits};
    EXPECT_EQ(trace.steps(), expected);
}

TEST(DesignSearch, OverstressedPlainPadGetsALoadPlateAndNewProperties) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_quiet_pad(r, 12.0f, 12.0f, 1.0f, 100.0f);  // 694 psi against 217 psi
    r.dimension_basis = blank_code;
    Trace trace;
    design_search(r, trace.observer());

    const std::size_t stress = trace.find(DesignStep::compressive_stress);
    ASSERT_LT(stress + 2, trace.entries.size());
    EXPECT_EQ(trace.entries[stress].load_plates, 0);
    const Entry& properties = trace.entries[stress + 1];
    EXPECT_EQ(properties.step, DesignStep::properties);
    EXPECT_EQ(properties.load_plates, 1);
    EXPECT_EQ(properties.effective_width, 12.0f);  // not yet recomputed
    const Entry& pass = trace.entries[stress + 2];
    EXPECT_EQ(pass.step, DesignStep::pass);
    EXPECT_EQ(pass.effective_width, 11.5f);  // plate dimensions now
    EXPECT_EQ(pass.area, f(11.5 * 11.5));
    EXPECT_EQ(pass.thickness, 1.0f);
}

TEST(DesignSearch, InternalPlatesOnePerPassThenTheWidthGrows) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_internal_plate_pad(r, 12.0f, 12.0f);
    Trace trace;
    design_search(r, trace.observer());

    // Passes with 0, 1, ..., 5 internal plates at the start thickness; the
    // sixth extra plate enlarges the plan.
    const std::vector<Entry> passes = trace.of(DesignStep::pass);
    ASSERT_GE(passes.size(), 7u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(passes[static_cast<std::size_t>(i)].internal_plates, i);
        EXPECT_EQ(passes[static_cast<std::size_t>(i)].thickness, 5.0f);
        EXPECT_EQ(passes[static_cast<std::size_t>(i)].width, 12.0f);
    }
    const std::size_t enlarge = trace.find(DesignStep::enlarge);
    ASSERT_LT(enlarge + 1, trace.entries.size());
    EXPECT_EQ(trace.entries[enlarge - 1].step, DesignStep::compressive_stress);
    EXPECT_EQ(trace.entries[enlarge].internal_plates, 6);
    const Entry& restart = trace.entries[enlarge + 1];
    EXPECT_EQ(restart.step, DesignStep::restart);
    EXPECT_EQ(restart.width, 13.0f);
    // The restart returns thickness and plate counts to their start values.
    EXPECT_EQ(passes[6].width, 13.0f);
    EXPECT_EQ(passes[6].internal_plates, 0);
    EXPECT_EQ(passes[6].load_plates, 2);
    EXPECT_EQ(passes[6].thickness, 5.0f);
}

TEST(DesignSearch, LengthAt20RollsOverIntoTheBaseWidth) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_internal_plate_pad(r, 12.0f, 20.0f);
    r.design_dimension = 2;
    Trace trace;
    design_search(r, trace.observer());

    const std::size_t enlarge = trace.find(DesignStep::enlarge);
    ASSERT_LT(enlarge + 2, trace.entries.size());
    EXPECT_EQ(trace.entries[enlarge + 1].step, DesignStep::length_overflow);
    EXPECT_EQ(trace.entries[enlarge + 1].length, 21.0f);
    EXPECT_EQ(trace.entries[enlarge + 2].step, DesignStep::restart);
    EXPECT_EQ(trace.entries[enlarge + 2].width, 13.0f);   // the base width grew by 1
    EXPECT_EQ(trace.entries[enlarge + 2].length, 20.0f);  // back to the base length
}

TEST(DesignSearch, LengthOf20AndWidthOf30AreAllowed) {
    {
        DesignFlags flags;
        CheckResults r(flags);
        fill_internal_plate_pad(r, 12.0f, 19.0f);
        r.design_dimension = 2;
        Trace trace;
        design_search(r, trace.observer());
        const std::size_t enlarge = trace.find(DesignStep::enlarge);
        ASSERT_LT(enlarge + 1, trace.entries.size());
        EXPECT_EQ(trace.entries[enlarge + 1].step, DesignStep::restart);
        EXPECT_EQ(trace.entries[enlarge + 1].length, 20.0f);
    }
    {
        DesignFlags flags;
        CheckResults r(flags);
        fill_internal_plate_pad(r, 29.0f, 12.0f);
        Trace trace;
        design_search(r, trace.observer());
        const std::size_t first = trace.find(DesignStep::enlarge);
        ASSERT_LT(first + 1, trace.entries.size());
        EXPECT_EQ(trace.entries[first + 1].step, DesignStep::restart);
        EXPECT_EQ(trace.entries[first + 1].width, 30.0f);
        // The next enlargement runs past 30: the base length grows instead.
        const std::size_t second = trace.find(DesignStep::enlarge, first + 1);
        ASSERT_LT(second + 2, trace.entries.size());
        EXPECT_EQ(trace.entries[second + 1].step, DesignStep::width_overflow);
        EXPECT_EQ(trace.entries[second + 1].width, 31.0f);
        EXPECT_EQ(trace.entries[second + 2].step, DesignStep::restart);
        EXPECT_EQ(trace.entries[second + 2].width, 29.0f);
        EXPECT_EQ(trace.entries[second + 2].length, 13.0f);
    }
}

TEST(DesignSearch, ThicknessOf4_25PassesAnd4_375EnlargesThePlan) {
    {
        DesignFlags flags;
        CheckResults r(flags);
        fill_quiet_pad(r, 25.0f, 25.0f, 4.25f, 30.0f);
        EXPECT_EQ(design_search(r), 1);
        expect_no_flags(flags);
        EXPECT_EQ(r.thickness, 4.25f);
        EXPECT_EQ(r.width, 25.0f);
    }
    {
        DesignFlags flags;
        CheckResults r(flags);
        fill_quiet_pad(r, 25.0f, 25.0f, 4.375f, 30.0f);
        Trace trace;
        design_search(r, trace.observer());
        const std::size_t limits = trace.find(DesignStep::limits);
        ASSERT_LT(limits + 2, trace.entries.size());
        EXPECT_EQ(trace.entries[limits - 1].step, DesignStep::shear);
        EXPECT_EQ(trace.entries[limits + 1].step, DesignStep::enlarge);
        EXPECT_EQ(trace.entries[limits + 2].step, DesignStep::restart);
        EXPECT_EQ(trace.entries[limits + 2].width, 26.0f);
    }
}

TEST(DesignSearch, TooThickForTheWidthOrTheLength) {
    {
        DesignFlags flags;
        CheckResults r(flags);
        fill_quiet_pad(r, 15.0f, 25.0f, 4.0f, 30.0f);  // W/5 = 3 < 4
        Trace trace;
        design_search(r, trace.observer());
        const std::size_t limits = trace.find(DesignStep::limits);
        ASSERT_LT(limits + 2, trace.entries.size());
        EXPECT_EQ(trace.entries[limits + 1].step, DesignStep::widen);
        EXPECT_EQ(trace.entries[limits + 2].width, 16.0f);
    }
    {
        DesignFlags flags;
        CheckResults r(flags);
        fill_quiet_pad(r, 25.0f, 15.0f, 4.0f, 30.0f);  // L/5 = 3 < 4
        Trace trace;
        design_search(r, trace.observer());
        const std::size_t limits = trace.find(DesignStep::limits);
        ASSERT_LT(limits + 2, trace.entries.size());
        EXPECT_EQ(trace.entries[limits + 1].step, DesignStep::lengthen);
        EXPECT_EQ(trace.entries[limits + 2].length, 16.0f);
    }
}

// One load plate on a pad with a large hole: F = 24, so the allowable
// fatigue stress 10,000 T2 / F is below the fatigue stress.
void fill_fatigue_pad(CheckResults& r) {
    fill_quiet_pad(r, 12.0f, 30.0f, 0.7475f, 0.0f);
    r.number_of_holes = 1;
    r.diameter_of_hole = 11.0f;
    r.load_plate_count = 1;
    r.load_plate_thickness = 0.1875f;
    r.dead_load = 27.0f;
    r.live_load = 132.0f;
    r.total_load = f(w(132.0f) + w(27.0f));
}

TEST(DesignSearch, LoadPlateFatigueEndsTheSearchAtOnce) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_fatigue_pad(r);
    Trace trace;
    EXPECT_EQ(design_search(r, trace.observer()), 1);
    EXPECT_EQ(r.design_flags[load_plate_fatigue_failed], 1);
    for (int slot : {1, 3, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(r.design_flags[slot], 0) << "slot " << slot;
    EXPECT_LT(r.load_plate_allowable_fatigue, r.load_plate_fatigue_stress);
    // The plate stress comparisons did not run (they would have added a plate).
    EXPECT_LT(r.load_plate_allowable_stress, r.load_plate_minimum_stress);
    EXPECT_EQ(r.load_plate_count, 1);
    // No anchorage step: its field keeps the cleared value.
    EXPECT_EQ(trace.entries.back().step, DesignStep::reinforcement);
    EXPECT_EQ(trace.find(DesignStep::anchorage), trace.entries.size());
    EXPECT_EQ(r.anchorage_allowable, 0.0f);
}

TEST(DesignSearch, InternalPlateFatigueSetsSlot9) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_fatigue_pad(r);
    // Both fatigue checks compare live load / A with 10 / F, whatever the plate
    // thickness; load plates of no thickness (0 against 0) pass theirs.
    r.load_plate_count = 2;
    r.load_plate_thickness = 0.0f;
    r.internal_plate_count = 1;
    r.internal_plate_thickness = 0.25f;
    r.cover_thickness = 0.1f;
    r.thickness = 1.2f;
    r.live_load = 200.0f;
    r.dead_load = 10.0f;
    r.total_load = f(w(200.0f) + w(10.0f));
    design(r);
    EXPECT_EQ(r.design_flags[internal_plate_fatigue_failed], 1);
    EXPECT_EQ(r.design_flags[load_plate_fatigue_failed], 0);
    EXPECT_EQ(r.design_flags[iteration_limit_reached], 0);
}

// A beam whose end rotation no pad can follow: the search never converges.
void fill_non_converging(CheckResults& r) {
    fill_reference_design(r);
    r.rotation_y_dead = 100.0f;
    r.rotation_y_total = 100.0f;
    r.design_span = 10.0f;
}

TEST(DesignSearch, NonConvergingSearchStopsAtThePassLimit) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_non_converging(r);
    Trace trace;
    EXPECT_EQ(design_search(r, trace.observer()), 2500);
    EXPECT_EQ(r.design_flags[iteration_limit_reached], 1);
    for (int slot = 2; slot <= 9; ++slot) EXPECT_EQ(r.design_flags[slot], 0) << "slot " << slot;
    // The 2500th increase of the counter ends the search before any check of that pass.
    EXPECT_EQ(trace.of(DesignStep::pass).size(), 2500u);
    EXPECT_EQ(trace.entries.back().step, DesignStep::pass);
    EXPECT_GT(trace.of(DesignStep::restart).size(), 10u);
}

TEST(DesignSearch, ASearchLeftWithStaleValuesHasThemCleared) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_fatigue_pad(r);
    r.anchorage_allowable = 123.0f;
    r.shear_force = 45.0f;
    design(r);
    EXPECT_EQ(r.anchorage_allowable, 0.0f);
    EXPECT_EQ(r.shear_force, 0.0f);  // distance 0
}

TEST(DesignSearch, NaNAndInfiniteInputsEndWithinThePassLimit) {
    const float values[] = {std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), 0.0f, -1.0f};
    for (float v : values) {
        for (int plates = 0; plates <= 2; ++plates) {
            DesignFlags flags;
            CheckResults r(flags);
            fill_reference_design(r);
            r.load_plate_count = plates;
            r.thickness = v;
            EXPECT_LE(design_search(r), 2500);
            DesignFlags flags2;
            CheckResults r2(flags2);
            fill_reference_design(r2);
            r2.load_plate_count = plates;
            r2.width = v;
            r2.length = v;
            r2.total_load = v;
            EXPECT_LE(design_search(r2), 2500);
            DesignFlags flags3;
            CheckResults r3(flags3);
            fill_reference_design(r3);
            r3.load_plate_count = plates;
            r3.design_span = v;
            r3.area = v;
            r3.distance_to_fixity = v;
            EXPECT_LE(design_search(r3), 2500);
        }
    }
}

}  // namespace
}  // namespace bearingpad
