// The driver's documents of an author's scenario from the command line: the
// options as the user types them, brought into what the documents take (the
// date, the texts in Windows-1252, the author's prose read from its file), and
// the writing of the three files.
#ifndef COMMANDS_DOCUMENTI_H_
#define COMMANDS_DOCUMENTI_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/scenario.h"
#include "documents/documenti_autore.h"
#include "platform/cartella.h"
#include "platform/sostituzione.h"
#include "tables/tabelle.h"

// The options of the documents as typed (UTF-8); absent ones take the
// defaults of `opzioni_documenti`. The date as typed ("24.03.2001" or
// "2001-03-24"), the prose as the path of its file.
using richiesta_documenti =
    voci_documenti<std::optional<std::string>, std::optional<std::string>>;

// The day that a date option names, or nothing when it names none.
std::optional<data_calendario> leggi_data(std::string_view testo);

// Brings the request into the documents' options: the texts converted, the
// date (today's date when none is given: the one reading of the clock) and the
// prose read from its file. Refuses too when a document would replace one of
// the files that the command reads (`ingressi`, and the prose), as its path
// in `uscita` or through a link. A refusal is reported on `errori` with the
// exit status to end with (64 for an option, 3 for a file); nothing is
// written.
std::optional<int> prepara_documenti(const richiesta_documenti& r,
                                     const scenario& sc, const cartella& uscita,
                                     std::vector<std::string> ingressi,
                                     opzioni_documenti& voci,
                                     std::ostream& errori);

// The names of the three documents, in the order they are written.
std::vector<std::string> nomi_documenti(const scenario& sc);

// Prepares the train sheet, the slowdown prescriptions and the notes in
// `insieme`, to be published with the rest of the set.
esito_file prepara_documenti_autore(const scenario& sc, const tabelle& t,
                                    const opzioni_documenti& voci,
                                    insieme_sostituzioni& insieme);

// Writes the train sheet, the slowdown prescriptions and the notes into `c`,
// as one set, and lists their paths on `uscita`. Returns the exit status.
int scrivi_documenti(const scenario& sc, const tabelle& t,
                     const opzioni_documenti& voci, cartella& c,
                     std::ostream& uscita, std::ostream& errori);

#endif  // COMMANDS_DOCUMENTI_H_
