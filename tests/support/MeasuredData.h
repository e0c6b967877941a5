#pragma once
// Putting a measured data set in place as a data file load leaves it.
#include <vector>

#include "kernel/DataSet.h"
#include "kernel/State.h"

namespace testsupport {

// Rows 1..n of the measured data set (ExpDaten, nMesspunkte), analysed as after a load.
inline void SetMeasuredData(const std::vector<kernel::ExpPunkt>& rows) {
    using namespace kernel;
    ExpDaten.assign(1, ExpPunkt{});
    ExpDaten.insert(ExpDaten.end(), rows.begin(), rows.end());
    nMesspunkte = static_cast<int>(rows.size());
    AnalyseExpData();
    SetC0AusMessdaten();
}

}  // namespace testsupport
