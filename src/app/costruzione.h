// The build run: it names the scenario, writes the five text files, has the
// compiler read the two descriptions back and write the binary files, and ends
// with an exit status.
#ifndef APP_COSTRUZIONE_H_
#define APP_COSTRUZIONE_H_

#include <ostream>
#include <string_view>

#include "app/rapporto.h"
#include "app/stato.h"
#include "compiler/memorizza_percorso.h"
#include "platform/cartella.h"

// The whole build in the folder `c`, with the names that `s` holds. The wait
// message, the fatal message and the reports go to `errori`. Returns the exit
// status.
int form_load(stato& s, cartella& c, std::ostream& errori);

// The end of a compilation: the fatal message, a failed file, or the report of
// the fault and the warnings. Returns the exit status.
int concludi(const stato& s, const esito_compilazione& esito,
             const nomi_descrizioni& nomi, std::ostream& errori);

// The fatal message " Errore n. " followed by the code; returns the status the
// program ends with.
int errore(std::string_view a, std::ostream& errori);

// A failed file operation: one line naming the path and the system's reason.
int errore_file(const esito_file& esito, std::ostream& errori);

// The default build, in the folder of the running executable.
int costruzione_predefinita(std::ostream& errori);

#endif  // APP_COSTRUZIONE_H_
