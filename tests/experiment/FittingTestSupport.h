#pragma once
// The fitting window, the evaluation menus and the data editor in the test main window: the shared
// state at its start values, synthetic measured data and data files, and messages recorded.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <locale>
#include <sstream>

#include "experiment/frmTFitting.h"
#include "kernel/DataFile.h"
#include "kernel/TimeUnits.h"
#include "tests/support/ProgramTest.h"
#include "tests/support/MeasuredData.h"

namespace fittest {

using testsupport::Entry, testsupport::SetMeasuredData;

inline kernel::ExpPunkt Row(double t, double cA, double cP = 0, double T = 0, int exclude = 0) {
    return {.t = t, .c = {0, cA, 0, 0, cP}, .T = T, .exclude = exclude};
}

// First-order decay A => P: c(A) = c0 exp(-k t), c(P) = c0 - c(A), t = 0, dt, .., (n-1) dt.
inline std::vector<kernel::ExpPunkt> FirstOrder(double k, double c0, int n, double dt) {
    std::vector<kernel::ExpPunkt> rows;
    for (int i = 0; i < n; ++i) {
        const double a = c0 * std::exp(-k * i * dt);
        rows.push_back(Row(i * dt, a, c0 - a));
    }
    return rows;
}

// One row of a data file: t, c(A), c(B), T, k, exclude, lambda (the other columns 0).
struct FileRow {
    double t = 0, cA = 0, cB = 0, T = 0, k = 0;
    int exclude = 0;
    float lambda = 0;
};

// Writes the rows as a data file in the time unit, lambda(inf) in the first row; returns the path.
inline std::string WriteTA3(const std::string& path, const std::vector<FileRow>& rows, const char* unit = "s",
                            double lambdaInf = 0) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::setprecision(10) << "Messung\r\n" << unit << "\r\n" << kernel::kDataFileHeader << "\r\n" << rows.size()
        << "\r\n";
    for (const FileRow& r : rows)
        out << r.t << ',' << r.cA << ',' << r.cB << ",0,0,0," << r.k << ',' << r.T << ',' << r.lambda << ','
            << (&r == &rows.front() ? lambdaInf : 0) << ",0,0," << r.exclude << "\r\n";
    testsupport::WriteBytes(path, out.str());
    return path;
}

// Opens the menus that hold the entry, outermost first, and chooses it, enabled first (the data
// editor, a load or the model window would enable it, which the tests may skip).
inline void Trigger(const char* entry) {
    QAction* a = Entry(entry);
    ASSERT_NE(a, nullptr) << entry;
    std::vector<QMenu*> menus;
    for (QAction* e = a; e;) {
        QMenu* menu = nullptr;
        for (QObject* o : e->associatedObjects())
            if ((menu = qobject_cast<QMenu*>(o))) break;
        if (!menu) break;
        menus.insert(menus.begin(), menu);
        e = menu->menuAction();
    }
    for (QMenu* menu : menus) emit menu->aboutToShow();
    a->setEnabled(true);
    a->trigger();
}

constexpr double R = 8.3145;  // J/(mol K)

// Non-isothermal first-order set: c(A)/c(A,0) = exp(-k t), k = 2500 exp(-17500/(R T)) per s,
// T = 295, 315, 335 K, t = 0, 0.1, .., 0.8 s, four significant digits (27 rows).
inline std::vector<kernel::ExpPunkt> ArrheniusRows() {
    std::vector<kernel::ExpPunkt> rows;
    for (double T : {295.0, 315.0, 335.0}) {
        const double k = 2500 * std::exp(-17500 / (R * T));
        for (int i = 0; i <= 8; ++i) {
            char text[32];
            std::snprintf(text, sizeof text, "%.4g", std::exp(-k * i * 0.1));
            rows.push_back(Row(i * 0.1, std::strtod(text, nullptr), 0, T));
        }
    }
    return rows;
}

class FittingTest : public testsupport::ProgramTest {
protected:
    // The program's start state with a rate constant of 0.1 1/s and the manual panel.
    void SetUp() override {
        ProgramTest::SetUp();
        kernel::kWert = {0, 0.1, 0, 0};
        kernel::EnzymRcsModus = kernel::kFalse;
    }

    static frmTFitting* Window() { return frmTFitting::Geladen(); }
    static bool Loaded(const char* name) { return platform::Windows().IsLoaded(name); }
};

}  // namespace fittest
