#pragma once
// Bounded Marquardt least squares (Nash's variant): up to three parameters, each with a lower and an
// upper bound and a state, normal equations in packed lower-triangle storage solved by Choleski.
// The engine knows nothing of kinetics: it calls back into an objective for sums of squares and for
// residual/derivative rows of one measured row.
#include <array>
#include <vector>

namespace kernel {

// What the engine minimises. Rows are numbered 1..m; parameter vectors are indexed 1..np (slot 0 unused).
class MarquardtObjective {
public:
    virtual ~MarquardtObjective() = default;

    // Sum of the squared residuals of rows 1..m at B into sum; adds 1 to evalCount.
    // err := 0, or non-zero when the model could not be evaluated at B.
    virtual void calcFQS_Marquardt(int m, std::vector<double>& B, double& sum, int& evalCount, int& err) = 0;

    // Residual r of row i and its derivatives J(1..np) at B; B is restored before the return.
    // err := 0, or non-zero when the model could not be evaluated.
    virtual void CalcAbleitungen(int np, int i, std::vector<double>& B, double& r, std::vector<double>& J,
                                 int& err) = 0;

    // Whether row i can contribute to the sum at all (counts for the degrees of freedom).
    virtual bool RowContributes(int /*i*/) { return true; }

    // Checked once before the first evaluation; false refuses the run (the objective shows its own message).
    virtual bool CheckReady() { return true; }
};

constexpr int kMaxFitParams = 3;             // bounds exist for parameters 1..3
constexpr double kSingularSD = -9999;        // standard deviation that could not be computed

// Parameter states of the bounds table.
constexpr double kStateFree = 1;
constexpr double kStateMasked = 0;
constexpr double kStateAtUpper = -1;
constexpr double kStateAtLower = -2;

// Failure codes of MarquardtNashFitting.
constexpr int kFitOk = 0;
constexpr int kFitLimit = -1;                // Jacobian or evaluation limit reached
constexpr int kFitRuntimeError = -2;         // evaluation failed at the start or in a derivative row, or overflow
constexpr int kFitRefused = -3;              // nothing was run (objective refused, np outside 1..3)

// Bounds, fixed flags and limits of one run.
struct MarquardtSettings {
    std::array<double, 4> L{0, 1e-7, 1e-7, 1e-7};     // lower bounds, parameters 1..3
    std::array<double, 4> U{0, 1e5, 2e5, 1e5};        // upper bounds, parameters 1..3
    std::array<int, 4> ParamFixiert{};                // -1: parameter held at its start value
    int JacobianLimit = 125;
    int EvalLimitPerParam = 100;                      // evaluation limit = this · np
};

// The settings of the fitting window for fit mode DiagVariante: in the non-isothermal modes (> 5)
// k1 may rise to 1e18 and the limits are 250 Jacobians and 200·np evaluations.
MarquardtSettings MarquardtStandard(int DiagVariante, const std::array<int, 4>& ParamFixiert);

// What a run leaves beyond B and SD.
struct MarquardtInfo {
    std::array<double, 4> S{};    // final parameter states
    int nJacobian = 0;
    int nEval = 0;
    double Fmin = 0;              // sum of squares of the returned point (as far as the iterations know it)
    int nContributing = 0;        // rows counted in the degrees of freedom
};

// Fits B(1..np) (np 1..3; B sized at least np+1, start values in, fitted values out) to rows 1..m of the
// objective. SD(1..np) receives the standard deviations (0 for a fixed parameter or one resting on a bound,
// -9999 when they cannot be computed). failed: kFitOk, kFitLimit (B = the best accepted point, SD -9999
// unless the limit struck after they were computed), kFitRuntimeError (B = the best accepted point,
// SD -9999, message "Fehler aufgetreten: ..." shown) or kFitRefused (nothing changed).
void MarquardtNashFitting(int np, int m, std::vector<double>& B, std::vector<double>& SD, int& failed,
                          MarquardtObjective& objective, const MarquardtSettings& settings,
                          MarquardtInfo* info = nullptr);

// Choleski factor, in place, of the packed symmetric np×np matrix a (element (j,k), k <= j, at j(j-1)/2+k).
// Columns of parameters with state S <= 0 are zeroed; singular := 1 when a free diagonal is not positive.
void CholeskiZerlegung(int np, std::vector<double>& a, const std::array<double, 4>& S, int& singular);

// Solves (L·Lᵀ)·y = x in place for the factor left by CholeskiZerlegung; components of parameters whose
// state is not free come out 0.
void CholeskiRueck(int np, const std::vector<double>& a, const std::array<double, 4>& S, std::vector<double>& x);

}  // namespace kernel
