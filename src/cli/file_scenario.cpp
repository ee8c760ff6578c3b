#include "cli/file_scenario.h"

#include <string>

#include "tables/formato.h"
#include "tables/piano_su_file.h"
#include "cli/coerenza.h"
#include "cli/esiti.h"
#include "cli/rapporto.h"

namespace {

// Reads the file `nome` and decodes it with `decodifica` into `tabella`.
template <typename Tabella, typename Decodifica>
int decodifica_file(cartella& c, const std::string& nome, Tabella& tabella,
                    Decodifica decodifica, std::ostream& errori) {
  std::string dati;
  const esito_file letto = c.leggi(nome, dati);
  if (!letto.ok) return errore_file(letto, errori);
  errore_decodifica e;
  if (!decodifica(dati, tabella, e))
    return errore_decodifica_file(c.percorso(nome), e, errori);
  return uscita_riuscita;
}

// The plan, the one large file, is checked and indexed here and read again a
// block at a time as the views walk it.
int decodifica_piano_file(cartella& c, const std::string& nome, tabelle& t,
                          std::ostream& errori) {
  std::unique_ptr<lettore_file> lettore;
  const esito_file aperto = c.apri(nome, lettore);
  if (!aperto.ok) return errore_file(aperto, errori);
  errore_decodifica e;
  if (!decodifica_piano(std::move(lettore), t.planimetria, e))
    return errore_decodifica_file(c.percorso(nome), e, errori);
  return uscita_riuscita;
}

}  // namespace

int carica_scenario(cartella& c, const scenario& sc, tabelle& t,
                    std::ostream& errori) {
  int esito = decodifica_file(c, nome_tabella_stazioni(sc), t.stazioni,
                              decodifica_stazioni, errori);
  if (esito == uscita_riuscita) {
    esito = decodifica_file(c, nome_tabella_celle(sc), t.celle,
                            decodifica_celle, errori);
  }
  // The geometry file is written only when the plan is built.
  if (esito == uscita_riuscita && c.esiste(nome_geometria_linea(sc)))
    esito = decodifica_piano_file(c, nome_geometria_linea(sc), t, errori);
  if (esito != uscita_riuscita) return esito;
  const std::optional<incoerenza> i =
      controlla_insieme({&t.stazioni, &t.celle,
                         t.planimetria.presente() ? &t.planimetria : nullptr});
  if (!i) return uscita_riuscita;
  const std::string nomi[] = {nome_geometria_linea(sc),
                              nome_tabella_stazioni(sc),
                              nome_tabella_celle(sc)};
  return errore_incoerenza_file(c.percorso(nomi[static_cast<int>(i->file)]), *i,
                                errori);
}

int carica_scenario_nominato(const std::string& nome_linea,
                             const std::string& codice_treno, cartella& c,
                             scenario& sc, tabelle& t, std::ostream& errori) {
  const esito_nomi nomi = scenario_da_nomi(nome_linea, codice_treno, sc);
  if (nomi.motivo != nome_rifiutato::nessuno) return errore_nome(nomi, errori);
  return carica_scenario(c, sc, t, errori);
}
