// The checks and the two sequences allocate nothing: the global allocation
// functions are replaced here, in an executable of their own, and count while
// the checks run.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "check_fixtures.h"
#include "checks/checks.h"

// ---------------------------------------------------------------------------
// Counting allocation functions for the no-allocation test. They count only
// while checks_test_counting_allocations is set, and otherwise behave as the
// standard ones.
namespace {
std::atomic<bool> checks_test_counting_allocations{false};
std::atomic<long> checks_test_allocation_count{0};

void* checks_test_allocate(std::size_t size) {
    if (checks_test_counting_allocations.load(std::memory_order_relaxed)) {
        checks_test_allocation_count.fetch_add(1, std::memory_order_relaxed);
    }
    if (size == 0) size = 1;
    if (void* p = std::malloc(size)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return checks_test_allocate(size);
}
void* operator new[](std::size_t size) {
    return checks_test_allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
// ---------------------------------------------------------------------------

namespace bearingpad {
namespace {

using check_fixtures::fill_reference_analysis;

TEST(ChecksNoAllocation, ChecksAndSequencesAllocateNothing) {
    DesignFlags flags;
    CheckResults r(flags);
    fill_reference_analysis(r);
    DesignFlags design_flags;
    CheckResults d(design_flags);
    fill_reference_analysis(d);
    d.rotation_y_dead = 100.0f;  // never converges: runs to the pass limit
    d.rotation_y_total = 100.0f;

    checks_test_allocation_count = 0;
    checks_test_counting_allocations = true;
    analysis(r);
    bprop(r);
    static_cast<void>(comp_stress(r));
    static_cast<void>(strain(300.0f, 7.0f));
    comp_defl(r);
    shear(r);
    rotat(r);
    stabil(r);
    reinf(r);
    anchor(r);
    clear_computed_fields(r);
    design(d);
    checks_test_counting_allocations = false;

    EXPECT_EQ(checks_test_allocation_count.load(), 0);
    EXPECT_EQ(d.design_flags[iteration_limit_reached], 1);  // the whole search ran

    // The counter itself works.
    checks_test_counting_allocations = true;
    auto* probe = new std::vector<int>(3);
    checks_test_counting_allocations = false;
    delete probe;
    EXPECT_GE(checks_test_allocation_count.load(), 1);
}

}  // namespace
}  // namespace bearingpad
