#include <gtest/gtest.h>

#include "kernel/State.h"

TEST(State, CurveArraysAreResizedTogether) {
    kernel::RedimCurves(300);
    EXPECT_EQ(kernel::tWerte.size(), 301u);
    for (int s = 1; s <= kernel::kSpecies; ++s) {
        EXPECT_EQ(kernel::cKurve(s).size(), 301u);
        EXPECT_EQ(kernel::rKurve(s).size(), 301u);
    }
    EXPECT_EQ(&kernel::cKurve(4), &kernel::cKurveP);
}
