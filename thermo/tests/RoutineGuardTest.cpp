// The C routines when memory runs out inside them. This program replaces the global operator
// new, which the library's own allocations reach as well, and makes every allocation fail from
// the n-th one of a call on, for n = 0, 1, 2, ... until the call gets through. Each such call must
// still come back to the caller with a code, a text and NaN results, and the library must work
// normally afterwards (no lock left held, no half set-up fluid).
#include "velutra_thermo.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

namespace {

// -1: allocations succeed; otherwise how many more succeed before one fails (and every one
// after it, unless only one is to fail).
long allowedAllocations = -1;
bool refuseOnlyOne = false;
bool allocationRefused = false;

void* Allocate(std::size_t size) {
    if (allowedAllocations == 0) {
        allocationRefused = true;
        if (refuseOnlyOne)
            allowedAllocations = -1;
        throw std::bad_alloc();
    }
    if (allowedAllocations > 0)
        --allowedAllocations;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace {

constexpr int kOutOfMemory = 7;

// The argument block of one caller; results start as 1 so that a result left alone shows.
struct Call {
    int nc = 1, kph = 2, kguess = 0, ierr = -1;
    double x[VELUTRA_THERMO_MAX_COMPONENTS] = { 1.0 };
    double xl[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double xv[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double t = 0, p = 0, d = 1, dl = 1, dv = 1, q = 1, e = 1, h = 1, s = 0, cv = 1, cp = 1, w = 1, hjt = 1,
           wmm = 1;
    char herr[256] = {};
    char hfiles[10000] = {};
    char hfmix[256] = "HMX.BNC";
    char hrf[4] = "DEF";

    void resetResults() {
        d = dl = dv = q = e = h = cv = cp = w = hjt = wmm = 1.0;
        ierr = -1;
        std::strcpy(herr, "untouched");
    }
    void setUp(int count, const char* files, const char* reference) {
        nc = count;
        std::strncpy(hfiles, files, sizeof hfiles - 1);
        std::memcpy(hrf, reference, 3);
        SETUPdll(&nc, hfiles, hfmix, hrf, &ierr, herr, 10000, 255, 3, 255);
    }
    void satt() { SATTdll(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255); }
    void tpflsh() {
        TPFLSHdll(&t, &p, x, &d, &dl, &dv, xl, xv, &q, &e, &h, &s, &cv, &cp, &w, &ierr, herr, 255);
    }
    void tprho() { TPRHOdll(&t, &p, x, &kph, &kguess, &d, &ierr, herr, 255); }
    void psflsh() {
        PSFLSHdll(&p, &s, x, &t, &d, &dl, &dv, xl, xv, &q, &e, &h, &cv, &cp, &w, &ierr, herr, 255);
    }
    void therm() { THERMdll(&t, &d, x, &p, &e, &h, &s, &cv, &cp, &w, &hjt); }
    void wmol() { WMOLdll(x, &wmm); }
};

// Calls `routine` with allocations failing from the n-th on (or only the n-th), for every n until
// it gets through; after each refused allocation `checkFailure` runs. Returns how many calls met
// a refusal.
int WithMemoryRunningOut(
    const std::function<void()>& routine, const std::function<void()>& checkFailure, bool onlyOne = false) {
    int refused = 0;
    refuseOnlyOne = onlyOne;
    for (long n = 0; n < 100000; n += 1 + n / 8) {
        allocationRefused = false;
        allowedAllocations = n;
        routine();
        allowedAllocations = -1;
        if (!allocationRefused)
            return refused;
        ++refused;
        checkFailure();
        if (::testing::Test::HasFatalFailure())
            return refused;
    }
    ADD_FAILURE() << "the call never got through";
    return refused;
}

// The routines with an error code, for one set-up fluid or mixture: each call with memory running
// out reports code 7 and "<routine>: out of memory" with NaN results; the same call afterwards
// gives its own outcome `code`.
struct Case {
    const char* routine;
    std::function<void(Call&)> prepare;
    std::function<void(Call&)> run;
    std::function<bool(const Call&)> resultsNaN;
    int code;
};

void CheckEachRoutineRunningOutOfMemory(Call& a, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.routine);
        const std::string expected = std::string(c.routine) + ": out of memory";
        const int refused = WithMemoryRunningOut(
            [&] {
                c.prepare(a);
                a.resetResults();
                c.run(a);
            },
            [&] {
                EXPECT_EQ(a.ierr, kOutOfMemory);
                EXPECT_EQ(std::string(a.herr), expected);
                EXPECT_TRUE(c.resultsNaN(a));
            });
        c.prepare(a);
        a.resetResults();
        c.run(a);
        EXPECT_EQ(a.ierr, c.code) << a.herr;
        // A failure's message is built in memory, so its call met at least one refusal.
        if (c.code != 0) {
            EXPECT_GT(refused, 0);
        }
    }
}

bool SattNaN(const Call& a) {
    return std::isnan(a.p) && std::isnan(a.dl) && std::isnan(a.dv);
}
bool FlashNaN(const Call& a) {
    return std::isnan(a.d) && std::isnan(a.h) && std::isnan(a.q);
}
bool DensityNaN(const Call& a) {
    return std::isnan(a.d);
}

TEST(RoutineGuardTest, PureFluidRoutinesReportRunningOutOfMemoryAndWorkOnAfterwards) {
    Call a;
    a.setUp(1, "R134a.fld", "IIR");
    ASSERT_EQ(a.ierr, 0) << a.herr;
    // Failing inputs build their messages, which allocates; good ones go through the solvers.
    const std::vector<Case> cases {
        { "SATTdll", [](Call& c) { c.t = 400.0, c.kph = 2; }, [](Call& c) { c.satt(); }, SattNaN, 3 },
        { "SATTdll", [](Call& c) { c.t = 240.0, c.kph = 2; }, [](Call& c) { c.satt(); }, SattNaN, 0 },
        { "TPFLSHdll", [](Call& c) { c.t = 300.0, c.p = -5.0; }, [](Call& c) { c.tpflsh(); }, FlashNaN, 2 },
        { "TPFLSHdll", [](Call& c) { c.t = 300.0, c.p = 100.0; }, [](Call& c) { c.tpflsh(); }, FlashNaN, 0 },
        { "TPRHOdll", [](Call& c) { c.t = NAN, c.p = 100.0, c.kph = 2; }, [](Call& c) { c.tprho(); },
            DensityNaN, 2 },
        { "PSFLSHdll", [](Call& c) { c.p = 500.0, c.s = NAN; }, [](Call& c) { c.psflsh(); }, FlashNaN, 2 },
    };
    CheckEachRoutineRunningOutOfMemory(a, cases);

    // No lock is left held and the fluid is still set up: the dew point at 240 K as without the
    // failures before it.
    a.t = 240.0;
    a.kph = 2;
    a.satt();
    EXPECT_EQ(a.ierr, 0) << a.herr;
    EXPECT_NEAR(a.p, 72.480857990520548, 1e-8 * 72.48);
}

TEST(RoutineGuardTest, MixtureRoutinesReportRunningOutOfMemory) {
    Call a;
    a.setUp(2, "R125.fld|R143a.fld", "DEF");
    ASSERT_EQ(a.ierr, 0) << a.herr;
    const auto r507a = [](Call& c) {
        c.x[0] = 0.41184;
        c.x[1] = 0.58816;
    };
    const std::vector<Case> cases {
        { "SATTdll", [&](Call& c) { r507a(c), c.t = 400.0, c.kph = 2; }, [](Call& c) { c.satt(); }, SattNaN,
            3 },
        { "SATTdll", [&](Call& c) { r507a(c), c.t = 240.0, c.kph = 2; }, [](Call& c) { c.satt(); }, SattNaN,
            0 },
        { "TPFLSHdll", [&](Call& c) { r507a(c), c.t = NAN, c.p = 100.0; }, [](Call& c) { c.tpflsh(); },
            FlashNaN, 2 },
        { "TPRHOdll", [&](Call& c) { r507a(c), c.t = 300.0, c.p = -1.0, c.kph = 1; },
            [](Call& c) { c.tprho(); }, DensityNaN, 2 },
        { "PSFLSHdll", [&](Call& c) { r507a(c), c.p = NAN, c.s = 100.0; }, [](Call& c) { c.psflsh(); },
            FlashNaN, 2 },
    };
    CheckEachRoutineRunningOutOfMemory(a, cases);
}

TEST(RoutineGuardTest, RoutinesWithoutErrorArgumentsLeaveNaNOrTheirResult) {
    Call a;
    a.setUp(1, "R134a.fld", "IIR");
    ASSERT_EQ(a.ierr, 0) << a.herr;
    a.t = 300.0;
    a.d = 11.0;
    WithMemoryRunningOut(
        [&] {
            a.p = a.h = 1.0;
            a.therm();
        },
        [&] { EXPECT_TRUE(std::isnan(a.p) && std::isnan(a.h)); });
    EXPECT_TRUE(std::isfinite(a.p) && std::isfinite(a.h));
    WithMemoryRunningOut([&] { a.wmol(); }, [&] { EXPECT_TRUE(std::isnan(a.wmm)); });
    EXPECT_NEAR(a.wmm, 102.032, 1e-12 * 102.032);
}

// Set-up reads and parses files, so an allocation can fail at thousands of places; a failed
// set-up reports it and leaves no fluid set up, and the set-up after it works. (Here one
// allocation fails at a time: the JSON parser allocates while it frees a half-built document.)
TEST(RoutineGuardTest, SetUpRunningOutOfMemoryLeavesNoFluidSetUp) {
    for (const auto& [count, files] : { std::pair { 1, "propane.fld" }, { 2, "R125.fld|R134a.fld" } }) {
        SCOPED_TRACE(files);
        Call a;
        const int refused = WithMemoryRunningOut([&] { a.setUp(count, files, "NBP"); },
            [&] {
                EXPECT_TRUE(a.ierr == kOutOfMemory || a.ierr == 1) << a.herr;
                EXPECT_EQ(std::strncmp(a.herr, "SETUPdll: ", 10), 0) << a.herr;
                a.wmol();
                EXPECT_TRUE(std::isnan(a.wmm));
            },
            true);
        EXPECT_GT(refused, 10);
        EXPECT_EQ(a.ierr, 0) << a.herr;
        a.x[0] = 0.5;
        a.x[1] = 0.5;
        a.wmol();
        EXPECT_TRUE(std::isfinite(a.wmm));
    }
}

} // namespace
