#pragma once
// The sum of squares the fitting window minimises, per fit mode (DiagVariante):
//  1: k1..k3 of the current model aktModell against the measured concentrations;
//  2: k and the order n of model 20 (p(2) goes to ReaktOrdnung as a Single; the time course is computed
//     with the unrounded p(2));
//  6, 7: first / second-order decay with an Arrhenius (kTFunktion 1) or Eyring (2) rate constant,
//        every row at its own temperature: p(1) the pre-factor per time unit, p(2) EA or h# in J/mol.
// Reads the shared measured data set ExpDaten (rows 1..nMesspunkte), c0Mess(1), aktModell, tMax,
// HalbwertszeitNumerisch; in modes below 6 writes kWert(1..3) (and ReaktOrdnung in mode 2) and, for
// numerically integrated models, the shared time course.
#include <array>
#include <vector>

#include "kernel/Marquardt.h"
#include "kernel/RateLaws.h"

namespace kernel {

constexpr double kGaskonstanteR = 8.3145;    // J/(mol K)
constexpr double kDiffStep = 1.7e-7;         // relative forward-difference step of the derivative rows

// What the objective takes from the fitting window.
struct FitSettings {
    std::array<int, 4> ParamFixiert{};       // -1: parameter i held fixed (its chkFixed box ticked)
    std::array<bool, 6> chkConcFQS{};        // species slot 1..5 counts: its box is shown and ticked
};

class FitObjective : public MarquardtObjective {
public:
    explicit FitObjective(const FitSettings& settings) : settings_(settings) {}

    // Sum of squared row residuals of rows 1..m at p (p sized >= 2; slots beyond its size are not read);
    // evalCount += 1. err := -1 when the time course or a row's concentrations could not be computed, or a
    // value is not finite.
    void calcFQS_Marquardt(int m, std::vector<double>& p, double& sum, int& evalCount, int& err) override;

    // Residual of row i (0 for an inactive row, and in modes 6, 7 for a row with T <= 0): isothermal, the
    // sum over the counted species of |c_model - c_measured|; mode 6 exp(-k t) - c(A); mode 7
    // 1/(1/c0 + 2 k t) - c(A). err as above.
    void CalcResiduals(int i, std::vector<double>& p, double& r, int& err);

    // Residual r of row i and dr/dp(1..np) into J: analytic for mode 6 with Arrhenius, forward differences
    // (step (|p| + 1.7e-7)·1.7e-7) otherwise. p is restored. err as above. For numerically integrated
    // models the rows read the time course of each parameter vector from the courses this objective has
    // already computed, so the shared inputs other than p must not change while the objective is in use.
    void CalcAbleitungen(int np, int i, std::vector<double>& p, double& r, std::vector<double>& J,
                         int& err) override;

    // Active rows; in modes 6 and 7 only those with T > 0.
    bool RowContributes(int i) override;

    // Mode 7 needs c(A,0): refused with a message when c0Mess(1) is 0.
    bool CheckReady() override;

private:
    // The model concentrations of every row on the time course of one parameter vector.
    struct Course {
        std::array<double, 4> p{};           // p(1..3) the course was computed for
        bool failed = false;                 // the time course itself could not be computed
        std::vector<ConcVector> c;           // per row (index i); read only for active rows
        std::vector<char> cFailed;           // per row: its concentrations could not be computed
    };
    static constexpr std::size_t kKeptCourses = kMaxFitParams + 2;  // a Jacobian's courses and the last sum's

    void SetModelParameters(const std::vector<double>& p);
    bool SimulateTimeCourse();
    bool CountsAnySpecies() const;
    const Course& CourseAt(const std::vector<double>& p);
    // Residual of an active isothermal row from its model concentrations.
    double RowResidual(const ConcVector& c, int i) const;
    void IsothermalResidual(int i, std::vector<double>& p, bool reuseCourses, double& r, int& err);

    FitSettings settings_;
    int SummeLaeuft = 0;                     // -1 while the sum runs over the rows on one time course
    double order_ = 0;                       // mode 2: the unrounded order of the last parameter vector
    std::vector<Course> courses_;            // the most recent last, at most kKeptCourses
};

// The automatic fit of the fitting window: the engine with the fit mode's settings (MarquardtStandard)
// and FitObjective over m rows. Arguments and results as the engine's.
void MarquardtNashFitting(int np, int m, std::vector<double>& B, std::vector<double>& SD, int& failed,
                          const FitSettings& settings, MarquardtInfo* info = nullptr);

}  // namespace kernel
