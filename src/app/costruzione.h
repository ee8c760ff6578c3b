// The build run: it names the scenario, writes the five text files, has the
// compiler read the two descriptions back and write the binary files, and ends
// with an exit status.
#ifndef APP_COSTRUZIONE_H_
#define APP_COSTRUZIONE_H_

#include <ostream>

#include "core/scenario.h"
#include "platform/cartella.h"

// The whole build of scenario `sc` in the folder `c`. The paths of the files
// left in the folder go to `uscita`, one a line; the wait message, the fatal
// message and the reports to `errori`. Returns the exit status.
//
// The files that stay, the three documents and the binary files, are one set:
// none replaces an older file until all are written, so a full disk, a failed
// write or a description that the disk fails to give back replaces nothing.
// The two descriptions are working files, written first because the compiler
// reads them back and deletes them. With `errore` (1250, 1251) the documents
// are still published and no binary file is written.
int costruisci_scenario(const scenario& sc, cartella& c, std::ostream& uscita,
                        std::ostream& errori);

// The default build, in the folder of the running executable.
int costruzione_predefinita(std::ostream& uscita, std::ostream& errori);

#endif  // APP_COSTRUZIONE_H_
