#include "simulation/SimulationWindows.h"

#include "simulation/frmKinModel.h"
#include "simulation/frmmatrix.h"

namespace simulation {

bool WindowsRegistered() { return frmKinModel::IsRegistered() && frmmatrix::IsRegistered(); }

}  // namespace simulation
