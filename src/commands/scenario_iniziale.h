// The starter scenario that `new` writes: a short line and a train run over it
// that use every kind of item, commented, compiling with no fault and no
// warning. The reference's worked example is this scenario.
#ifndef COMMANDS_SCENARIO_INIZIALE_H_
#define COMMANDS_SCENARIO_INIZIALE_H_

#include <string>
#include <vector>

// The lines of each description, Windows-1252, without line ends.
std::vector<std::string> righe_linea_iniziale();
std::vector<std::string> righe_treno_iniziale();

#endif  // COMMANDS_SCENARIO_INIZIALE_H_
