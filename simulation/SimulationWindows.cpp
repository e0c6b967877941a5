#include "simulation/SimulationWindows.h"

#include "simulation/frmKinModel.h"
#include "simulation/frmPrepareTimeDiagram.h"
#include "simulation/frmSimTabelle.h"
#include "simulation/frmmatrix.h"

namespace simulation {

bool WindowsRegistered() {
    return frmKinModel::IsRegistered() && frmmatrix::IsRegistered() && frmPrepareTimeDiagram::IsRegistered() &&
           frmSimTabelle::IsRegistered();
}

}  // namespace simulation
