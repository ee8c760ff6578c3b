#include "app/costruzione.h"

#include <functional>

#include "app/esiti.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "line/dati_linea.h"
#include "platform/cartella_reale.h"
#include "train_run/dati_treno.h"

int errore(std::string_view a, std::ostream& errori) {
  errori << " Errore n. " << a << '\n';
  return uscita_errore_fatale;
}

int errore_file(const esito_file& esito, std::ostream& errori) {
  errori << esito.percorso << ": " << esito.motivo << '\n';
  return uscita_errore_file;
}

int form_load(stato& s, cartella& c, std::ostream& errori) {
  errori << "Attendere" << std::endl;
  using scrittore = esito_file (*)(const stato&, cartella&);
  for (scrittore dati : {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    const esito_file esito = dati(s, c);
    if (!esito.ok) return errore_file(esito, errori);
  }
  return uscita_riuscita;
}

int costruzione_predefinita(std::ostream& errori) {
  const std::string radice = cartella_eseguibile();
  if (radice.empty()) {
    errori << "cartella del programma non trovata\n";
    return uscita_errore_file;
  }
  cartella_reale cartella(radice);
  stato s;
  return form_load(s, cartella, errori);
}
