#pragma once
// The simulation windows register themselves with the window registry. Calling this from the
// program's start-up makes sure their code is linked in (a window that nothing names would be left
// out of the static library link); true when all of them are registered.
namespace simulation {

bool WindowsRegistered();

}  // namespace simulation
