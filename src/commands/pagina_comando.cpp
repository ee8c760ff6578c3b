#include "commands/pagina_comando.h"

#include <string>
#include <vector>

#include "cli/esiti.h"
#include "cli/file_scenario.h"
#include "cli/rapporto.h"
#include "commands/decompila.h"
#include "page/pagina.h"
#include "platform/cartella_reale.h"

int esegui_pagina(const opzioni_pagina& o, std::ostream& uscita,
                  std::ostream& errori) {
  cartella_reale c(o.cartella);
  scenario sc;
  tabelle t;
  const int caricato =
      carica_scenario_nominato(o.nome_linea, o.codice_treno, c, sc, t, errori);
  if (caricato != uscita_riuscita) return caricato;
  // From the files alone the compilation's problems are unknown, but what
  // no description explains can be told.
  const std::vector<std::string> inspiegato =
      contenuto_inspiegato(t, sc, [](const std::string& nome) { return nome; });
  const esito_file scritto = scrivi_pagina(sc, t, c, std::nullopt, inspiegato);
  if (!scritto.ok) return errore_file(scritto, errori);
  uscita << c.percorso(nome_pagina(sc)) << '\n';
  return uscita_riuscita;
}
