#include "simulation/ReactorCurves.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "diagram/Grafik.h"
#include "kernel/Cascade.h"
#include "kernel/DataSet.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/StirredTank.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"

using namespace kernel;

namespace simulation {

namespace {

constexpr int kModusTauV = 3;              // stirred-tank mode: residence time and volume given
constexpr double kCstrStartTau = 1e-6;     // first grid point (the solver never sees tau = 0)
constexpr double kCascadeStartTau = 1e-8;
constexpr double kMargin = 0.02;           // 2 % axis margins
constexpr double kCascadeYMin = -0.02;     // fixed lower y limit of the cascade diagrams, mol/L
constexpr int kStufenTabelle = 8;          // conversion table of the stages, 0..7
const char* const kDiagramm = "frmTGraph2D";

// Makes sure the eleven curve arrays hold index `upper`, keeping their contents.
void EnsureCurveSize(int upper) {
    const auto n = static_cast<std::size_t>(upper + 1);
    if (tWerte.size() < n) tWerte.resize(n, 0.0);
    for (int s = 1; s <= kSpecies; ++s) {
        if (cKurve(s).size() < n) cKurve(s).resize(n, 0.0);
        if (rKurve(s).size() < n) rKurve(s).resize(n, 0.0f);
    }
}

// A grid point the solver could not compute: a gap in every curve.
void SetCurveGap(int j, double x) {
    tWerte[j] = x;
    for (int s = 1; s <= kSpecies; ++s) cKurve(s)[j] = std::numeric_limits<double>::quiet_NaN();
}

void SetCurvePoint(int j, double x, const ConcVector& c) {
    tWerte[j] = x;
    for (int s = 1; s <= kSpecies; ++s) cKurve(s)[j] = c[s];
}

float LargestOf(const ConcVector& c, float start) {
    float y = start;
    for (int s = 1; s <= kSpecies; ++s) y = std::max(y, static_cast<float>(c[s]));
    return y;
}

void ProposeAxes(double xMin, double xMax, double yMin, double yMax) {
    AchsenGrenzen[0] = static_cast<float>(xMin);
    AchsenGrenzen[1] = static_cast<float>(xMax);
    AchsenGrenzen[2] = static_cast<float>(yMin);
    AchsenGrenzen[3] = static_cast<float>(yMax);
}

}  // namespace

void CalcCSTRDiagramm(int Modell, double Tau, const ConcVector& c0, ConcVector& /*c*/, bool& Fehler) {
    Fehler = false;
    nZeitPunkte = kReactorGridIntervals;
    EnsureCurveSize(nZeitPunkte);
    const double tmax = 2 * Tau;
    const double dt = tmax / kReactorGridIntervals;
    const bool special = SpezSkalierung != 0 && SpezSkalierungStoff >= 1 && SpezSkalierungStoff <= kSpecies;
    float yMax = -10000;
    float yMin = special ? 10000.0f : 0.0f;
    bool computed = false;

    for (int j = 0; j <= kReactorGridIntervals; ++j) {
        const double t = kCstrStartTau + j * dt;
        // Private copies: the window's own results (UmsatzU, VPunkt, cAktuell, KsiWerte) stay untouched.
        double U = 0, V = t, Vdot = 0, tau = t;
        ConcVector out{};
        ExtentVector ksi{};
        int e1 = 0, e2 = 0;
        try {
            CalcContiKessel(Modell, kModusTauV, c0, U, V, Vdot, tau, out, ksi, e1, e2);
        } catch (const RuntimeError&) {
            e2 = kTrue;
        }
        // A point the solver flags or fails is left out of the curve and of the axis proposal.
        if (e1 != 0 || e2 != 0) {
            SetCurveGap(j, t);
            continue;
        }
        computed = true;
        SetCurvePoint(j, t, out);
        if (special) {
            const float v = static_cast<float>(out[SpezSkalierungStoff]);
            yMax = std::max(yMax, v);
            yMin = std::min(yMin, v);
        } else {
            yMax = LargestOf(out, yMax);
        }
    }

    if (!computed) {
        Fehler = true;
        return;
    }
    if (static_cast<float>(c0[1] + c0[2] + c0[4]) < yMax) yMax = static_cast<float>(c0[2] > c0[1] ? c0[2] : c0[1]);
    if (yMin < 0) yMin = 0;
    yMax += std::fabs(yMax - yMin) * static_cast<float>(kMargin);
    yMin -= std::fabs(yMax - yMin) * static_cast<float>(kMargin);
    ProposeAxes(0, tmax, yMin, yMax);
}

void CalcKaskadenProfil(int /*Modell*/, const ConcVector& c0, const ConcMatrix& cAusgangStufe, int N, int& Fehler) {
    Fehler = 0;
    if (N < 1) return;
    nZeitPunkte = kKaskadenProfilPunkte;
    const int m = static_cast<int>(std::nearbyint(static_cast<double>(kKaskadenProfilPunkte) / N));
    EnsureCurveSize(std::max(kKaskadenProfilMaxIndex, 1 + N * m));
    const double dx = static_cast<double>(N) / kKaskadenProfilPunkte;

    float yMax = LargestOf(c0, 0.0f);
    SetCurvePoint(0, 0, c0);
    SetCurvePoint(1, dx, c0);
    int j = 1;
    for (int i = 1; i <= N; ++i) {
        const ConcVector stage = i < static_cast<int>(cAusgangStufe.size()) ? cAusgangStufe[i] : ConcVector{};
        for (int k = 1; k <= m; ++k) {
            ++j;
            SetCurvePoint(j, tWerte[j - 1] + dx, stage);
            yMax = LargestOf(stage, yMax);
        }
    }
    ProposeAxes(0, N, kCascadeYMin, yMax * (1 + kMargin));
}

void CalcKaskadenDiagramm(int Modell, double Tau, ConcMatrix& cKaskade, ConcMatrix& cAusgangStufe, bool& Fehler) {
    Fehler = false;
    const int N = nKaskade;
    if (N < 1) return;
    // The stage solver reads its inlet rows from the shared table; a caller's own table is swapped in.
    const bool shared = &cKaskade == &kernel::cKaskade;
    ConcMatrix kept;
    if (!shared) {
        kept = kernel::cKaskade;
        kernel::cKaskade = cKaskade;
    }
    ConcMatrix& table = kernel::cKaskade;
    cAusgangStufe.assign(static_cast<std::size_t>(N + 1), ConcVector{});
    if (static_cast<int>(table.size()) < N + 2) table.resize(static_cast<std::size_t>(N + 2), ConcVector{});
    nZeitPunkte = kReactorGridIntervals;
    EnsureCurveSize(nZeitPunkte);
    const double tmax = 2 * Tau;
    const double dt = tmax / kReactorGridIntervals;

    for (int s = 1; s <= kSpecies; ++s) table[1][s] = c0Wert[s];
    float yMax = LargestOf(c0Wert, 0.0f);

    // The stage solver writes the shared conversion and extents; the window's results are kept.
    const double keptU = UmsatzU;
    const ExtentVector keptKsi = KsiWerte;
    std::vector<double> UmsatzStufe(static_cast<std::size_t>(std::max(kStufenTabelle, N + 1)), 0.0);
    bool computed = false;
    for (int j = 0; j <= kReactorGridIntervals; ++j) {
        const double t = kCascadeStartTau + j * dt;
        const double tauStufe = t / N;
        bool failed = false;
        for (int i = 1; i <= N && !failed; ++i) {
            double V = 0, Vdot = 0;
            int e1 = 0, e2 = 0;
            try {
                CalcKaskadenStufe(i, Modell, kModusTauV, c0Wert[1], table, UmsatzStufe, V, Vdot, tauStufe,
                                  cAusgangStufe, e1, e2);
            } catch (const RuntimeError&) {
                e2 = kTrue;
            }
            failed = e1 != 0 || e2 != 0;
            for (int s = 1; s <= kSpecies; ++s) table[i + 1][s] = cAusgangStufe[i][s];
        }
        // A point with a stage the solver flags or fails is left out of the curve and of the axis proposal.
        if (failed) {
            SetCurveGap(j, t);
            continue;
        }
        computed = true;
        yMax = LargestOf(cAusgangStufe[N], yMax);
        SetCurvePoint(j, t, cAusgangStufe[N]);
    }
    UmsatzU = keptU;
    KsiWerte = keptKsi;
    if (!shared) {
        cKaskade = table;
        kernel::cKaskade = kept;
    }
    if (!computed) Fehler = true;
    ProposeAxes(0, tmax, kCascadeYMin, yMax * (1 + kMargin));
}

void HandOverReactorDiagram(bool markTau) {
    const bool hinzufuegen = KurvenHinzufuegen != 0;
    if (!hinzufuegen) {
        platform::Windows().Unload(kDiagramm);
        ScanExpDataRange(aktDiagrammCode, MitPunkten);
    }
    diagram::GrafZentrale(aktDiagrammCode, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, MitPunkten);
    if (hinzufuegen) platform::Forms().Click(kDiagramm, "cmdDraw", -1);
    if (markTau) platform::Forms().Click(kDiagramm, "cmdMarkConti", -1);
}

}  // namespace simulation
