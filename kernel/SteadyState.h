#pragma once
// Steady state of one ideal continuous stirred tank fed with a given inlet composition: the common core
// of the single stirred tank (StirredTank.h) and of each cascade stage (Cascade.h). For every species,
// outlet = inlet + sum of stoichiometric coefficient times extent; extent / tau = rate of that reaction
// at the outlet. The two callers differ only in the few rules collected in SteadyRules.
//
// Concentrations in mol/L, times in the current time unit; rate constants from kWert, order from
// ReaktOrdnung. Only the outlet slots that the model computes are written. Arithmetic faults (division by
// zero, a logarithm of a number not greater than 0, an overflow) throw RuntimeError.
#include <array>

#include "kernel/RateLaws.h"

namespace kernel {

using ExtentVector = std::array<double, 4>;  // extents xi1, xi2 in elements 1, 2 (element 3 only cleared)

// Where the single tank and the cascade stage differ.
struct SteadyRules {
    bool model1EmptyInlet = false;     // model 1 with no A in the inlet ends at once with a' = 0, p' = p0
    bool model7OutletPTest = false;    // model-7 search: a negative c(P) is an errA failure
    bool consecutiveBMessage = false;  // models 9, 13, given conversion: not enough B shows message M2
    int model20MaxTrials = 1000;       // trial limit of the model-20 search
};

enum class SteadyOutcome {
    Solved,      // outlet written; the caller derives the conversion
    Stopped,     // a failure that ends the calculation (flags say which)
    EmptyInlet,  // model 1 without A in the inlet (cascade rule)
};

// Given residence time tau > 0: the outlet `out` and the extents. For model 7 U receives the conversion
// that the search settled on. errB := -1 when the balance has no usable solution (non-positive
// discriminant, failed search, negative outlet A of models 3, 4, 12, 19 which still counts as Solved);
// errA := -1 when B (model 7) or P (model 7, single tank) runs out, with out(1..4) := 0.
SteadyOutcome SolveForResidenceTime(int model, const ConcVector& in, double tau, ConcVector& out,
                                    ExtentVector& ksi, double& U, int& errA, int& errB, const SteadyRules& rules);

// Given conversion U of slot 1 (relative to the inlet): the residence time tau, the outlet and the extents.
// Returns true when the caller derives V or V* from tau (tau >= 0), false when it must stop. Shows the
// messages M1 (not enough B; models 4, 12, 17, 19), M2 (models 9, 13, when rules ask for it) and M3 (the
// conversion is not reachable: no positive residence time), each with errA := -1; M3 also sets tau := 0.
// errB := -1 for a non-positive discriminant or a zero residence time (still returns true), or a zero
// rate of A on the stoichiometric models (tau := 0, returns false).
bool SolveForConversion(int model, const ConcVector& in, double U, double& tau, ConcVector& out, ExtentVector& ksi,
                        int& errA, int& errB, const SteadyRules& rules);

// Texts of the stirred-tank and cascade messages, all shown with style 16 under kSteadyMsgTitle.
extern const char* const kSteadyMsgTitle;
extern const char* const kMsgNotEnoughB;       // M1
extern const char* const kMsgNotEnoughBTest;   // M2
extern const char* const kMsgNotReachable;     // M3

}  // namespace kernel
