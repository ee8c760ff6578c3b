#include "app/costruzione.h"

#include <functional>

#include "app/esiti.h"
#include "app/nomi_file.h"
#include "app/rapporto.h"
#include "compiler/memorizza_percorso.h"
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
  for (scrittore dati :
       {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    const esito_file esito = dati(s, c);
    if (!esito.ok) return errore_file(esito, errori);
  }
  const esito_compilazione esito = memorizza_percorso(s, c, 1);
  return concludi(s, esito,
                  {c.percorso(nome_descrizione_linea(s)),
                   c.percorso(nome_descrizione_treno(s))},
                  errori);
}

int concludi(const stato& s, const esito_compilazione& esito,
             const nomi_descrizioni& nomi, std::ostream& errori) {
  switch (esito.tipo) {
    case esito_compilazione::fatale:
      return errore(esito.codice, errori);
    case esito_compilazione::guasto_file:
      return errore_file(esito.file, errori);
    case esito_compilazione::completata:
    case esito_compilazione::senza_tabella:
      break;
  }
  stampa_rapporto(s, nomi, errori);
  if (s.codice_errore != 0 || esito.tipo == esito_compilazione::senza_tabella) {
    return uscita_errore_registrato;
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
