#include "commands/pagina_comando.h"

#include <string>
#include <vector>

#include "cli/esiti.h"
#include "cli/file_scenario.h"
#include "cli/lingua.h"
#include "cli/rapporto.h"
#include "commands/decompila.h"
#include "page/pagina.h"
#include "platform/cartella_reale.h"

namespace {

// The page's name: a page that `compile --report` wrote lists the
// compilation's problems, so it is kept, and this one goes beside it under a
// name of its own.
std::string nome_della_pagina(cartella& c, const scenario& sc,
                              std::ostream& errori) {
  std::string nome = nome_pagina(sc), vecchia;
  if (!c.esiste(nome) || !c.leggi(nome, vecchia).ok ||
      !pagina_con_problemi(vecchia))
    return nome;
  const std::string proprio =
      nome.substr(0, nome.size() - std::string_view(".html").size()) +
      "_files.html";
  errori << sostituisci(traduci("warning: {0} lists the problems of a "
                                "compilation, which the files alone do not "
                                "tell: it is kept, and this page is {1}"),
                        {c.percorso(nome), c.percorso(proprio)})
         << '\n';
  return proprio;
}

}  // namespace

int esegui_pagina(const opzioni_pagina& o, std::ostream& uscita,
                  std::ostream& errori) {
  cartella_reale c(o.cartella);
  scenario sc;
  tabelle t;
  std::string nome;
  {
    // The files are read as one run's set: a compile waits meanwhile.
    lettura_cartella lettura;
    if (auto fine =
            tieni_in_lettura(c, o.cartella, o.attesa_blocco, lettura, errori))
      return *fine;
    const int caricato = carica_scenario_nominato(o.nome_linea, o.codice_treno,
                                                  c, sc, t, errori);
    if (caricato != uscita_riuscita) return caricato;
    nome = nome_della_pagina(c, sc, errori);
  }
  // From the files alone the compilation's problems are unknown, but what
  // no description explains can be told.
  const std::vector<std::string> inspiegato =
      contenuto_inspiegato(t, sc, [](const std::string& nome) { return nome; });
  if (auto fine =
          rifiuta_ingresso_in_uscita({c.percorso(nome_geometria_linea(sc)),
                                      c.percorso(nome_tabella_stazioni(sc)),
                                      c.percorso(nome_tabella_celle(sc))},
                                     {c.percorso(nome)}, errori))
    return *fine;
  uscita << c.percorso(nome) << '\n';
  if (auto fine = uscita_prima_di_pubblicare(uscita, errori)) return *fine;
  const esito_file scritto =
      scrivi_pagina(sc, t, c, std::nullopt, inspiegato, nome);
  if (!scritto.ok) return errore_file(scritto, errori);
  return uscita_riuscita;
}
