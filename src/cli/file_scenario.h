// Reading back the binary files of one scenario from a folder: the station
// table, the cells and, when it is there, the plan.
#ifndef CLI_FILE_SCENARIO_H_
#define CLI_FILE_SCENARIO_H_

#include <ostream>
#include <string>

#include "core/scenario.h"
#include "platform/cartella.h"
#include "tables/tabelle.h"

// Decodes the scenario's files from `c` into `t` and checks them against each
// other. A file that cannot be read, does not decode or does not fit the
// others is reported on `errori`; returns the exit status (0 when all decoded
// and agree).
int carica_scenario(cartella& c, const scenario& sc, tabelle& t,
                    std::ostream& errori);
// The same for the scenario named by a line name and a train code given on
// the command line, which are checked first (a refused name is a usage
// error) and then give the file names in `sc`.
int carica_scenario_nominato(const std::string& nome_linea,
                             const std::string& codice_treno, cartella& c,
                             scenario& sc, tabelle& t, std::ostream& errori);

#endif  // CLI_FILE_SCENARIO_H_
