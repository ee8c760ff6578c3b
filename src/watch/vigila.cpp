#include "watch/vigila.h"

#include <ctime>
#include <memory>
#include <string>

#include "cli/esiti.h"
#include "cli/lingua.h"
#include "cli/percorsi.h"
#include "cli/rapporto.h"
#include "core/testi.h"
#include "platform/cartella_reale.h"
#include "platform/sorveglianza.h"
#include "watch/giro.h"
#include "watch/pagina_condivisa.h"
#include "watch/servizio_http.h"

namespace {

// Saves come in bursts (a write, a rename, the permissions): a build starts
// once the files have been quiet this long.
constexpr int quiete_millisecondi = 100;

std::string ora_locale() {
  const std::time_t adesso = std::time(nullptr);
  std::tm ora{};
  localtime_r(&adesso, &ora);
  char testo[16];
  std::strftime(testo, sizeof testo, "%H:%M:%S", &ora);
  return testo;
}

// What a build has to say on the terminal.
struct righe {
  std::string uscita;
  std::string errori;
};

// One build: the page published first, so that the browsers see it at once,
// then the folder written when the build has no error.
righe ricostruisci(const opzioni_compila& o, stato_vigilanza& s,
                   cartella& destinazione, pagina_condivisa& pagina) {
  giro_vigilato g = costruisci_giro(o, s, ora_locale());
  pagina.pubblica(pagina_del_giro(o, g, s, pagina.numero() + 1));
  if (g.da_scrivere) {
    const esito_file scritti = scrivi_compilazione(o, *g.c, destinazione);
    if (!scritti.ok) {
      g.guasto_scrittura =
          visibile(scritti.percorso) + ": " + motivo_del_file(scritti);
      pagina.pubblica(pagina_del_giro(o, g, s, pagina.numero() + 1));
    }
  }
  righe r{riga_del_giro(o, g, s), problemi_del_giro(o, g)};
  registra_giro(g, s);
  return r;
}

void stampa(const righe& r, std::ostream& uscita, std::ostream& errori) {
  uscita << r.uscita << std::flush;
  errori << r.errori << std::flush;
}

// Waits for a save and the quiet after it; the signal that ends the run, or
// 0 for a build to do.
int attendi_salvataggio(sorveglianza_file& sorveglianza) {
  sorveglianza_file::evento e;
  while (!e.qualcosa()) e = sorveglianza.attendi(-1);
  while (e.segnale == 0) {
    const sorveglianza_file::evento altro =
        sorveglianza.attendi(quiete_millisecondi);
    if (!altro.qualcosa()) break;
    e.segnale = altro.segnale;
  }
  return e.segnale;
}

int ascolta(const opzioni_vigila& o, servizio_http& servizio,
            std::ostream& errori) {
  const int porta =
      servizio.ascolta(o.porta, o.porta_data ? 0 : porte_successive);
  if (porta > 0) return porta;
  if (o.porta_data) {
    errori << sostituisci(traduci("port {0} of 127.0.0.1 cannot be listened "
                                  "on (taken, or not a port)"),
                          {std::to_string(o.porta)})
           << '\n';
  } else {
    errori << sostituisci(traduci("no free port of 127.0.0.1 from {0} to {1}: "
                                  "choose one with --port (0: any free one)"),
                          {std::to_string(o.porta),
                           std::to_string(o.porta + porte_successive)})
           << '\n';
  }
  return -1;
}

}  // namespace

int esegui_vigila(const opzioni_vigila& ov, std::ostream& uscita,
                  std::ostream& errori) {
  opzioni_compila o = ov.compila;
  o.pagina = true;
  scenario nominato;
  const esito_nomi nomi =
      scenario_da_nomi(o.nome_linea, o.codice_treno, nominato);
  if (nomi.motivo != nome_rifiutato::nessuno) return errore_nome(nomi, errori);
  if (auto fine = prepara_cartella(o.cartella, errori)) return *fine;
  cartella_reale destinazione(o.cartella);
  // A description that a build would replace is refused before any build.
  if (auto fine = rifiuta_ingresso_in_uscita(
          {o.linea, o.treno},
          {destinazione.percorso(nome_geometria_linea(nominato)),
           destinazione.percorso(nome_tabella_stazioni(nominato)),
           destinazione.percorso(nome_tabella_celle(nominato)),
           destinazione.percorso(nome_pagina(nominato))},
          errori))
    return *fine;
  destinazione.imposta_attesa(attesa_con_avviso(o.attesa_blocco, errori));
  const esito_file tenuta = destinazione.tieni();
  if (!tenuta.ok) return errore_file(tenuta, errori);
  // Before the server's threads, which take the blocked signals from here.
  sorveglianza_file sorveglianza({o.linea, o.treno});
  if (!sorveglianza.apertura().ok)
    return errore_file(sorveglianza.apertura(), errori);
  pagina_condivisa pagina;
  stato_vigilanza s;
  const righe prime = ricostruisci(o, s, destinazione, pagina);
  std::string perche;
  const std::unique_ptr<servizio_http> servizio =
      carica_servizio_http(pagina, perche);
  if (!servizio) {
    errori << sostituisci(traduci("the live page's server cannot be loaded: "
                                  "{0}"),
                          {perche})
           << '\n';
    return uscita_errore_file;
  }
  const int porta = ascolta(ov, *servizio, errori);
  if (porta < 0) return uscita_errore_file;
  uscita << "http://127.0.0.1:" << porta << "/\n";
  stampa(prime, uscita, errori);
  for (;;) {
    if (const int segnale = attendi_salvataggio(sorveglianza))
      return 128 + segnale;
    stampa(ricostruisci(o, s, destinazione, pagina), uscita, errori);
  }
}
