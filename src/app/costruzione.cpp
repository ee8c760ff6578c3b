#include "app/costruzione.h"

#include <chrono>
#include <string>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "core/scrittura_testo.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "line/dati_linea.h"
#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"
#include "cli/esiti.h"
#include "cli/lingua.h"
#include "cli/rapporto.h"
#include "train_run/dati_treno.h"

namespace {

// The five text files, in the order they are written: the two descriptions,
// then the notes, the slowdown prescriptions and the train sheet.
struct file_di_testo {
  std::string (*nome)(const scenario&);
  std::vector<std::string> (*righe)();
};
constexpr file_di_testo descrizioni[] = {
    {nome_descrizione_linea, righe_linea},
    {nome_descrizione_treno, righe_treno},
};
constexpr file_di_testo documenti[] = {
    {nome_note, righe_note},
    {nome_rallentamenti, righe_rallentamenti},
    {nome_scheda_treno, righe_scheda},
};

// The descriptions written in place, the documents prepared in `insieme`.
esito_file scrivi_testi(const scenario& sc, insieme_sostituzioni& insieme) {
  for (const file_di_testo& f : descrizioni) {
    const esito_file esito =
        scrivi_file_testo(insieme.destinazione(), f.nome(sc), f.righe());
    if (!esito.ok) return esito;
  }
  for (const file_di_testo& f : documenti) {
    const esito_file esito = prepara_file_testo(insieme, f.nome(sc), f.righe());
    if (!esito.ok) return esito;
  }
  return esito_file::riuscito();
}

// After a failure before the compiler read them: the descriptions written
// beside the executable go, so that a failed build leaves nothing of its own.
void togli_descrizioni(const scenario& sc, cartella& c) {
  for (const file_di_testo& f : descrizioni) {
    if (c.esiste(f.nome(sc))) c.cancella(f.nome(sc));
  }
}

// The files that stay: the three documents (the descriptions are read and
// deleted) and, when the compilation was completed, the binary files.
void elenca_scritti(const scenario& sc, const cartella& c,
                    const esito_compilazione& esito, std::ostream& uscita) {
  for (const file_di_testo& f : documenti)
    uscita << c.percorso(f.nome(sc)) << '\n';
  if (esito.tipo != esito_compilazione::completata) return;
  for (auto nome :
       {nome_geometria_linea, nome_tabella_stazioni, nome_tabella_celle})
    uscita << c.percorso(nome(sc)) << '\n';
}

}  // namespace

int costruisci_scenario(const scenario& sc, cartella& c, std::ostream& uscita,
                        std::ostream& errori) {
  errori << traduci("Please wait") << std::endl;
  insieme_sostituzioni insieme(c);
  const esito_file testi = scrivi_testi(sc, insieme);
  if (!testi.ok) {
    togli_descrizioni(sc, c);
    return errore_file(testi, errori);
  }
  tabelle t;
  diagnostica d;
  const esito_compilazione esito =
      memorizza_percorso(sc, c, insieme, /*con_piano=*/true, t, d);
  // A file that failed replaces nothing; otherwise what was prepared, the
  // binary files included when they were written, is published.
  if (esito.tipo != esito_compilazione::guasto_file) {
    // The list goes out first: a run that cannot tell what it wrote
    // replaces nothing.
    elenca_scritti(sc, c, esito, uscita);
    if (auto fine = uscita_prima_di_pubblicare(uscita, errori)) return *fine;
    const esito_file pubblicati = insieme.pubblica();
    if (!pubblicati.ok) return errore_file(pubblicati, errori);
  }
  return concludi(d, esito,
                  {c.percorso(nome_descrizione_linea(sc)),
                   c.percorso(nome_descrizione_treno(sc))},
                  errori);
}

int costruzione_predefinita(std::ostream& uscita, std::ostream& errori) {
  const std::string radice = cartella_eseguibile();
  if (radice.empty()) {
    errori << traduci("the program's folder was not found") << '\n';
    return uscita_errore_file;
  }
  cartella_reale cartella(radice);
  // The other build holds the folder for the whole of its run, which takes
  // seconds: it is waited for longer than a publication, and quietly, as the
  // bare program says nothing but "Please wait".
  attesa_cartella attesa;
  attesa.limite = std::chrono::minutes(2);
  cartella.imposta_attesa(attesa);
  // Two builds started from one folder would share their descriptions: the
  // second waits for the first.
  const esito_file riservata = cartella.riserva();
  if (!riservata.ok) return errore_file(riservata, errori);
  return costruisci_scenario(scenario{}, cartella, uscita, errori);
}
