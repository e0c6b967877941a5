#include "kernel/FitObjective.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <limits>

#include "kernel/Concentrations.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "platform/core/MsgBox.h"

namespace kernel {
namespace {

constexpr int kModeOrder = 2;        // DiagVariante: k and the order n of model 20
constexpr int kModeFirstOrderT = 6;  // non-isothermal first order A => P
constexpr int kModeSecondOrderT = 7; // non-isothermal second order 2A => P

bool NonIsothermal() { return DiagVariante > 5; }

double Param(const std::vector<double>& p, int j) { return j < static_cast<int>(p.size()) ? p[j] : 0.0; }

// Rate constant of a row at temperature T (K) for pre-factor p1 and EA or h# p2 (J/mol).
double RateConstant(double p1, double p2, double T) {
    if (kTFunktion == 1) return p1 * std::exp(-p2 / (kGaskonstanteR * T));
    if (kTFunktion == 2) return p1 * T * std::exp(-p2 / (kGaskonstanteR * T));
    return 0;
}

}  // namespace

void FitObjective::SetModelParameters(const std::vector<double>& p) {
    for (int j = 1; j <= 3 && j < static_cast<int>(p.size()); ++j) kWert[j] = p[j];
    if (DiagVariante == kModeOrder && p.size() > 2) {
        ReaktOrdnung = static_cast<float>(p[2]);
        order_ = p[2];
    }
}

bool FitObjective::SimulateTimeCourse() {
    // The order is kept and shown as a Single, but the course is computed with the unrounded parameter:
    // a forward-difference step of the order is smaller than the Single's spacing.
    struct ExactOrder {
        explicit ExactOrder(double n) { FitOrdnung = n; }
        ~ExactOrder() { FitOrdnung = std::numeric_limits<double>::quiet_NaN(); }
    } exactOrder(DiagVariante == kModeOrder ? order_ : std::numeric_limits<double>::quiet_NaN());
    int err = 0;
    try {
        CalcZeitverlauf(aktModell, tMax, err);
    } catch (const std::exception&) {
        return false;
    }
    return err == 0;
}

bool FitObjective::RowContributes(int i) {
    if (i < 1 || i >= static_cast<int>(ExpDaten.size())) return false;
    const ExpPunkt& row = ExpDaten[i];
    if (row.exclude != 0) return false;
    return !NonIsothermal() || row.T > 0;
}

bool FitObjective::CheckReady() {
    if (DiagVariante == kModeSecondOrderT && c0Mess[1] == 0) {
        platform::MsgBox("Für diesen Fall muss die Anfangskonzentration c(A,0) gegeben sein.", platform::MsgCritical,
                         " Ausführung nicht möglich ");
        return false;
    }
    return true;
}

bool FitObjective::CountsAnySpecies() const {
    for (int s = 1; s <= kSpecies; ++s)
        if (settings_.chkConcFQS[s]) return true;
    return false;
}

const FitObjective::Course& FitObjective::CourseAt(const std::vector<double>& p) {
    const std::array<double, 4> key{0, Param(p, 1), Param(p, 2), Param(p, 3)};
    for (const Course& course : courses_)
        if (std::memcmp(course.p.data(), key.data(), sizeof key) == 0) return course;

    if (courses_.size() >= kKeptCourses) courses_.erase(courses_.begin());
    Course& course = courses_.emplace_back();
    course.p = key;
    SetModelParameters(p);
    course.failed = !SimulateTimeCourse();
    if (course.failed) return course;
    // Every active row reads its concentrations from this course now, as it would right after its own run.
    const bool anySpecies = CountsAnySpecies();
    course.c.assign(ExpDaten.size(), ConcVector{});
    course.cFailed.assign(ExpDaten.size(), 0);
    for (std::size_t i = 1; i < ExpDaten.size(); ++i) {
        if (ExpDaten[i].exclude != 0 || !anySpecies) continue;
        int cErr = 0;
        CalcKonzentrationen(aktModell, ExpDaten[i].t, course.c[i], cErr);
        course.cFailed[i] = cErr != 0;
    }
    return course;
}

double FitObjective::RowResidual(const ConcVector& c, int i) const {
    // The row's residual is the sum of the absolute deviations; the caller squares it.
    double r = 0;
    for (int s = 1; s <= kSpecies; ++s)
        if (settings_.chkConcFQS[s]) r += std::fabs(c[s] - ExpDaten[i].c[s]);
    return r;
}

void FitObjective::calcFQS_Marquardt(int m, std::vector<double>& p, double& sum, int& evalCount, int& err) {
    sum = 0;
    err = 0;
    ++evalCount;
    SummeLaeuft = kTrue;
    SetModelParameters(p);
    // One time course serves every row of this sum.
    const bool integrated = HalbwertszeitNumerisch != 0 && !NonIsothermal();
    if (integrated && CourseAt(p).failed) err = kTrue;
    for (int i = 1; i <= m && err == 0; ++i) {
        double r = 0;
        if (integrated)
            IsothermalResidual(i, p, true, r, err);
        else
            CalcResiduals(i, p, r, err);
        sum += r * r;
    }
    if (!std::isfinite(sum)) err = kTrue;
    SummeLaeuft = kFalse;
}

void FitObjective::IsothermalResidual(int i, std::vector<double>& p, bool reuseCourses, double& r, int& err) {
    r = 0;
    err = 0;
    if (i < 1 || i >= static_cast<int>(ExpDaten.size())) return;
    const ExpPunkt& row = ExpDaten[i];
    SetModelParameters(p);
    if (HalbwertszeitNumerisch != 0 && reuseCourses) {
        const Course& course = CourseAt(p);
        if (course.failed) {
            err = kTrue;
            return;
        }
        if (row.exclude != 0 || !CountsAnySpecies()) return;
        if (course.cFailed[i]) {
            err = kTrue;
            return;
        }
        r = RowResidual(course.c[i], i);
    } else {
        // Outside a running sum every call simulates anew.
        if (HalbwertszeitNumerisch != 0 && SummeLaeuft == 0 && !SimulateTimeCourse()) {
            err = kTrue;
            return;
        }
        if (row.exclude != 0 || !CountsAnySpecies()) return;
        ConcVector c{};
        int cErr = 0;
        CalcKonzentrationen(aktModell, row.t, c, cErr);
        if (cErr != 0) {
            err = kTrue;
            return;
        }
        r = RowResidual(c, i);
    }
    if (!std::isfinite(r)) err = kTrue;
}

void FitObjective::CalcResiduals(int i, std::vector<double>& p, double& r, int& err) {
    r = 0;
    err = 0;
    if (i < 1 || i >= static_cast<int>(ExpDaten.size())) return;
    const ExpPunkt& row = ExpDaten[i];

    if (!NonIsothermal()) {
        IsothermalResidual(i, p, false, r, err);
        return;
    }
    if (row.exclude != 0 || !(row.T > 0)) return;
    const double k = RateConstant(Param(p, 1), Param(p, 2), row.T);
    if (DiagVariante == kModeFirstOrderT) {
        r = std::exp(-k * row.t) - row.c[1];
    } else if (DiagVariante == kModeSecondOrderT) {
        const double c0 = c0Mess[1];
        const double denominator = c0 == 0 ? 0 : 1 / c0 + 2 * k * row.t;
        if (denominator == 0) {
            err = kTrue;
            return;
        }
        r = 1 / denominator - row.c[1];
    }
    if (!std::isfinite(r)) err = kTrue;
}

void FitObjective::CalcAbleitungen(int np, int i, std::vector<double>& p, double& r, std::vector<double>& J,
                                   int& err) {
    err = 0;
    r = 0;
    for (int j = 1; j <= np; ++j) J[j] = 0;

    if (DiagVariante == kModeFirstOrderT && kTFunktion == 1) {
        if (RowContributes(i)) {
            const ExpPunkt& row = ExpDaten[i];
            const double RT = kGaskonstanteR * row.T;
            const double E = std::exp(-Param(p, 2) / RT);
            const double F = std::exp(-Param(p, 1) * row.t * E);
            J[1] = -row.t * E * F;
            if (np >= 2) J[2] = -Param(p, 1) * J[1] / RT;
        }
        CalcResiduals(i, p, r, err);
    } else {
        // Every row of a Jacobian meets the same np + 1 parameter vectors: their courses are computed once.
        const bool reuse = !NonIsothermal();
        auto residual = [&](double& value) {
            if (reuse)
                IsothermalResidual(i, p, true, value, err);
            else
                CalcResiduals(i, p, value, err);
        };
        for (int j = 1; j <= np && err == 0; ++j) {
            const double b = p[j];
            const double h = (std::fabs(b) + kDiffStep) * kDiffStep;
            residual(r);
            if (err != 0) break;
            double r2 = 0;
            p[j] = b + h;
            residual(r2);
            p[j] = b;
            J[j] = (r2 - r) / h;
        }
    }
    for (int j = 1; j <= np; ++j)
        if (!std::isfinite(J[j])) err = kTrue;
}

void MarquardtNashFitting(int np, int m, std::vector<double>& B, std::vector<double>& SD, int& failed,
                          const FitSettings& settings, MarquardtInfo* info) {
    FitObjective objective(settings);
    MarquardtNashFitting(np, m, B, SD, failed, objective, MarquardtStandard(DiagVariante, settings.ParamFixiert),
                         info);
}

}  // namespace kernel
