#include "kernel/Regression.h"

#include <cmath>
#include <utility>

#include "kernel/State.h"

namespace kernel {
namespace {

// A pivot column counts as empty when its remaining entries are this small relative to the
// column's diagonal before elimination: all-equal x leave only rounding noise there.
constexpr double kSingularRelTol = 1e-13;
// A residual sum this small relative to the sum of the weighted y² is rounding noise of an exact fit.
constexpr double kExactFitRelTol = 1e-20;

int BasisCount(int modelType) { return modelType <= 2 ? 2 : modelType; }

}  // namespace

void RegressBasis(double x, int modelType, int flag) {
    auto& F = RegressKoeff;
    const int count = BasisCount(modelType);
    F[1] = 1.0;
    for (int i = 2; i <= count; ++i) F[i] = F[i - 1] * x;
    if (flag == 1) {
        F[1] = F[2];
        F[2] = F[3];
        F[3] = F[4];
        F[4] = F[5];
    }
}

void Regression(const std::vector<float>& x, const std::vector<float>& y, const std::vector<float>& w,
                int nTerms, int modelType, int flag, RegressMatrix& coef, float& sd, float& sdRel, float& r2,
                int& err) {
    const int expectedTerms = (modelType >= 1 && modelType <= 5) ? BasisCount(modelType) - (flag == 1 ? 1 : 0) : -1;
    if (nTerms < 1 || nTerms != expectedTerms || x.empty() || y.size() < x.size() || w.size() < x.size()) {
        err = 1;
        return;
    }
    const int n = static_cast<int>(x.size()) - 1;
    const int rhs = nTerms + 1;
    const auto& F = RegressKoeff;

    for (int i = 1; i <= nTerms; ++i)
        for (int j = 1; j <= rhs; ++j) coef[i][j] = 0.0;

    for (int k = 1; k <= n; ++k) {
        RegressBasis(x[k], modelType, flag);
        for (int i = 1; i <= nTerms; ++i) {
            for (int j = 1; j <= i; ++j) {
                coef[i][j] += F[i] * F[j] * w[k];
                coef[j][i] = coef[i][j];
            }
            coef[i][rhs] += static_cast<double>(y[k]) * F[i] * w[k];
        }
    }

    std::array<double, kMaxRegressTerms + 1> scale{};
    for (int p = 1; p <= nTerms; ++p) scale[p] = std::fabs(coef[p][p]);

    for (int p = 1; p <= nTerms; ++p) {
        int pivotRow = 0;
        double largest = 0.0;
        for (int r = p; r <= nTerms; ++r) {
            if (std::fabs(coef[r][p]) > largest) {
                largest = std::fabs(coef[r][p]);
                pivotRow = r;
            }
        }
        if (pivotRow == 0 || largest <= kSingularRelTol * scale[p] || !std::isfinite(largest)) {
            err = 1;
            return;
        }
        // A zero pivot with a usable entry further down: exchange the rows instead of dividing by 0.
        if (coef[p][p] == 0.0) std::swap(coef[p], coef[pivotRow]);
        const double q = 1.0 / coef[p][p];
        for (int c = 1; c <= rhs; ++c) coef[p][c] *= q;
        for (int r = 1; r <= nTerms; ++r) {
            if (r == p) continue;
            const double f = -coef[r][p];
            for (int c = 1; c <= rhs; ++c) coef[r][c] = f * coef[p][c] + coef[r][c];
        }
    }

    double sw = 0.0, swy = 0.0, swyy = 0.0;
    for (int k = 1; k <= n; ++k) {
        sw += w[k];
        swy += static_cast<double>(y[k]) * w[k];
        swyy += static_cast<double>(y[k]) * y[k] * w[k];
    }
    const double ymean = sw != 0.0 ? swy / sw : 0.0;

    double ssr = 0.0, sst = 0.0, sse = 0.0, srel = 0.0;
    for (int k = 1; k <= n; ++k) {
        RegressBasis(x[k], modelType, flag);
        double yfit = 0.0;
        for (int i = 1; i <= nTerms; ++i) yfit += coef[i][rhs] * F[i];
        const double yk = y[k];
        ssr += w[k] * (yfit - ymean) * (yfit - ymean);
        sst += w[k] * (yk - ymean) * (yk - ymean);
        sse += w[k] * (yk - yfit) * (yk - yfit);
        if (yk != 0.0) {
            const double rel = 100.0 * (yk - yfit) / yk;
            srel += w[k] * rel * rel;
        }
    }

    if (sw - nTerms > 0.0) {
        const float variance = static_cast<float>(sse / (sw - nTerms));
        sd = std::sqrt(variance);
        sdRel = static_cast<float>(std::sqrt(srel / sw));
        // All weighted y equal: the fit explains everything when it hits them, nothing otherwise.
        if (sst > 0.0)
            r2 = static_cast<float>(ssr / sst);
        else
            r2 = sse <= kExactFitRelTol * swyy ? 1.0f : 0.0f;
    } else {
        sd = 0.0f;
        sdRel = 0.0f;
        r2 = 0.0f;
    }
}

}  // namespace kernel
